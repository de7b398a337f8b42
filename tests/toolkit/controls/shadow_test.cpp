// The window shadow: setter limits, what is rendered for which owner shape, the geometry of the
// layered window, following the owner through minimise, maximise and restore, and the computed
// pixels against a shadow worked out here pixel by pixel from its definition.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_shadow.h"
#include "toolkit/core/shadow_blur.h"

namespace {

using QxUI::CRect;
using QxUI::MShadow;

// --- limits ------------------------------------------------------------------------------------

struct LimitCase {
    const char* what;
    BOOL (*apply)(MShadow&);
    BOOL expected;
};

TEST(ShadowLimits, SettersAcceptTheirRangeAndRefuseBeyond) {
    const LimitCase cases[] = {
        {"size 35", [](MShadow& s) { return s.SetSize(35); }, TRUE},
        {"size -35", [](MShadow& s) { return s.SetSize(-35); }, TRUE},
        {"size 36", [](MShadow& s) { return s.SetSize(36); }, FALSE},
        {"size -36", [](MShadow& s) { return s.SetSize(-36); }, FALSE},
        {"sharpness 35", [](MShadow& s) { return s.SetSharpness(35); }, TRUE},
        {"sharpness 36", [](MShadow& s) { return s.SetSharpness(36); }, FALSE},
        {"darkness 255", [](MShadow& s) { return s.SetDarkness(255); }, TRUE},
        {"darkness 256", [](MShadow& s) { return s.SetDarkness(256); }, FALSE},
        {"position (-35, 35)", [](MShadow& s) { return s.SetPosition(-35, 35); }, TRUE},
        {"position (0, 36)", [](MShadow& s) { return s.SetPosition(0, 36); }, FALSE},
        {"position (-36, 0)", [](MShadow& s) { return s.SetPosition(-36, 0); }, FALSE},
        {"corners with -1", [](MShadow& s) { return s.SetShadowCorner(RECT{4, 4, -1, 4}); }, FALSE},
    };
    for (const LimitCase& c : cases) {
        MShadow shadow;
        EXPECT_EQ(c.apply(shadow), c.expected) << c.what;
        if (!c.expected) {
            // A refused value changes nothing: the defaults are still there.
            EXPECT_EQ(shadow.GetSize(), 0) << c.what;
            EXPECT_EQ(shadow.GetSharpness(), 5u) << c.what;
            EXPECT_EQ(shadow.GetDarkness(), 150u) << c.what;
            EXPECT_EQ(shadow.GetXOffset(), 5) << c.what;
            EXPECT_EQ(shadow.GetYOffset(), 5) << c.what;
        }
    }
    MShadow stored;
    ASSERT_TRUE(stored.SetSize(-35));
    EXPECT_EQ(stored.GetSize(), -35);
    ASSERT_TRUE(stored.SetPosition(-35, 35));
    EXPECT_EQ(stored.GetXOffset(), -35);
    EXPECT_EQ(stored.GetYOffset(), 35);
}

TEST(ShadowLimits, PreMultiplyScalesEachColourByteAndDropsTheTopByte) {
    for (DWORD colour : {0x00000000u, 0xFFFFFFFFu, 0x12C08040u, 0x00FF0001u})
        for (int alpha : {0, 1, 150, 255}) {
            DWORD r = (colour >> 16 & 0xFF) * alpha / 255, g = (colour >> 8 & 0xFF) * alpha / 255,
                  b = (colour & 0xFF) * alpha / 255;
            EXPECT_EQ(MShadow::PreMultiply(colour, static_cast<BYTE>(alpha)), r << 16 | g << 8 | b)
                << std::hex << colour << " alpha " << std::dec << alpha;
        }
}

TEST(ShadowImage, SetImageResults) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shadow_test_picture.png", 30, 20, [](int, int) { return 0x80000000u; }));
    MShadow none;
    EXPECT_FALSE(none.SetImage(static_cast<const wchar_t*>(nullptr)));
    EXPECT_FALSE(none.IsImageMode());

    MShadow missing;
    EXPECT_TRUE(missing.SetImage(L"no_such_shadow_picture.png"));
    EXPECT_TRUE(missing.IsImageMode());
    EXPECT_EQ(missing.GetImageWidth(), 0);

    MShadow loaded;
    EXPECT_TRUE(loaded.SetImage(L"shadow_test_picture.png"));
    EXPECT_EQ(loaded.GetImageWidth(), 30);
    EXPECT_EQ(loaded.GetImageHeight(), 20);

    MShadow resource;
    EXPECT_FALSE(resource.SetImage(54321u));
    EXPECT_TRUE(resource.IsImageMode());
}

// --- shadows of real windows ---------------------------------------------------------------------

// A test dialog, optionally with rounded corners (a window region), and its shadow.
struct ShadowedDialog {
    qxtest::RecordingDialog dialog;
    CRect placed;

    ShadowedDialog(int x, int y, int w, int h, int corner) : placed(x, y, x + w, y + h) {
        dialog.m_roundCorner = corner;
        dialog.CreateAt(x, y, w, h);
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF405060), Gdiplus::Color(0xFF405060));
        qxtest::PumpMessages();
    }
    ~ShadowedDialog() {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    MShadow* shadow() { return dialog.GetPaintManager()->GetShadow(); }
    HWND shadowWnd() { return shadow()->GetShadowWnd(); }
    CRect ownerRect() {
        CRect r;
        ::GetWindowRect(dialog.GetSafeHwnd(), &r);
        return r;
    }
    CRect shadowRect() {
        CRect r;
        ::GetWindowRect(shadowWnd(), &r);
        return r;
    }
};

int NonTransparentPixels(const QxUI::OffScreenSurface& frame) {
    QxUI::OffScreenSurface::Flush();
    int n = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            if (frame.GetPixel(x, y) >> 24) ++n;
    return n;
}

TEST(ShadowWindow, SizeZeroRendersNothingUntilASizeIsSet) {
    ShadowedDialog d(60, 60, 200, 140, 20);
    d.dialog.CreateShadow(TRUE);
    ASSERT_NE(d.shadowWnd(), nullptr);
    EXPECT_EQ(d.shadow()->GetStatus(), MShadow::kCreated | MShadow::kShown | MShadow::kOwnerVisible);
    // Shown, but with the default size 0 it was never handed a frame: it covers nothing.
    EXPECT_FALSE(d.shadow()->GetLastFrame().IsValid());
    EXPECT_TRUE(d.shadowRect().IsRectEmpty());
    ASSERT_TRUE(d.dialog.SetSize(10));
    EXPECT_TRUE(d.shadow()->GetLastFrame().IsValid());
    EXPECT_GT(NonTransparentPixels(d.shadow()->GetLastFrame()), 0);
}

TEST(ShadowWindow, SquareCornersCastNoComputedShadow) {
    ShadowedDialog d(60, 60, 200, 140, 0);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetSize(10));
    const QxUI::OffScreenSurface& frame = d.shadow()->GetLastFrame();
    ASSERT_TRUE(frame.IsValid());
    EXPECT_EQ(frame.Width(), 220);
    EXPECT_EQ(NonTransparentPixels(frame), 0);
}

// The shadow by its definition: under the window (shifted by the offsets) transparent, under
// the window's shape moved out by the size the full colour, around it a fade with the distance
// to the nearest shape pixel, solid out to size - sharpness.
std::vector<DWORD> ReferenceShadow(HWND owner, int s, int h, int d, int ox, int oy, DWORD colour, int& w2, int& h2) {
    RECT wr;
    ::GetWindowRect(owner, &wr);
    int W = wr.right - wr.left, H = wr.bottom - wr.top;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    bool has = ::GetWindowRgn(owner, region) != ERROR;
    std::vector<char> inside(static_cast<size_t>(W) * H, 0);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) inside[static_cast<size_t>(y) * W + x] = has && ::PtInRegion(region, x, y);
    ::DeleteObject(region);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < W && y < H && inside[static_cast<size_t>(y) * W + x]; };
    auto pixel = [&](int alpha) {
        DWORD r = (colour >> 16 & 0xFF) * alpha / 255, g = (colour >> 8 & 0xFF) * alpha / 255, b = (colour & 0xFF) * alpha / 255;
        return static_cast<DWORD>(alpha) << 24 | r << 16 | g << 8 | b;
    };
    const int c = s - h;
    w2 = W + 2 * s;
    h2 = H + 2 * s;
    std::vector<DWORD> out(static_cast<size_t>(w2) * h2, 0);
    for (int i = 0; i < h2; ++i)
        for (int x = 0; x < w2; ++x) {
            DWORD& p = out[static_cast<size_t>(i) * w2 + x];
            if (in(x - s + ox, i - s + oy)) continue;
            if (in(x - s, i - s)) {
                p = pixel(d);
                continue;
            }
            int best = -1;
            for (int dy = -s; dy <= s; ++dy)
                for (int dx = -s; dx <= s; ++dx)
                    if (in(x - s + dx, i - s + dy) && (best < 0 || dx * dx + dy * dy < best)) best = dx * dx + dy * dy;
            if (best < 0) continue;
            double r = std::sqrt(static_cast<double>(best));
            if (r < c) p = pixel(d);
            else if (r <= s) p = pixel(static_cast<int>((1.0 - (r - c) / (h + 1)) * d));
        }
    return out;
}

struct GeometryCase {
    int size, sharpness, darkness, ox, oy;
    DWORD colour;
};

TEST(ShadowWindow, ComputedShadowMatchesItsDefinitionAndLeavesTheWindowTransparent) {
    const GeometryCase cases[] = {
        {10, 5, 150, 5, 5, 0x000000},
        {12, 8, 220, -4, 6, 0x203080},
    };
    for (const GeometryCase& c : cases) {
        ShadowedDialog d(80, 90, 180, 120, 24);
        d.dialog.CreateShadow(TRUE);
        ASSERT_TRUE(d.dialog.SetSharpness(c.sharpness));
        ASSERT_TRUE(d.dialog.SetDarkness(c.darkness));
        ASSERT_TRUE(d.dialog.SetPosition(c.ox, c.oy));
        ASSERT_TRUE(d.dialog.SetShadowColor(c.colour));
        ASSERT_TRUE(d.dialog.SetSize(c.size));
        CRect owner = d.ownerRect();
        CRect expected(owner.left + c.ox - c.size, owner.top + c.oy - c.size, owner.right + c.ox + c.size,
                       owner.bottom + c.oy + c.size);
        EXPECT_EQ(d.shadowRect(), expected) << "size " << c.size;

        int w2 = 0, h2 = 0;
        std::vector<DWORD> want =
            ReferenceShadow(d.dialog.GetSafeHwnd(), c.size, c.sharpness, c.darkness, c.ox, c.oy, c.colour, w2, h2);
        const QxUI::OffScreenSurface& frame = d.shadow()->GetLastFrame();
        ASSERT_EQ(frame.Width(), w2);
        ASSERT_EQ(frame.Height(), h2);
        QxUI::OffScreenSurface::Flush();
        int wrong = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < h2; ++y)
            for (int x = 0; x < w2; ++x)
                if (frame.GetPixel(x, y) != want[static_cast<size_t>(y) * w2 + x] && wrong++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        EXPECT_EQ(wrong, 0) << "size " << c.size << ": first difference at (" << firstX << ", " << firstY << "): got "
                            << std::hex << frame.GetPixel(firstX, firstY) << ", want "
                            << (firstX < 0 ? 0 : want[static_cast<size_t>(firstY) * w2 + firstX]);
        // Under the middle of the window itself nothing is drawn, and the rounded corner's cut
        // leaves the shadow showing past the window's corner.
        POINT centre = {owner.CenterPoint().x - expected.left, owner.CenterPoint().y - expected.top};
        EXPECT_EQ(frame.GetPixel(centre.x, centre.y), 0u);
        EXPECT_GT(NonTransparentPixels(frame), 0);
    }
}

TEST(ShadowWindow, RoundedShapeIsFollowed) {
    // With no offset, the shadow pixel just inside the window's bounding box at its corner lies
    // outside the rounded shape: shadow shows there, while at the middle of the top edge the
    // window covers it.
    ShadowedDialog d(80, 90, 180, 120, 40);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetPosition(0, 0));
    ASSERT_TRUE(d.dialog.SetSize(10));
    const QxUI::OffScreenSurface& frame = d.shadow()->GetLastFrame();
    QxUI::OffScreenSurface::Flush();
    EXPECT_NE(frame.GetPixel(10 + 1, 10 + 1) >> 24, 0u);  // corner of the box, outside the shape
    EXPECT_EQ(frame.GetPixel(10 + 90, 10 + 1), 0u);       // top edge middle, under the window
}

TEST(ShadowWindow, FollowsTheOwnerWhenItMoves) {
    ShadowedDialog d(80, 90, 180, 120, 20);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetSize(10));
    ::SetWindowPos(d.dialog.GetSafeHwnd(), nullptr, 300, 240, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return d.shadowRect().left == 300 + 5 - 10; }, 3000));
    EXPECT_EQ(d.shadowRect().top, 240 + 5 - 10);
}

TEST(ShadowWindow, HiddenWhileMinimisedOrMaximisedAndShownOnRestore) {
    ShadowedDialog d(80, 90, 180, 120, 20);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetSize(10));
    HWND owner = d.dialog.GetSafeHwnd();
    for (int cmd : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ::ShowWindow(owner, cmd);
        ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(d.shadowWnd()); }, 3000)) << cmd;
        EXPECT_EQ(d.shadow()->GetStatus() & MShadow::kShown, 0) << cmd;
        ::ShowWindow(owner, SW_RESTORE);
        ASSERT_TRUE(qxtest::PumpUntil(
            [&] {
                return ::IsWindowVisible(d.shadowWnd()) && d.shadowRect().Width() == d.ownerRect().Width() + 20 &&
                       d.shadowRect().left == d.ownerRect().left - 5;
            },
            3000))
            << cmd;
        EXPECT_EQ(d.shadow()->GetStatus(), MShadow::kCreated | MShadow::kShown | MShadow::kOwnerVisible) << cmd;
        EXPECT_EQ(d.shadow()->GetLastFrame().Width(), d.ownerRect().Width() + 20) << cmd;
    }
}

TEST(ShadowWindow, HiddenWithItsOwnerAndWhileDisabled) {
    ShadowedDialog d(80, 90, 180, 120, 20);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetSize(10));
    ::ShowWindow(d.dialog.GetSafeHwnd(), SW_HIDE);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(d.shadowWnd()); }, 3000));
    EXPECT_EQ(d.shadow()->GetStatus(), MShadow::kCreated);
    ::ShowWindow(d.dialog.GetSafeHwnd(), SW_SHOWNA);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::IsWindowVisible(d.shadowWnd()) != FALSE; }, 3000));
    d.dialog.DisableShadow(TRUE);
    EXPECT_FALSE(::IsWindowVisible(d.shadowWnd()));
    d.dialog.DisableShadow(FALSE);
    EXPECT_TRUE(::IsWindowVisible(d.shadowWnd()));
}

TEST(ShadowWindow, PictureShadowReachesByItsCorners) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shadow_test_frame.png", 48, 48, [](int x, int y) -> DWORD {
        int edge = std::min(std::min(x, y), std::min(47 - x, 47 - y));
        return edge < 16 ? static_cast<DWORD>(edge * 12) << 24 : 0xC0000000u;
    }));
    ShadowedDialog d(80, 90, 180, 120, 20);
    d.dialog.CreateShadow(TRUE);
    ASSERT_TRUE(d.dialog.SetShadowCorner(RECT{8, 6, 12, 16}));
    ASSERT_TRUE(d.dialog.SetShadowImage(L"shadow_test_frame.png"));
    CRect owner = d.ownerRect();
    EXPECT_EQ(d.shadowRect(), CRect(owner.left - 8, owner.top - 6, owner.right + 12, owner.bottom + 16));
    EXPECT_GT(NonTransparentPixels(d.shadow()->GetLastFrame()), 0);
}

}  // namespace
