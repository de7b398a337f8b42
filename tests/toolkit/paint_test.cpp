// The paint cycle through real windows: background, controls, dirty rectangles, layered
// windows, overlays, and a screenshot of a test dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::ImageControl;
using qxtest::ProbeControl;
using qxtest::RecordingDialog;
using qxtest::TextControl;

int Distance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}
MATCHER_P2(NearColour, expected, tolerance, "") { return Distance(arg, expected) <= tolerance; }

// Background: a vertical blue-grey gradient with a 12-pixel darker frame.
bool WriteBackground() {
    return qxtest::WriteSkinPng(L"test_background.png", 120, 120, [](int x, int y) -> DWORD {
        if (x < 12 || y < 12 || x >= 108 || y >= 108) return 0xFF28313C;
        int v = 0x40 + y;
        return 0xFF000000u | (v / 2) << 16 | (v * 3 / 4) << 8 | v;
    });
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteBackground());
        const DWORD states[2] = {0xFFE08020, 0xFF20C0E0};
        ASSERT_TRUE(qxtest::WriteStateStrip(L"test_button.png", 64, 32, 2, states));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    QxUI::PaintManager& Manager() { return *dialog.GetPaintManager(); }
    RecordingDialog dialog;
    QxUI::OffScreenSurface frame;
};

TEST_F(PaintTest, DefaultBackgroundIsTheFramedFill) {
    ASSERT_NE(dialog.CreateAt(50, 50, 100, 80), nullptr);
    Manager().SetBackColor(Gdiplus::Color(0xFF102030), Gdiplus::Color(0xFFA0B0C0));
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 100, 80)));
    EXPECT_THAT(frame.GetPixel(0, 0), NearColour(0xFFA0B0C0, 2));
    EXPECT_THAT(frame.GetPixel(99, 40), NearColour(0xFFA0B0C0, 2));
    EXPECT_THAT(frame.GetPixel(1, 1), NearColour(0xFF102030, 2));
    EXPECT_THAT(frame.GetPixel(50, 40), NearColour(0xFF102030, 2));
}

TEST_F(PaintTest, BackgroundImageAsFrameAndControlsOnTop) {
    ASSERT_NE(dialog.CreateAt(50, 50, 300, 200), nullptr);
    ASSERT_TRUE(dialog.LoadBKImage(L"test_background.png"));
    dialog.SetBackMode(QxUI::BACK_MODE_FRAME, 12);
    Manager().AddControl(1, new ProbeControl(&dialog, 7, CRect(100, 80, 140, 120)));
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 300, 200)));
    EXPECT_THAT(frame.GetPixel(5, 100), NearColour(0xFF28313C, 6));    // frame edge, stretched
    EXPECT_THAT(frame.GetPixel(294, 195), NearColour(0xFF28313C, 6));  // bottom-right corner
    EXPECT_THAT(frame.GetPixel(120, 100), NearColour(ProbeControl::kNormal, 2));
}

TEST_F(PaintTest, BackgroundImageAtItsOwnSize) {
    ASSERT_NE(dialog.CreateAt(50, 50, 300, 200), nullptr);
    ASSERT_TRUE(dialog.LoadBKImage(L"test_background.png"));
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 300, 200)));
    EXPECT_THAT(frame.GetPixel(60, 60), NearColour(0xFF3E5D7C, 10));  // gradient at row 60
    EXPECT_EQ(frame.GetPixel(200, 150), 0u);                          // beyond the image: transparent black
    EXPECT_FALSE(dialog.LoadBKImage(L"missing_background.png"));
}

TEST_F(PaintTest, OnlyTheDirtyRectangleIsRepainted) {
    ASSERT_NE(dialog.CreateAt(50, 50, 300, 200), nullptr);
    auto* left = new ProbeControl(&dialog, 1, CRect(10, 10, 60, 60));
    auto* right = new ProbeControl(&dialog, 2, CRect(200, 10, 250, 60));
    Manager().AddControl(1, left);
    Manager().AddControl(1, right);
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 300, 200)));
    int leftDraws = left->draws, rightDraws = right->draws;
    left->hot = true;
    right->hot = true;  // changed without a repaint request
    ASSERT_TRUE(Manager().PaintToSurface(frame, left->GetRect()));
    EXPECT_EQ(left->draws, leftDraws + 1);
    EXPECT_EQ(right->draws, rightDraws);  // outside the dirty rectangle: not touched
    EXPECT_THAT(frame.GetPixel(30, 30), NearColour(ProbeControl::kHot, 2));
    EXPECT_THAT(frame.GetPixel(220, 30), NearColour(ProbeControl::kNormal, 2));
}

TEST_F(PaintTest, HoverChangesTheImageStateOnScreen) {
    ASSERT_NE(dialog.CreateAt(50, 50, 200, 100), nullptr);
    auto* button = new ImageControl(&dialog, 3, CRect(20, 20, 52, 52), L"test_button.png", 2);
    Manager().AddControl(1, button);
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 200, 100)));
    EXPECT_THAT(frame.GetPixel(36, 36), NearColour(0xFFE08020, 4));
    POINT screen = {36, 36};
    ::ClientToScreen(dialog.GetSafeHwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    dialog.SendMessageW(WM_MOUSEMOVE, 0, MAKELPARAM(36, 36));
    EXPECT_EQ(button->state, 1);
    EXPECT_FALSE(button->GetUpdate());  // the repaint request dropped its cache
    ASSERT_TRUE(Manager().PaintToSurface(frame, button->GetRect()));
    EXPECT_THAT(frame.GetPixel(36, 36), NearColour(0xFF20C0E0, 4));
    int renders = button->renders;
    ASSERT_TRUE(Manager().PaintToSurface(frame, button->GetRect()));
    EXPECT_EQ(button->renders, renders);  // cache valid: copied, not re-rendered
}

TEST_F(PaintTest, LayeredWindowKeepsPerPixelAlpha) {
    ASSERT_NE(dialog.CreateAt(50, 50, 120, 80), nullptr);
    dialog.SetLayeredWindow(TRUE);
    Manager().SetBackColor(Gdiplus::Color(0x80FF0000), Gdiplus::Color(0x80FF0000));
    Manager().AddControl(1, new ProbeControl(&dialog, 4, CRect(10, 10, 30, 30)));
    // In layered mode the whole client area is drawn, whatever the dirty rectangle.
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 1, 1)));
    // Border fill at alpha 0x80, inner fill at 0x80 over it: 0.5 + 0.5 * 0.5 = 0.75.
    DWORD translucent = frame.GetPixel(80, 60);
    EXPECT_NEAR(static_cast<int>(translucent >> 24), 0xC0, 2);
    EXPECT_NEAR(static_cast<int>((translucent >> 16) & 0xFF), 0xC0, 2);  // premultiplied red
    EXPECT_NEAR(static_cast<int>(frame.GetPixel(0, 0) >> 24), 0x80, 2);  // the 1-pixel border alone
    EXPECT_EQ(frame.GetPixel(20, 20) >> 24, 0xFFu);
    // A real paint pushes it with UpdateLayeredWindow.
    dialog.InvalidateRect(CRect(0, 0, 120, 80), FALSE);
    ::UpdateWindow(dialog.GetSafeHwnd());
    EXPECT_TRUE(dialog.GetExStyle() & WS_EX_LAYERED);
}

TEST_F(PaintTest, MessageOverlayIsDrawnOverTheContent) {
    ASSERT_NE(dialog.CreateAt(50, 50, 300, 200), nullptr);
    Manager().AddTempFont(L"Arial", qxtest::TestFontPath());
    Manager().SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    dialog.SetMessage(L"Set Successful!", CRect(), QxUI::MSG_INFO);
    CRect r = Manager().GetOverlayRect();
    EXPECT_EQ(r, CRect(50, 140, 250, 198));  // 200 wide, near the bottom edge
    EXPECT_EQ(Manager().GetOverlayAlpha(), 255);
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 300, 200)));
    EXPECT_THAT(frame.GetPixel(51, 141), NearColour(0xFFE6E6E6, 2));  // 2-pixel frame
    EXPECT_THAT(frame.GetPixel(240, 190), NearColour(0xFFFEFEFE, 2));
    int dark = 0;
    for (int y = r.top + 5; y < r.bottom - 5; ++y)
        for (int x = r.left + 5; x < r.left + 120; ++x)
            if ((frame.GetPixel(x, y) & 0xFF) < 0x60) ++dark;
    EXPECT_GT(dark, 30);  // the text
    EXPECT_THAT(frame.GetPixel(20, 20), NearColour(0xFF000000, 0));
}

TEST_F(PaintTest, ProgressOverlayJumpsSmallStepsAndAnimatesLargeOnes) {
    ASSERT_NE(dialog.CreateAt(50, 50, 300, 200), nullptr);
    dialog.SetProgress(4, L"Updating", CRect());
    EXPECT_EQ(Manager().GetProgressShown(), 4);  // within 6 of the shown value: at once
    dialog.SetProgress(50, L"Updating", CRect());
    EXPECT_EQ(Manager().GetProgressShown(), 4);  // animated by timer 99
    EXPECT_TRUE(qxtest::PumpUntil([&] { return Manager().GetProgressShown() == 50; }));
    EXPECT_EQ(Manager().GetOverlayRect(), CRect(0, 140, 300, 198));
}

// The screenshot people look at: a test dialog with a background image, image and probe
// controls, Latin and Chinese text in the skin font and a rounded badge.
class BadgeControl : public QxUI::MControl {
public:
    BadgeControl(QxUI::MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, TRUE, TRUE, FALSE) {}
    void DrawControl(HDC& hdc, CRect) override {
        Gdiplus::Graphics g(hdc);
        CRect r = GetRect();
        QxUI::MRender::DrawRoundRectange(g, static_cast<float>(r.left), static_cast<float>(r.top),
                                         static_cast<float>(r.Width() - 1), static_cast<float>(r.Height() - 1), 4,
                                         Gdiplus::Color(0xFFFFFFFF), 1.5f, true, Gdiplus::Color(0xFECA5100));
        QxUI::MRender::DrawGradient(hdc, CRect(r.left + 10, r.bottom - 12, r.right - 10, r.bottom - 6), 0xFFFFE100,
                                    0xFFCA5100, false, 32);
    }
};

TEST_F(PaintTest, ScreenshotOfATestDialog) {
    ASSERT_NE(dialog.CreateAt(40, 40, 480, 300), nullptr);
    Manager().AddTempFont(L"Arial", qxtest::TestFontPath());
    ASSERT_TRUE(dialog.LoadBKImage(L"test_background.png"));
    dialog.SetBackMode(QxUI::BACK_MODE_FRAME, 12);
    Manager().AddControl(1, new TextControl(&dialog, 20, CRect(30, 24, 450, 60), L"QxKB Keyboard Settings", 24,
                                            0xFFFFFFFF));
    Manager().AddControl(1, new TextControl(&dialog, 21, CRect(30, 62, 450, 96),
                                            L"\u952E\u76D8\u8BBE\u7F6E \u00B7 Profile A \u914D\u7F6E", 20, 0xFFFFE100));
    for (int i = 0; i < 5; ++i) {
        auto* image = new ImageControl(&dialog, 30 + i, CRect(30 + i * 74, 120, 94 + i * 74, 152), L"test_button.png", 2);
        image->state = i % 2;
        Manager().AddControl(1, image);
    }
    auto* probe = new ProbeControl(&dialog, 40, CRect(30, 180, 150, 220));
    probe->hot = true;
    Manager().AddControl(1, probe);
    Manager().AddControl(1, new ProbeControl(&dialog, 41, CRect(170, 180, 290, 220)));
    Manager().AddControl(1, new BadgeControl(&dialog, 42, CRect(310, 176, 450, 226)));
    Manager().AddControl(1, new TextControl(&dialog, 43, CRect(30, 236, 450, 270),
                                            L"Set Successful! \u8BBE\u7F6E\u6210\u529F\uFF01", 16, 0xFFE8F0F8));
    QxUI::CString path = qxtest::ScreenshotPath(L"toolkit_dialog.png");
    ASSERT_TRUE(qxtest::SaveWindowPng(Manager(), path));
    ASSERT_TRUE(Manager().PaintToSurface(frame, CRect(0, 0, 480, 300)));
    EXPECT_THAT(frame.GetPixel(60, 200), NearColour(ProbeControl::kHot, 2));
    EXPECT_THAT(frame.GetPixel(62, 136), NearColour(0xFFE08020, 6));
    EXPECT_THAT(frame.GetPixel(136, 136), NearColour(0xFF20C0E0, 6));
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
