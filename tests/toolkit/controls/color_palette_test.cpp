// Colour picker panels: the palette panel keeps its plane, swatches, spin boxes and hexadecimal
// field in step under real pointer and key input; the swatch column reports the pressed colour.
#include "tests/toolkit/controls/button_test_support.h"
#include "toolkit/controls/c_color_button.h"
#include "toolkit/controls/c_color_palette.h"
#include "toolkit/controls/c_color_select.h"
#include "toolkit/controls/hsl_color.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_palette.h"
#include "toolkit/controls/m_spin_button.h"

namespace {

using QxUI::CColorPalette;
using QxUI::CPoint;
using QxUI::CRect;

constexpr int kWait = 10000;
constexpr UINT kPanelId = 90;

BYTE Channel(DWORD c, int i) { return static_cast<BYTE>((c >> (8 * i)) & 0xFF); }

TEST(ColorPaletteRules, HexadecimalText) {
    EXPECT_EQ(QxUI::HexColourText(0x563412), QxUI::CString(L"123456"));
    EXPECT_EQ(QxUI::HexColourText(0x0000FF), QxUI::CString(L"FF0000"));
    struct Case {
        const wchar_t* text;
        BOOL ok;
        DWORD colour;
    };
    const Case cases[] = {{L"123456", TRUE, 0x563412}, {L"ff8000", TRUE, 0x0080FF}, {L"FfA0b1", TRUE, 0xB1A0FF},
                          {L"12345", FALSE, 0},        {L"1234567", FALSE, 0},      {L"12345g", FALSE, 0},
                          {L" 12345", FALSE, 0},       {L"", FALSE, 0}};
    for (const Case& c : cases) {
        DWORD colour = 0xDEAD;
        EXPECT_EQ(QxUI::ParseHexColour(c.text, &colour), c.ok) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(colour, c.ok ? c.colour : 0xDEADu) << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_FALSE(QxUI::ParseHexColour(L"123456", nullptr));
}

TEST(ColorPaletteRules, Layout) {
    QxUI::ColorPaletteLayout l = QxUI::LayoutColorPalette(CRect(20, 20, 340, 200));
    EXPECT_EQ(l.presets[0], CRect(20, 25, 40, 45));
    EXPECT_EQ(l.presets[7], CRect(195, 25, 215, 45));
    EXPECT_EQ(l.palette, CRect(20, 47, 253, 196));
    EXPECT_EQ(l.palletHeight, 147);
    EXPECT_EQ(l.current, CRect(255, 47, 305, 69));
    EXPECT_LE(l.current.bottom, l.labels[0].top) << "the swatch stays clear of the first row";
    EXPECT_EQ(l.labels[0], CRect(255, 72, 275, 96));
    EXPECT_EQ(l.fields[0], CRect(280, 72, 340, 96));
    EXPECT_EQ(l.fields[3], CRect(280, 156, 340, 180));
}

class ColorPaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* file : {L"img_spin_up.png", L"img_spin_down.png", L"img_palette_thumb.png", L"img_edit.png"})
            ASSERT_TRUE(qxtest::UseShippedSkinFile(file)) << "the skin is not built";
        ASSERT_TRUE(window.Create(150, 120, 420, 240));
        panel = window.Make<CColorPalette>(L"CColorPalette", kPanelId, CRect(20, 20, 340, 200), L"");
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(panel->GetPalette() && panel->GetHexField() && panel->GetCurrentSwatch());
        for (int i = 0; i < 3; ++i) ASSERT_NE(panel->GetSpin(i), nullptr);
        panel->SetImage(L"img_edit.png", 4);
        plane = QxUI::LayoutPalette(panel->GetPalette()->GetRect(), panel->GetPalette()->GetPalletHeight(), 16).plane;
    }
    void TearDown() override { window.Destroy(); }

    // The panel's own colour reports (code 27 under its id), in order.
    std::vector<LPARAM> Reports() const {
        std::vector<LPARAM> out;
        for (const auto& n : window.dialog.notifications)
            if (n.id == kPanelId && n.code == QxUI::NOTIFY_COLOR) out.push_back(n.lParam);
        return out;
    }
    bool WaitForReports(size_t n) { return qxtest::PumpUntil([&] { return Reports().size() >= n; }, kWait); }
    // Spin boxes, hexadecimal field and current swatch all show `colour`.
    void ExpectPartsShow(DWORD colour, const char* what, bool swatchToo = true) {
        for (int i = 0; i < 3; ++i) EXPECT_EQ(panel->GetSpin(i)->GetCurValue(), Channel(colour, i)) << what << " channel " << i;
        EXPECT_TRUE(panel->GetHexField()->GetTitleEx() == QxUI::HexColourText(colour)) << what;
        if (swatchToo) EXPECT_EQ(panel->GetCurrentSwatch()->GetColor(), colour) << what;
    }

    qxtest::ButtonWindow window;
    CColorPalette* panel = nullptr;
    CRect plane;
};

TEST_F(ColorPaletteTest, PlaneEdgesReachEveryPart) {
    // The parts start showing the plane's colour.
    // The fields start showing the plane's colour; the current swatch its own until a change.
    ExpectPartsShow(panel->GetSelectColor(), "start", false);
    EXPECT_EQ(panel->GetCurrentSwatch()->GetColor(), 0x00E1FFu);

    // The plane's left edge is hue 0.
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), plane.left, plane.top + plane.Height() / 2));
    ASSERT_TRUE(WaitForReports(1));
    EXPECT_EQ(panel->GetPalette()->GetHsl().hue, 0);
    DWORD left = panel->GetSelectColor();
    EXPECT_EQ(static_cast<DWORD>(Reports().back()), left);
    ExpectPartsShow(left, "left edge");
    EXPECT_EQ(QxUI::RgbToHslSteps(left).hue, 0);

    // Its top edge is lightness 20 (10 %), never darker.
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), plane.left + plane.Width() / 2, plane.top));
    ASSERT_TRUE(WaitForReports(2));
    EXPECT_EQ(panel->GetPalette()->GetHsl().lightness, 20);
    DWORD top = panel->GetSelectColor();
    EXPECT_EQ(static_cast<DWORD>(Reports().back()), top);
    ExpectPartsShow(top, "top edge");
    EXPECT_NEAR(QxUI::RgbToHslSteps(top).lightness, 20, 1);
    // The palette's own report passed on to the owner as it was.
    EXPECT_GE(std::count_if(window.dialog.notifications.begin(), window.dialog.notifications.end(),
                            [](const auto& n) { return n.id == CColorPalette::kPaletteId && n.code == QxUI::NOTIFY_COLOR; }),
              2);
}

TEST_F(ColorPaletteTest, SixthHexDigitAppliesTheColour) {
    QxUI::MEdit* hex = panel->GetHexField();
    CRect box = hex->GetRect();
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), box.left + 10, box.top + box.Height() / 2));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return hex->IsEditFocused() != FALSE; }, kWait));
    ASSERT_TRUE(qxtest::KeyPress("End"));
    ASSERT_TRUE(qxtest::KeyPress("shift+Home"));
    const DWORD before = panel->GetSelectColor();
    size_t reports = Reports().size();
    ASSERT_TRUE(qxtest::TypeText("12345"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return hex->GetEditText() == L"12345"; }, kWait));
    EXPECT_EQ(Reports().size(), reports) << "five digits change nothing";
    EXPECT_EQ(panel->GetSelectColor(), before);

    ASSERT_TRUE(qxtest::TypeText("6"));
    ASSERT_TRUE(WaitForReports(reports + 1));
    EXPECT_EQ(Reports().back(), 0x563412);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(panel->GetSpin(i)->GetCurValue(), Channel(0x563412, i)) << i;
    EXPECT_EQ(panel->GetCurrentSwatch()->GetColor(), 0x563412u);
    EXPECT_THAT(QxUI::HslStepsToRgb(panel->GetPalette()->GetHsl()) & 0xFFFFFF, qxtest::IsNearColour(0x563412, 4));
    EXPECT_TRUE(hex->GetEditText() == L"123456") << "the field keeps what was typed";
}

TEST_F(ColorPaletteTest, SpinAndSwatchesKeepTheFieldsInStep) {
    // A preset swatch: its colour everywhere.
    QxUI::CColorButton* preset = panel->GetPreset(1);
    ASSERT_NE(preset, nullptr);
    CRect p = preset->GetRect();
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), p.left + 10, p.top + 10));
    ASSERT_TRUE(WaitForReports(1));
    EXPECT_EQ(Reports().back(), 0x23A2F9);
    ExpectPartsShow(0x23A2F9, "preset");
    EXPECT_THAT(panel->GetSelectColor(), qxtest::IsNearColour(0x23A2F9, 4));
    EXPECT_EQ(panel->GetCurrentSwatch()->GetCheck(), 1) << "another group";

    // The red spin's up arrow: red 0xF9 + 1.
    QxUI::MControl* up = panel->GetSpin(0)->GetUpButton();
    ASSERT_NE(up, nullptr);
    CRect arrow = up->GetRect();
    ASSERT_FALSE(arrow.IsRectEmpty());
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), arrow.left + arrow.Width() / 2, arrow.top + arrow.Height() / 2));
    ASSERT_TRUE(WaitForReports(2));
    EXPECT_EQ(Reports().back(), 0x23A2FA);
    ExpectPartsShow(0x23A2FA, "spin");
    EXPECT_THAT(panel->GetSelectColor(), qxtest::IsNearColour(0x23A2FA, 4));

    // The current swatch pressed gives its colour back to every part.
    panel->GetPalette()->SetSelectColor(0x00FF00);
    CRect current = panel->GetCurrentSwatch()->GetRect();
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), current.left + 25, current.top + 11));
    ASSERT_TRUE(WaitForReports(3));
    EXPECT_EQ(Reports().back(), 0x23A2FA);
    EXPECT_THAT(panel->GetSelectColor(), qxtest::IsNearColour(0x23A2FA, 4));

    // Set by program: every part shows it, nothing is reported.
    panel->SetSelectColor(0x102030);
    ExpectPartsShow(0x102030, "set by program");
    EXPECT_EQ(Reports().size(), 3u);
}

TEST(ColorSelect, PressedSwatchIsReportedWithItsIndex) {
    qxtest::ButtonWindow window;
    ASSERT_TRUE(window.Create(150, 120, 200, 240));
    auto* column = window.Make<QxUI::CColorSelect>(L"CColorSelect", kPanelId, CRect(20, 20, 60, 200), L"");
    ASSERT_NE(column, nullptr);
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 30, 20 + 5 + 3 * 25 + 10));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !window.Codes(kPanelId).empty(); }, kWait));
    const auto* report = window.Last(kPanelId);
    EXPECT_EQ(report->code, QxUI::NOTIFY_COLOR);
    EXPECT_EQ(report->wParam, 3u);
    EXPECT_EQ(report->lParam, 0x00FFFF);
    ASSERT_TRUE(window.WaitForCodes(QxUI::CColorSelect::kFirstSwatchId + 3, 2, kWait));
    EXPECT_EQ(window.Codes(QxUI::CColorSelect::kFirstSwatchId + 3),
              (std::vector<UINT>{QxUI::NOTIFY_PRESS, QxUI::NOTIFY_CLICK}));

    column->SetColorIndex(7);  // out of range: nothing
    EXPECT_EQ(column->GetSwatch(3)->GetCheck(), 1);
    column->SetColorIndex(5);
    EXPECT_EQ(column->GetSwatch(3)->GetCheck(), 0);
    EXPECT_EQ(column->GetSwatch(5)->GetCheck(), 1);
    column->SetColorIndex(-1);
    for (int i = 0; i < QxUI::CColorSelect::kSwatches; ++i) EXPECT_EQ(column->GetSwatch(i)->GetCheck(), 0) << i;
    EXPECT_EQ(column->GetSelectColor(), 0u);
    window.Destroy();
}

}  // namespace
