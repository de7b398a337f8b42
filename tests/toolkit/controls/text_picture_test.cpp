// Labels, pictures and the progress bar: the geometry rules as pure functions, and what the
// controls paint, probed in the window's composed buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_photo_frame.h"
#include "toolkit/controls/m_picture.h"
#include "toolkit/controls/m_progress.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/controls/move_show_text.h"
#include "toolkit/controls/picture_fit.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CRect;
using QxUI::CString;

int R(DWORD c) { return static_cast<int>((c >> 16) & 0xFF); }
int G(DWORD c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(DWORD c) { return static_cast<int>(c & 0xFF); }
bool IsRed(DWORD c) { return R(c) > 0xA0 && G(c) < 0x50 && B(c) < 0x50; }
bool IsWhite(DWORD c) { return R(c) > 0xA0 && G(c) > 0xA0 && B(c) > 0xA0; }
bool Near(DWORD c, DWORD want, int tolerance) {
    return std::abs(R(c) - R(want)) <= tolerance && std::abs(G(c) - G(want)) <= tolerance &&
           std::abs(B(c) - B(want)) <= tolerance;
}
std::string Hex(DWORD c) {
    char buffer[16];
    snprintf(buffer, sizeof(buffer), "%06lX", static_cast<unsigned long>(c & 0xFFFFFF));
    return buffer;
}

// --- pure rules ---------------------------------------------------------------------------------

TEST(TextRules, MarkIsFoundFromItsStartOnly) {
    struct Case {
        const wchar_t* title;
        const wchar_t* mark;
        int start;
        bool found;
        const wchar_t* prefix;
        const wchar_t* suffix;
    };
    const Case cases[] = {
        {L"xxabyy", L"ab", 0, true, L"xx", L"yy"},   {L"xxabyy", L"ab", 2, true, L"xx", L"yy"},
        {L"xxabyy", L"ab", 3, false, L"", L""},      {L"xxabyy", L"ab", -1, false, L"", L""},
        {L"xxabyy", L"ab", 7, false, L"", L""},      {L"xxabyy", L"", 0, false, L"", L""},
        {L"abab", L"ab", 1, true, L"ab", L""},       {L"ab", L"ab", 2, false, L"", L""},
        {L"", L"ab", 0, false, L"", L""},            {L"\u952E\u76D8\u8BBE\u7F6E", L"\u8BBE\u7F6E", 0, true, L"\u952E\u76D8", L""},
    };
    for (const Case& c : cases) {
        QxUI::MarkSplit s = QxUI::SplitMark(c.title, c.mark, c.start);
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.title)) + " start " + std::to_string(c.start));
        EXPECT_EQ(s.found, c.found);
        if (!c.found) continue;
        EXPECT_EQ(s.prefix, CString(c.prefix));
        EXPECT_EQ(s.mark, CString(c.mark));
        EXPECT_EQ(s.suffix, CString(c.suffix));
    }
}

TEST(TextRules, PiecesAndIconGap) {
    int x[3];
    QxUI::MarkPieceX(21, 10, 7, x);
    EXPECT_EQ(x[0], 21);
    EXPECT_EQ(x[1], 33);  // 2 after the prefix
    EXPECT_EQ(x[2], 42);  // 2 after the mark, 4 in all
    EXPECT_EQ(QxUI::TextStartX(true, 16), 21);
    EXPECT_EQ(QxUI::TextStartX(false, 16), 0);
}

TEST(PictureRules, TilesCutTheLastColumnAndRow) {
    auto tiles = QxUI::TilePlacement(100, 30, 30, 20);
    ASSERT_EQ(tiles.size(), 8u);  // 4 columns x 2 rows
    EXPECT_EQ(tiles[3].dst, CRect(90, 0, 100, 20));
    EXPECT_EQ(tiles[3].srcWidth, 10);
    EXPECT_EQ(tiles[3].srcHeight, 20);
    EXPECT_EQ(tiles[4].dst, CRect(0, 20, 30, 30));
    EXPECT_EQ(tiles[4].srcHeight, 10);
    EXPECT_EQ(tiles[7].dst, CRect(90, 20, 100, 30));
    EXPECT_TRUE(QxUI::TilePlacement(100, 30, 0, 20).empty());
    EXPECT_TRUE(QxUI::TilePlacement(0, 30, 30, 20).empty());
    EXPECT_EQ(QxUI::TilePlacement(60, 20, 30, 20).size(), 2u);  // exact fit: no sliver tile
}

TEST(PictureRules, OriginalSizePlacement) {
    struct Case {
        UINT h, v;
        int x, y;
    };
    // 100 x 40 box, 30 x 20 image.
    const Case cases[] = {{0, 0, 0, 0},   {1, 4, 35, 10}, {2, 8, 70, 20},
                          {7, 0, 35, 0},  {0, 3, 0, 10},  {2, 4, 70, 10}};
    for (const Case& c : cases) {
        QxUI::CPoint p = QxUI::OriginPlacement(100, 40, 30, 20, c.h, c.v);
        EXPECT_EQ(p.x, c.x) << "h " << c.h << " v " << c.v;
        EXPECT_EQ(p.y, c.y) << "h " << c.h << " v " << c.v;
    }
}

TEST(ProgressRules, TextAndFill) {
    EXPECT_EQ(QxUI::ProgressText(L"Upload ", 30, 100), CString(L"Upload 30%"));
    EXPECT_EQ(QxUI::ProgressText(L"Upload ", 30, 50), CString(L"Upload 30"));
    EXPECT_EQ(QxUI::ProgressFill(200, 30, 100), 60);
    EXPECT_EQ(QxUI::ProgressFill(200, 30, 0), 0);
    EXPECT_EQ(QxUI::ProgressFill(200, 100, 100), 200);
}

// --- painted ------------------------------------------------------------------------------------

class PaintedControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(100, 100, 400, 200), nullptr);
        Manager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        Manager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    QxUI::PaintManager* Manager() { return dialog.GetPaintManager(); }
    void Paint() { ASSERT_TRUE(Manager()->PaintToSurface(surface, CRect(0, 0, 400, 200))); }
    DWORD At(int x, int y) { return surface.GetPixel(x, y); }
    template <typename T>
    T* Make(const wchar_t* name, UINT id, CRect r, const wchar_t* title = L"") {
        return static_cast<T*>(dialog.CreateControl(name, id, r, title, 1, 1));
    }

    qxtest::RecordingDialog dialog;
    QxUI::OffScreenSurface surface;
};

// Columns of `r` that hold at least one pixel passing `test`.
template <typename F>
std::vector<int> Columns(const QxUI::OffScreenSurface& s, CRect r, F test) {
    std::vector<int> out;
    for (int x = r.left; x < r.right; ++x)
        for (int y = r.top; y < r.bottom; ++y)
            if (test(s.GetPixel(x, y))) {
                out.push_back(x);
                break;
            }
    return out;
}

TEST_F(PaintedControls, MarkColoursSplitTheTitle) {
    struct Case {
        const wchar_t* title;
        int start;
        bool marked;     // red pixels expected
        bool textLeft;   // white text left of the mark
        bool textRight;  // white text right of it
    };
    const Case cases[] = {
        {L"xxabyy", 0, true, true, true},
        {L"xxabyy", 3, false, true, true},  // searched from index 3: nothing marked
        {L"abyy", 0, true, false, true},
        {L"xxab", 0, true, true, false},
    };
    UINT id = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.title)) + " start " + std::to_string(c.start));
        CRect box(10, 10, 300, 50);
        auto* text = Make<QxUI::MText>(L"MText", id++, box, c.title);
        ASSERT_NE(text, nullptr);
        text->SetFont(L"Arial", 24, Gdiplus::FontStyleRegular);
        text->SetTextColor(Gdiplus::Color(0xFEFFFFFF));
        text->SetMarkText(L"ab", Gdiplus::Color(0xFEFF0000), c.start);
        Paint();
        std::vector<int> red = Columns(surface, box, IsRed);
        std::vector<int> white = Columns(surface, box, IsWhite);
        if (!c.marked) {
            EXPECT_TRUE(red.empty()) << "first red column " << red.front();
            EXPECT_FALSE(white.empty());
        } else {
            ASSERT_FALSE(red.empty());
            int redFrom = red.front(), redTo = red.back();
            bool whiteInside = false, whiteLeft = false, whiteRight = false;
            for (int x : white) {
                if (x < redFrom) whiteLeft = true;
                else if (x > redTo) whiteRight = true;
                else whiteInside = true;
            }
            EXPECT_FALSE(whiteInside) << "text colour inside the mark " << redFrom << ".." << redTo;
            EXPECT_EQ(whiteLeft, c.textLeft);
            EXPECT_EQ(whiteRight, c.textRight);
        }
        Manager()->RemoveControl(text);
    }
}

TEST_F(PaintedControls, IconSitsLeftAndTextStartsFivePixelsAfterIt) {
    DWORD green = 0xFF00FF00;
    ASSERT_TRUE(qxtest::WriteStateStrip(L"text_icon.png", 16, 16, 1, &green));
    CRect withIcon(20, 20, 300, 60), without(20, 100, 300, 140);
    auto* a = Make<QxUI::MText>(L"MText", 11, withIcon, L"HH");
    auto* b = Make<QxUI::MText>(L"MText", 12, without, L"HH");
    for (QxUI::MText* t : {a, b}) {
        t->SetFont(L"Arial", 24, Gdiplus::FontStyleRegular);
        t->SetTextColor(Gdiplus::Color(0xFEFFFFFF));
    }
    ASSERT_TRUE(a->SetImage(L"text_icon.png", 1));
    Paint();
    // The icon: unscaled at the left edge, centred vertically (40 high: rows 12..27 inside).
    EXPECT_TRUE(Near(At(20, 32), 0x00FF00, 4)) << Hex(At(20, 32));
    EXPECT_TRUE(Near(At(35, 47), 0x00FF00, 4)) << Hex(At(35, 47));
    EXPECT_TRUE(Near(At(36, 40), 0x000000, 4)) << Hex(At(36, 40));  // right of the icon
    EXPECT_TRUE(Near(At(25, 30), 0x000000, 4)) << Hex(At(25, 30));  // above it
    std::vector<int> textA = Columns(surface, CRect(36, 20, 300, 60), IsWhite);
    std::vector<int> textB = Columns(surface, without, IsWhite);
    ASSERT_FALSE(textA.empty());
    ASSERT_FALSE(textB.empty());
    // The same glyphs 21 pixels further right: 16 for the icon and a gap of 5.
    EXPECT_EQ(textA.front() - withIcon.left, textB.front() - without.left + 21);
}

TEST_F(PaintedControls, ShadowAndBackground) {
    auto* t = Make<QxUI::MText>(L"MText", 13, CRect(10, 10, 200, 50), L"I");
    t->SetFont(L"Arial", 30, Gdiplus::FontStyleBold);
    t->SetTextColor(Gdiplus::Color(0xFEFFFFFF));
    t->EnableTextBack(TRUE, Gdiplus::Color(0xFE0000FF));
    Paint();
    EXPECT_TRUE(Near(At(150, 20), 0x0000FF, 3)) << Hex(At(150, 20));
    EXPECT_TRUE(Near(At(9, 20), 0x000000, 0));  // outside the label: the window
    // A shadow is the text again, one pixel right and down, in the shadow colour.
    t->EnableShadow(TRUE);
    t->SetMarkText(L"", Gdiplus::Color(0xFEED801B), 1);  // a change re-renders
    Paint();
    bool shadow = false;
    for (int y = 10; y < 50 && !shadow; ++y)
        for (int x = 10; x < 60 && !shadow; ++x)
            shadow = Near(At(x, y), 0x505050, 12) && IsWhite(At(x - 1, y - 1));
    EXPECT_TRUE(shadow);
}

// Stripes across each 30 x 20 tile: red, green, blue thirds, bright in the top half and dark
// in the bottom half, so both a scaled and a shifted tile show.
DWORD Stripe(int x, int y) {
    DWORD level = y < 10 ? 0xFF : 0x80;
    int third = x / 10;
    return 0xFF000000 | (third == 0 ? level << 16 : third == 1 ? level << 8 : level);
}

TEST_F(PaintedControls, TilingCutsTheLastTileInsteadOfScaling) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    auto* p = Make<QxUI::MPicture>(L"MPicture", 20, CRect(50, 40, 150, 70));  // 100 x 30
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->SetImage(L"tile.png", 1));
    EXPECT_EQ(p->SetShowMode(QxUI::SHOW_MODE_TILE, 0), 1);
    EXPECT_EQ(p->SetShowMode(QxUI::SHOW_MODE_TILE, 7), 0);  // unchanged mode
    Paint();
    // Three whole tiles and a 10-pixel tile per row: every column shows Stripe(x mod 30).
    for (int x = 0; x < 100; x += 3)
        for (int y : {2, 8, 14, 24, 27}) {
            DWORD want = Stripe(x % 30, y % 20);
            ASSERT_TRUE(Near(At(50 + x, 40 + y), want, 6)) << "x " << x << " y " << y << " got " << Hex(At(50 + x, 40 + y));
        }
    EXPECT_TRUE(Near(At(149, 45), 0xFF0000, 6));  // the cut tile: its first 10 columns only
    EXPECT_TRUE(Near(At(150, 45), 0x000000, 0));  // nothing past the control
    EXPECT_TRUE(Near(At(100, 70), 0x000000, 0));
}

TEST_F(PaintedControls, OtherFittingModes) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    ASSERT_TRUE(qxtest::WriteFrameImage(L"frame9.png", 20, 4, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF));
    struct Probe {
        int x, y;
        DWORD colour;
    };
    struct Case {
        const char* name;
        const wchar_t* file;
        int mode;
        std::vector<Probe> probes;
    };
    // Control 100 x 40 at (50, 40); probes relative to it.
    const Case cases[] = {
        {"original, centred", L"tile.png", QxUI::SHOW_MODE_ORIGIN,
         {{36, 12, 0xFF0000}, {56, 12, 0x0000FF}, {56, 28, 0x000080}, {33, 12, 0x000000}, {50, 5, 0x000000}}},
        {"stretched", L"tile.png", QxUI::SHOW_MODE_STRETCH,
         {{5, 5, 0xFF0000}, {50, 5, 0x00FF00}, {95, 5, 0x0000FF}, {95, 35, 0x000080}}},
        {"nine-part, border 4", L"frame9.png", QxUI::SHOW_MODE_FRAME,
         {{1, 1, 0xFF0000}, {98, 38, 0xFF0000}, {50, 1, 0x00FF00}, {1, 20, 0x00FF00}, {50, 20, 0x0000FF}}},
        {"nine-part, own borders", L"tile.png", QxUI::SHOW_MODE_FRAME_MID,
         {{4, 5, 0xFF0000}, {50, 5, 0x00FF00}, {95, 5, 0x0000FF}}},
        {"custom source", L"tile.png", QxUI::SHOW_MODE_CUSTOM,
         {{5, 5, 0x0000FF}, {95, 35, 0x0000FF}, {50, 20, 0x0000FF}}},
    };
    UINT id = 30;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* p = Make<QxUI::MPicture>(L"MPicture", id++, CRect(50, 40, 150, 80));
        ASSERT_TRUE(p->SetImage(c.file, 1));
        p->SetAlignment(1, 4);
        if (c.mode == QxUI::SHOW_MODE_FRAME_MID)
            p->SetShowModeMID(10, 0, 10, 0);
        else
            p->SetShowMode(static_cast<QxUI::enumShowMode>(c.mode), 4);
        p->SetCustomRect(CRect(20, 0, 30, 10));
        Paint();
        for (const Probe& probe : c.probes)
            EXPECT_TRUE(Near(At(50 + probe.x, 40 + probe.y), probe.colour, 8))
                << "at " << probe.x << "," << probe.y << " got " << Hex(At(50 + probe.x, 40 + probe.y)) << " want "
                << Hex(probe.colour);
        Manager()->RemoveControl(p);
    }
}

TEST_F(PaintedControls, MissingImageLeavesThePictureEmpty) {
    auto* p = Make<QxUI::MPicture>(L"MPicture", 40, CRect(10, 10, 60, 60));
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    ASSERT_TRUE(p->SetImage(L"tile.png", 1));
    EXPECT_FALSE(p->SetImage(L"no_such_picture.png", 1));
    EXPECT_FALSE(p->SetImage(nullptr, 1));
    Paint();
    EXPECT_TRUE(Near(At(15, 15), 0x000000, 0)) << Hex(At(15, 15));
}

TEST_F(PaintedControls, ProgressBarFillsItsShare) {
    auto* bar = Make<QxUI::MProgress>(L"MProgress", 50, CRect(20, 100, 220, 130), L"");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->SetProgress(30), 30);
    EXPECT_EQ(bar->SetProgress(250), 100);  // cut to the maximum
    EXPECT_EQ(bar->SetProgress(-5), 100);   // below 0: unchanged
    bar->SetProgress(30);
    Paint();
    // The bar: 3 rows at the bottom, 30 % of 200 pixels wide, in the bar colour.
    EXPECT_TRUE(Near(At(20 + 30, 128), 0xFFE100, 3)) << Hex(At(50, 128));
    EXPECT_TRUE(Near(At(20 + 59, 128), 0xFFE100, 3)) << Hex(At(79, 128));
    EXPECT_FALSE(Near(At(20 + 61, 128), 0xFFE100, 40)) << Hex(At(81, 128));
    bar->SetEnabled(FALSE);
    EXPECT_EQ(bar->SetProgress(70), 30);  // a disabled bar keeps its value
}

TEST_F(PaintedControls, MoveShowTextShowsItsTitleOnlyUnderThePointer) {
    auto* t = Make<QxUI::MoveShowText>(L"MoveShowText", 60, CRect(100, 60, 300, 120), L"HOVER");
    ASSERT_NE(t, nullptr);
    t->SetFont(L"Arial", 28, Gdiplus::FontStyleBold);
    t->SetTextColor(Gdiplus::Color(0xFEFFFFFF));
    qxtest::PumpMessages();
    Paint();
    EXPECT_TRUE(Columns(surface, CRect(100, 60, 300, 120), IsWhite).empty());
    HWND hwnd = dialog.GetSafeHwnd();
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 200, 90));
    auto hoverSent = [&](LPARAM inside) {
        return std::any_of(dialog.notifications.begin(), dialog.notifications.end(), [&](const auto& n) {
            return n.id == 60 && n.code == QxUI::NOTIFY_HOVER_ITEM && n.lParam == inside;
        });
    };
    ASSERT_TRUE(qxtest::PumpUntil([&] { return hoverSent(1); }, 5000));
    Paint();
    EXPECT_FALSE(Columns(surface, CRect(100, 60, 300, 120), IsWhite).empty());
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 30, 30));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return hoverSent(0); }, 5000));
    Paint();
    EXPECT_TRUE(Columns(surface, CRect(100, 60, 300, 120), IsWhite).empty());
}

TEST_F(PaintedControls, PhotoFrameClicksLikeAButton) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    auto* photo = Make<QxUI::CPhotoFrame>(L"CPhotoFrame", 70, CRect(40, 40, 100, 100));
    ASSERT_NE(photo, nullptr);
    ASSERT_TRUE(photo->SetPhotoFrame(L"tile.png", 1));
    photo->SetShowMode(QxUI::SHOW_MODE_STRETCH, 0);
    qxtest::PumpMessages();
    Paint();
    EXPECT_TRUE(Near(At(45, 45), 0xFF0000, 8)) << Hex(At(45, 45));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 70, 70));
    auto sent = [&](UINT code) {
        return std::any_of(dialog.notifications.begin(), dialog.notifications.end(),
                           [&](const auto& n) { return n.id == 70 && n.code == code; });
    };
    ASSERT_TRUE(qxtest::PumpUntil([&] { return sent(QxUI::NOTIFY_CLICK); }, 5000));
    EXPECT_TRUE(sent(QxUI::NOTIFY_PRESS));
}

}  // namespace

#include "toolkit/controls/c_gif_picture.h"
#include "toolkit/controls/c_slider_picture.h"

namespace {

TEST(PictureRules, SlideRevealsFromTheStartEdge) {
    using QxUI::SlideRevealedPart;
    EXPECT_EQ(SlideRevealedPart(100, 40, QxUI::SLIDER_LEFT_TO_RIGHT, 30), CRect(0, 0, 30, 40));
    EXPECT_EQ(SlideRevealedPart(100, 40, QxUI::SLIDER_TOP_TO_BOTTOM, 10), CRect(0, 0, 100, 10));
    EXPECT_EQ(SlideRevealedPart(100, 40, QxUI::SLIDER_RIGHT_TO_LEFT, 30), CRect(70, 0, 100, 40));
    EXPECT_EQ(SlideRevealedPart(100, 40, QxUI::SLIDER_LEFT_TO_RIGHT, 250), CRect(0, 0, 100, 40));
    EXPECT_EQ(SlideRevealedPart(100, 40, QxUI::SLIDER_TOP_TO_BOTTOM, -4), CRect(0, 0, 100, 0));
}

TEST_F(PaintedControls, SliderPictureShowsOnlyWhileItSlides) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    auto* slider = Make<QxUI::CSliderPicture>(L"CSliderPicture", 80, CRect(20, 20, 220, 60));
    ASSERT_NE(slider, nullptr);
    ASSERT_TRUE(slider->SetImage(L"tile.png", 1));
    slider->SetShowMode(QxUI::SHOW_MODE_STRETCH, 0);
    slider->AddMTimer();
    EXPECT_TRUE(slider->SetRun(1, QxUI::SLIDER_LEFT_TO_RIGHT));
    Paint();
    // Nothing revealed yet: the light grey fill over the whole control.
    EXPECT_TRUE(Near(At(200, 40), 0xF2F2F2, 2)) << Hex(At(200, 40));
    Manager()->SetMTimer(5);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !slider->IsRunning(); }, 10000));
    Manager()->KillMTimer();
    // Drawn once more after the run, it hides itself: the window shows through again.
    Paint();
    EXPECT_FALSE(slider->IsVisible());
    Paint();
    EXPECT_TRUE(Near(At(200, 40), 0x000000, 0)) << Hex(At(200, 40));
    // A new run shows it again.
    EXPECT_TRUE(slider->SetRun(1, QxUI::SLIDER_RIGHT_TO_LEFT));
    EXPECT_TRUE(slider->IsVisible());
    Paint();
    EXPECT_TRUE(Near(At(30, 40), 0xF2F2F2, 2)) << Hex(At(30, 40));
}

TEST_F(PaintedControls, StillImageInAGifPictureIsDrawnButNotAnimated) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"tile.png", 30, 20, Stripe));
    auto* gif = Make<QxUI::CGifPicture>(L"CGifPicture", 81, CRect(20, 20, 80, 60));
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->SetImage(L"tile.png", 1), 0);
    EXPECT_LE(gif->GetFrameCount(), 1);
    EXPECT_FALSE(gif->SetRunState(1, 0));
    Paint();
    EXPECT_TRUE(Near(At(22, 22), 0xFF0000, 8)) << Hex(At(22, 22));  // stretched to the control
    EXPECT_TRUE(Near(At(78, 22), 0x0000FF, 8)) << Hex(At(78, 22));
}

}  // namespace

#include "toolkit/controls/c_gdi_text.h"

namespace {

TEST_F(PaintedControls, GdiTextFollowsItsAlignment) {
    struct Case {
        UINT h;
        bool leftHalf, rightHalf;
    };
    const Case cases[] = {{0, true, false}, {2, false, true}};  // DT_LEFT, DT_RIGHT
    UINT id = 90;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.h);
        CRect box(10, 100, 390, 140);
        auto* t = Make<QxUI::CGDIText>(L"CGDIText", id++, box, L"GDI");
        ASSERT_NE(t, nullptr);
        t->SetFont(L"Arial", 20, Gdiplus::FontStyleRegular);
        t->SetTextColor(Gdiplus::Color(0xFEFFFFFF));
        t->SetAlignment(c.h, 4);
        Paint();
        EXPECT_EQ(!Columns(surface, CRect(10, 100, 200, 140), IsWhite).empty(), c.leftHalf);
        EXPECT_EQ(!Columns(surface, CRect(200, 100, 390, 140), IsWhite).empty(), c.rightHalf);
        Manager()->RemoveControl(t);
    }
}

}  // namespace
