// Colour pickers: picture and circle palettes (thumb drags, ring limits), the saturation bar and
// the colour plane, driven by real pointer input; a screenshot of all four.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/toolkit/controls/skin_copy.h"
#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/circle_palette.h"
#include "toolkit/controls/hsl_color.h"
#include "toolkit/controls/m_palette.h"
#include "toolkit/controls/m_palette_bar.h"
#include "toolkit/controls/palette_paint.h"
#include "toolkit/controls/picture_palette.h"
#include "toolkit/core/ui_notify.h"

namespace {

// Bound of every wait for a window's reaction: generous, for a loaded machine.
constexpr int kWait = 10000;

using QxUI::CPoint;
using QxUI::CRect;

// Picture colour at (x, y): every pixel of the test picture is different.
DWORD PictureArgb(int x, int y) { return 0xFF000000u | (x & 0xFF) << 16 | ((2 * y) & 0xFF) << 8 | 0x40; }
COLORREF PictureColour(int x, int y) { return RGB(x & 0xFF, (2 * y) & 0xFF, 0x40); }

// Surface pixel (0xAARRGGBB) as a COLORREF.
COLORREF AsColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

bool Near(COLORREF a, COLORREF b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d < -tolerance || d > tolerance) return false;
    }
    return true;
}

TEST(PaletteRules, DragThreshold) {
    struct Case {
        int dx, dy;
        bool moves;
    };
    const Case cases[] = {{5, 5, false}, {6, 0, true},   {0, 6, true},  {-5, -5, false},
                          {-6, 0, true}, {0, -6, true},  {5, -5, false}, {0, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(QxUI::PaletteDragMoves(CPoint(100, 100), CPoint(100 + c.dx, 100 + c.dy)), c.moves)
            << c.dx << "," << c.dy;
}

TEST(PaletteRules, RingAndDistance) {
    for (int d : {0, 10, 14}) EXPECT_FALSE(QxUI::CircleRingHolds(d)) << d;
    for (int d : {15, 50, 100}) EXPECT_TRUE(QxUI::CircleRingHolds(d)) << d;
    for (int d : {101, 120}) EXPECT_FALSE(QxUI::CircleRingHolds(d)) << d;
    // Centre of (20, 20, 241, 241) is (130, 130): halves are truncated.
    EXPECT_EQ(QxUI::PaletteDistance(CRect(20, 20, 241, 241), CPoint(160, 170)), 50);
    EXPECT_EQ(QxUI::PaletteDistance(CRect(20, 20, 241, 241), CPoint(131, 131)), 1);
}

TEST(PaletteRules, PlaneRulesSurviveEmptyGeometry) {
    QxUI::PaletteGeometry g = QxUI::LayoutPalette(CRect(20, 20, 300, 172), 150, 16);
    EXPECT_EQ(g.plane, CRect(20, 20, 262, 170));
    EXPECT_EQ(g.bar, CRect(268, 20, 284, 170));
    EXPECT_EQ(QxUI::PlaneHue(20, g.plane), 0);
    EXPECT_EQ(QxUI::PlaneHue(262, g.plane), 360);
    EXPECT_EQ(QxUI::PlaneLightness(20, g.plane, 150), 20);
    EXPECT_EQ(QxUI::PlaneLightness(170, g.plane, 150), 200);
    EXPECT_EQ(QxUI::BarSaturation(20, g.bar, 150), 0);
    EXPECT_EQ(QxUI::BarSaturation(169, g.bar, 150), 198);
    EXPECT_EQ(QxUI::BarSaturation(170, g.bar, 150), 200);  // above 199 is the full 200
    // A control narrower than its bar, or no pallet height: values, not a division by zero.
    QxUI::PaletteGeometry narrow = QxUI::LayoutPalette(CRect(20, 20, 40, 60), 0, 16);
    EXPECT_TRUE(narrow.plane.IsRectEmpty());
    EXPECT_EQ(QxUI::PlaneHue(30, narrow.plane), 0);
    EXPECT_EQ(QxUI::PlaneLightness(30, narrow.plane, 0), 20);
    EXPECT_EQ(QxUI::BarSaturation(30, narrow.bar, 0), 0);
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(200, 150, 420, 300), nullptr);
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    std::vector<qxtest::RecordingDialog::Notification> Colours(UINT id) {
        std::vector<qxtest::RecordingDialog::Notification> out;
        for (const auto& n : dialog.notifications)
            if (n.id == id && n.code == QxUI::NOTIFY_COLOR) out.push_back(n);
        return out;
    }
    size_t Count(UINT id, UINT code) {
        size_t n = 0;
        for (const auto& x : dialog.notifications) n += x.id == id && x.code == code;
        return n;
    }
    DWORD Pixel(int x, int y) {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 420, 300));
        return surface.GetPixel(x, y);
    }
    HWND Hwnd() { return dialog.GetSafeHwnd(); }
    qxtest::RecordingDialog dialog;
};

// Pointer moves are merged while they wait in the queue: this palette says which move it got,
// so that a test can let each move arrive before making the next one.
class TracedPicturePalette : public QxUI::PicturePalette {
public:
    TracedPicturePalette(QxUI::MObject* parent, UINT id) : PicturePalette(parent, id, CRect(), TRUE, TRUE) {}
    BOOL OnControlMouseMove(UINT flags, CPoint point) override {
        lastMove = point;
        return PicturePalette::OnControlMouseMove(flags, point);
    }
    CPoint lastMove;
};

TEST_F(PaletteTest, ThumbDragIgnoresSmallMovesAndReportsThePictureColour) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"test_palette_picture.png", 200, 100, PictureArgb));
    auto* palette = new TracedPicturePalette(&dialog, 50);
    dialog.GetPaintManager()->AddControl(1, palette);
    palette->SetRect(CRect(20, 20, 220, 120));
    ASSERT_TRUE(palette->SetImage(L"test_palette_picture.png", 1));
    EXPECT_EQ(palette->GetThumb(), CRect(140, 50, 150, 60));
    auto moveAndWait = [&](int x, int y) {
        return qxtest::MoveTo(Hwnd(), x, y) &&
               qxtest::PumpUntil([&] { return palette->lastMove == CPoint(x, y); }, kWait);
    };

    // Press on the thumb's centre: the thumb is already there, so nothing is reported.
    ASSERT_TRUE(moveAndWait(145, 55));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return palette->GetState() == 2; }, kWait));
    ASSERT_TRUE(moveAndWait(150, 60));  // 5 right, 5 down: ignored
    EXPECT_TRUE(Colours(50).empty());
    ASSERT_TRUE(moveAndWait(145, 60));  // back 5 across: still ignored
    EXPECT_TRUE(Colours(50).empty());
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 151, 55));  // 6 right of the last thumb point: follows
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !Colours(50).empty(); }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_EQ(Colours(50).size(), 1u);
    EXPECT_EQ(Colours(50)[0].lParam, static_cast<LPARAM>(PictureColour(131, 35)));
    EXPECT_EQ(palette->GetThumb(), CRect(146, 50, 156, 60));
    EXPECT_EQ(palette->GetSelectColor(), PictureColour(131, 35));

    // A press away from the thumb moves it there but starts no drag.
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 60, 90));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 100, 90));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 200, 110));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Colours(50).size() >= 3; }, kWait));
    ASSERT_EQ(Colours(50).size(), 3u);
    EXPECT_EQ(Colours(50)[1].lParam, static_cast<LPARAM>(PictureColour(40, 70)));
    EXPECT_EQ(Colours(50)[2].lParam, static_cast<LPARAM>(PictureColour(180, 90)));
    // The thumb outline is drawn at its top-left corner.
    DWORD outline = Pixel(195, 109);
    EXPECT_TRUE(Near(AsColorRef(outline), RGB(255, 255, 255), 90) || Near(AsColorRef(outline), RGB(128, 128, 128), 60))
        << std::hex << outline;
}

TEST_F(PaletteTest, CircleThumbStaysOnTheRing) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"test_palette_ring.png", 220, 220, PictureArgb));
    auto* circle = static_cast<QxUI::CirclePalette*>(dialog.CreateControl(L"CirclePalette", 51, CRect(), L"", 1, 1));
    ASSERT_NE(circle, nullptr);
    circle->SetRect(CRect(20, 20, 240, 240));
    ASSERT_TRUE(circle->SetImage(L"test_palette_ring.png", 1));
    EXPECT_EQ(circle->GetDistanse(CPoint(160, 170)), 50);
    CRect home = circle->GetThumb();

    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 140, 130));  // 10 from the centre
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 215, 215));  // 120 from the centre
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 180, 130));  // 50 from the centre
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !Colours(51).empty(); }, kWait));
    ASSERT_EQ(Colours(51).size(), 1u);
    EXPECT_EQ(Colours(51)[0].lParam, static_cast<LPARAM>(PictureColour(160, 110)));
    EXPECT_NE(circle->GetThumb(), home);
    EXPECT_EQ(circle->GetThumb(), CRect(175, 125, 185, 135));
}

TEST_F(PaletteTest, BarShowsTheSaturationRangeAndPicksUnderTheMarker) {
    auto* bar = static_cast<QxUI::MPaletteBar*>(dialog.CreateControl(L"MPaletteBar", 52, CRect(), L"", 1, 1));
    ASSERT_NE(bar, nullptr);
    bar->SetRect(CRect(20, 20, 60, 220));
    bar->SetSelectColor(0x0000FF);
    EXPECT_TRUE(Near(AsColorRef(Pixel(40, 20)), QxUI::HslToRgb(0, 199 / 200.0, 0.5), 2)) << std::hex << Pixel(40, 20);
    EXPECT_TRUE(Near(AsColorRef(Pixel(40, 219)), 0x7F7F7F, 2)) << std::hex << Pixel(40, 219);
    EXPECT_EQ(bar->GetSelectColor(), 0x0000FFu);

    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 40, 120));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 40, 70));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(52, QxUI::NOTIFY_COLOR) >= 1; }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(52, QxUI::NOTIFY_CLICK) == 1; }, kWait));
    // Row 50 of 200 holds saturation 149: the colour under the marker is what the owner reads.
    COLORREF expected = QxUI::HslStepsToRgb(QxUI::HslSteps{0, 149, 100});
    EXPECT_EQ(bar->GetSelectColor(), expected);
    EXPECT_TRUE(Near(AsColorRef(Pixel(25, 70)), expected, 2)) << std::hex << Pixel(25, 70);
    EXPECT_TRUE(Near(bar->GetPickedColor(), expected, 1));
}

TEST_F(PaletteTest, PlaneEdgesAndBarPressReportColours) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"test_palette_thumb.png", 32, 11,
                                     [](int x, int) { return x < 8 ? 0xFFFF0000u : 0xFF00FF00u; }));
    auto* palette = static_cast<QxUI::MPalette*>(dialog.CreateControl(L"MPalette", 53, CRect(), L"", 1, 1));
    ASSERT_NE(palette, nullptr);
    palette->SetRect(CRect(20, 20, 300, 172));
    palette->SetThumbImage(L"test_palette_thumb.png");

    // The plane's left edge is hue 0; its top edge lightness 20 (10 %), never darker.
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 20, 95));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Colours(53).size() == 1; }, kWait));
    COLORREF left = Colours(53)[0].wParam;
    EXPECT_EQ(QxUI::RgbToHslSteps(left).hue, 0);
    EXPECT_EQ(palette->GetHsl().hue, 0);
    EXPECT_EQ(palette->GetHsl().lightness, 110);
    EXPECT_EQ(palette->GetSelectColor(), left);

    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 140, 20));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Colours(53).size() == 2; }, kWait));
    EXPECT_EQ(palette->GetHsl().lightness, 20);
    EXPECT_NEAR(QxUI::RgbToHslSteps(static_cast<COLORREF>(Colours(53)[1].wParam)).lightness, 20, 1);

    // Dragging across the plane reports each new colour.
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 100, 95));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 180, 95));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return palette->GetHsl().hue == 160 * 360 / 242; }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Colours(53).back().wParam == palette->GetSelectColor(); }, kWait));

    // The bar: a press halfway down is half saturation; a drag reports with wParam 0.
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 276, 95));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return palette->GetHsl().saturation == 100; }, kWait));
    size_t before = Colours(53).size();
    ASSERT_TRUE(qxtest::MoveTo(Hwnd(), 276, 140));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Colours(53).size() > before; }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    EXPECT_EQ(Colours(53).back().wParam, 0u);
    EXPECT_EQ(palette->GetHsl().saturation, 160);

    // The thumb sits beside the bar inside the control, at the saturation's height.
    EXPECT_TRUE(Near(AsColorRef(Pixel(287, 20 + 150 * 160 / 200)), RGB(255, 0, 0), 2))
        << std::hex << Pixel(287, 20 + 150 * 160 / 200);

    // A click on another control in the window gives each step below a point to wait for.
    auto* probe = static_cast<QxUI::MPaletteBar*>(dialog.CreateControl(L"MPaletteBar", 54, CRect(320, 20, 360, 120), L"", 1, 1));
    ASSERT_NE(probe, nullptr);
    auto clickProbe = [&](size_t n) {
        return qxtest::ClickAt(Hwnd(), 340, 60) &&
               qxtest::PumpUntil([&] { return Count(54, QxUI::NOTIFY_CLICK) == n; }, kWait);
    };

    // Disabled, the plane ignores the pointer.
    palette->SetControlEnabled(FALSE);
    COLORREF enabledColour = palette->GetSelectColor();
    size_t reported = Colours(53).size();
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 60, 60));
    ASSERT_TRUE(clickProbe(1));
    EXPECT_EQ(palette->GetSelectColor(), enabledColour);
    EXPECT_EQ(Colours(53).size(), reported);
    palette->SetControlEnabled(TRUE);

    // No pallet height: presses change nothing and break nothing.
    palette->SetPalletHeight(0);
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 60, 60));
    ASSERT_TRUE(qxtest::ClickAt(Hwnd(), 276, 60));
    ASSERT_TRUE(clickProbe(2));
    EXPECT_EQ(palette->GetSelectColor(), enabledColour);
}

TEST_F(PaletteTest, ScreenshotOfThePalettes) {
    if (!qxtest::CopyGeneratedSkinFile(L"img_palettebar.png") || !qxtest::CopyGeneratedSkinFile(L"img_palette_thumb.png"))
        GTEST_SKIP() << "the skin is not built (target qx_skin)";
    // A colour ring for the circle palette: hue by angle, lightness by radius, open centre.
    ASSERT_TRUE(qxtest::WriteSkinPng(L"test_colour_ring.png", 200, 200, [](int x, int y) -> DWORD {
        double dx = x - 100, dy = y - 100, r = std::sqrt(dx * dx + dy * dy);
        if (r > 99 || r < 14) return 0;
        double h = std::atan2(dy, dx) / (2 * 3.14159265358979) + 0.5;
        COLORREF c = QxUI::HslToRgb(h, 1, 0.3 + 0.4 * r / 100);
        return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }));
    dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF30343C), Gdiplus::Color(0xFF30343C));
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 720, 260, SWP_NOMOVE | SWP_NOZORDER);
    auto* picture = static_cast<QxUI::PicturePalette*>(dialog.CreateControl(L"PicturePalette", 60, CRect(), L"", 1, 1));
    picture->SetRect(CRect(20, 30, 180, 230));
    ASSERT_TRUE(picture->SetImage(L"img_palettebar.png", 1));
    picture->MoveThumbPos(CPoint(60, 120));
    auto* circle = static_cast<QxUI::CirclePalette*>(dialog.CreateControl(L"CirclePalette", 61, CRect(), L"", 1, 1));
    circle->SetRect(CRect(200, 30, 400, 230));
    ASSERT_TRUE(circle->SetImage(L"test_colour_ring.png", 1));
    circle->MoveThumbPos(CPoint(360, 110));
    auto* bar = static_cast<QxUI::MPaletteBar*>(dialog.CreateControl(L"MPaletteBar", 62, CRect(), L"", 1, 1));
    bar->SetRect(CRect(420, 30, 450, 230));
    bar->SetSelectColor(0x23A2F9);
    auto* plane = static_cast<QxUI::MPalette*>(dialog.CreateControl(L"MPalette", 63, CRect(), L"", 1, 1));
    plane->SetRect(CRect(470, 30, 703, 182));
    plane->SetThumbImage(L"img_palette_thumb.png");
    plane->SetSelectColor(0x23A2F9);
    QxUI::CString path = qxtest::ScreenshotPath(L"palettes.png");
    ASSERT_TRUE(qxtest::SaveWindowPng(*dialog.GetPaintManager(), path));
    // The bar's top is the hue at full saturation, its bottom a grey.
    DWORD bottom = Pixel(435, 229);
    EXPECT_TRUE(Near(AsColorRef(bottom), RGB((bottom >> 16) & 0xFF, (bottom >> 16) & 0xFF, (bottom >> 16) & 0xFF), 2));
}

}  // namespace
