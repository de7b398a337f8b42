// Screenshot of the lighting and colour widgets as the lighting page and the custom colour
// dialog use them: a column of effect rows (one checked, one under the pointer), a row of colour
// swatches, the colour picture and saturation bar, and the colour palette panel.
#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/buffer_png.h"
#include "toolkit/controls/c_color_button.h"
#include "toolkit/controls/c_color_palette.h"
#include "toolkit/controls/light_mode_button.h"
#include "toolkit/controls/m_palette_bar.h"
#include "toolkit/controls/picture_palette.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;

TEST(LightingScreenshot, EffectRowsSwatchesAndPalettes) {
    struct Effect {
        const wchar_t* title;
        const wchar_t* icon;
        int states;
    };
    const Effect effects[] = {
        {L"Static", L"icon\\icon_light_continued.png", 1},     {L"Breathing", L"icon\\icon_light_breathing.png", 1},
        {L"Spectrum cycle", L"icon\\icon_light_spectrumcycle.png", 1}, {L"Ripples", L"icon\\icon_light_ripples.png", 1},
        {L"Colorful", L"icon\\icon_light_colorful.png", 2},    {L"Turn off", L"icon\\icon_light_turnoff.png", 1},
    };
    for (const wchar_t* file : {L"img_radio_button.png", L"img_lightmode_row_bkg.png", L"img_palettebar.png",
                                L"img_palette_thumb.png", L"img_spin_up.png", L"img_spin_down.png", L"img_edit.png"})
        ASSERT_TRUE(qxtest::UseShippedSkinFile(file)) << "the skin is not built";
    for (const Effect& e : effects) ASSERT_TRUE(qxtest::UseShippedSkinFile(e.icon));

    qxtest::ButtonWindow window;
    ASSERT_TRUE(window.Create(100, 100, 740, 260));
    QxUI::LightModeButton* rows[6] = {};
    for (int i = 0; i < 6; ++i) {
        rows[i] = window.Make<QxUI::LightModeButton>(L"LightModeButton", 10 + i, CRect(20, 20 + i * 33, 180, 53 + i * 33),
                                                     effects[i].title);
        ASSERT_NE(rows[i], nullptr);
        rows[i]->SetFont(L"Arial", 12, Gdiplus::FontStyleRegular);
        rows[i]->SetGroupName(L"effects");
        rows[i]->SetImage(L"img_radio_button.png");
        rows[i]->SetRowBkgImage(L"img_lightmode_row_bkg.png", 1);
        rows[i]->SetIconImage(effects[i].icon, effects[i].states);
    }
    rows[1]->SetCheck(1);

    const DWORD swatchColours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    QxUI::CColorButton* swatches[7] = {};
    for (int i = 0; i < 7; ++i) {
        swatches[i] = window.Make<QxUI::CColorButton>(L"CColorButton", 30 + i, CRect(200 + i * 25, 20, 220 + i * 25, 40), L"");
        ASSERT_NE(swatches[i], nullptr);
        swatches[i]->SetColor(swatchColours[i]);
        swatches[i]->SetGroupName(L"custom");
    }
    swatches[2]->SetCheck(1);

    auto* picture = window.Make<QxUI::PicturePalette>(L"PicturePalette", 40, CRect(200, 55, 260, 235), L"");
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->SetImage(L"img_palettebar.png", 1));
    picture->MoveThumbPos(CPoint(225, 120));
    auto* bar = window.Make<QxUI::MPaletteBar>(L"MPaletteBar", 41, CRect(275, 55, 305, 235), L"");
    ASSERT_NE(bar, nullptr);
    bar->SetSelectColor(0xF9A223);

    auto* panel = window.Make<QxUI::CColorPalette>(L"CColorPalette", 50, CRect(400, 20, 720, 210), L"");
    ASSERT_NE(panel, nullptr);
    panel->SetImage(L"img_edit.png", 4);
    panel->SetSelectColor(0x23A2F9);

    // The pointer on the fourth row: hovered while the second stays checked.
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 150, 20 + 3 * 33 + 16));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return rows[3]->GetLook() == QxUI::LOOK_HOVER; }, 10000));
    EXPECT_EQ(rows[1]->GetLook(), QxUI::LOOK_CHECKED);

    QxUI::CString path = qxtest::ScreenshotPath(L"lighting_widgets.png");
    ASSERT_TRUE(qxtest::SaveWindowPng(window.Manager(), path));
    // The checked swatch's cyan ring and the plane's colour reached the window.
    EXPECT_THAT(window.PixelAt(251, 30), qxtest::IsNearColour(0x00FFFF, 12));
    window.Destroy();
}

}  // namespace
