// Lighting buttons: light-mode rows checked one at a time per group and owner, the colour
// swatch that checks itself on the press, and the icon button's key tip window. Real pointer
// and key input; looks checked by pixel probes against the shipped skin.
#include <memory>

#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/test_controls.h"
#include "toolkit/controls/c_color_button.h"
#include "toolkit/controls/c_icon_button.h"
#include "toolkit/controls/c_radio_button.h"
#include "toolkit/controls/light_mode_button.h"
#include "toolkit/core/c_keyboard_tips.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::LightModeButton;
using qxtest::IsNearColour;
using ::testing::ElementsAre;

constexpr int kWait = 10000;
constexpr int kRowWidth = 160;
constexpr int kRowHeight = 33;

// A skin pixel as the window shows it: blended over the window's background.
DWORD OverBackground(DWORD argb) {
    const DWORD back = qxtest::ButtonWindow::kBackground;
    int a = (argb >> 24) & 0xFF;
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int s = (argb >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        out |= static_cast<DWORD>((s * a + b * (255 - a) + 127) / 255) << shift;
    }
    return out;
}
DWORD BulletPixel(int look) { return OverBackground(qxtest::ShippedSkinPixel(L"img_radio_button.png", look * 18 + 9, 9)); }
DWORD RowPixel(int x, int y) { return OverBackground(qxtest::ShippedSkinPixel(L"img_lightmode_row_bkg.png", x, y)); }

class LightModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* file : {L"img_radio_button.png", L"img_lightmode_row_bkg.png", L"icon\\icon_light_ripples.png",
                                    L"icon\\icon_light_colorful.png", L"img_tip_bk.png"})
            ASSERT_TRUE(qxtest::UseShippedSkinFile(file)) << "the skin is not built";
        ASSERT_TRUE(window.Create(150, 120, 520, 300));
    }
    void TearDown() override { window.Destroy(); }

    LightModeButton* AddRow(UINT id, int row, const wchar_t* group, const wchar_t* title = L"Wave") {
        auto* b = window.Make<LightModeButton>(L"LightModeButton", id,
                                               CRect(20, 20 + row * kRowHeight, 20 + kRowWidth, 20 + (row + 1) * kRowHeight),
                                               title);
        if (!b) return nullptr;
        b->SetGroupName(group);
        b->SetImage(L"img_radio_button.png");
        b->SetRowBkgImage(L"img_lightmode_row_bkg.png", 1);
        b->SetIconImage(L"icon\\icon_light_ripples.png", 1);
        return b;
    }
    // Centre of row `row`'s bullet, and a point of the row right of its (short) title.
    static CPoint Bullet(int row) { return CPoint(20 + 9, 20 + row * kRowHeight + 16); }
    static CPoint Plain(int row) { return CPoint(20 + 150, 20 + row * kRowHeight + 16); }

    qxtest::ButtonWindow window;
};

TEST_F(LightModeTest, ClickChecksOneRowPerGroupAndOwner) {
    LightModeButton* rows[4] = {};
    const wchar_t* groups[4] = {L"fx", L"fx", L"fx", L"other"};
    for (int i = 0; i < 4; ++i) ASSERT_NE(rows[i] = AddRow(10 + i, i, groups[i]), nullptr);
    rows[1]->SetControlCheck(1);
    rows[2]->SetControlCheck(1);
    rows[2]->SetEnabled(FALSE);  // disabled members still belong to the group
    rows[3]->SetControlCheck(1);
    // A radio button with the same group name is another class; a row under another owner is
    // another group.
    auto* radio = window.Make<QxUI::CRadioButton>(L"CRadioButton", 30, CRect(300, 20, 460, 46), L"R");
    ASSERT_NE(radio, nullptr);
    radio->SetGroupName(L"fx");
    radio->SetControlCheck(1);
    auto* owner = new qxtest::ProbeControl(&window.dialog, 40, CRect(300, 100, 500, 200));
    window.Manager().AddControl(1, owner);
    auto* foreign = new LightModeButton(owner, 41, CRect(300, 120, 460, 153), L"F", TRUE, TRUE);
    owner->AddChildControl(foreign);
    foreign->SetGroupName(L"fx");
    foreign->SetControlCheck(1);

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), Plain(0).x, Plain(0).y));
    ASSERT_TRUE(window.WaitForCodes(10, 1, kWait));
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_CLICK));
    EXPECT_EQ(rows[0]->GetCheck(), 1);
    EXPECT_EQ(rows[1]->GetCheck(), 0);
    EXPECT_EQ(rows[2]->GetCheck(), 0);
    EXPECT_EQ(rows[3]->GetCheck(), 1) << "another group";
    EXPECT_EQ(radio->GetCheck(), 1) << "another class";
    EXPECT_EQ(foreign->GetCheck(), 1) << "another owner";

    // Looks: the clicked row checked and hovered over its highlight, the reset rows plain.
    struct Probe {
        int row;
        int bulletLook;
        bool highlight;
    };
    const Probe probes[] = {{0, 5, true}, {1, 0, false}, {2, 0, false}, {3, 4, true}};
    for (const Probe& p : probes) {
        EXPECT_THAT(window.PixelAt(Bullet(p.row).x, Bullet(p.row).y), IsNearColour(BulletPixel(p.bulletLook), 8))
            << "row " << p.row;
        DWORD expected = p.highlight ? RowPixel(150, 16) : qxtest::ButtonWindow::kBackground & 0xFFFFFF;
        EXPECT_THAT(window.PixelAt(Plain(p.row).x, Plain(p.row).y), IsNearColour(expected, 8)) << "row " << p.row;
    }

    // Clicking the checked row keeps it checked and reports again; SetCheck(0) leaves the whole
    // group unchecked.
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), Plain(0).x, Plain(0).y));
    ASSERT_TRUE(window.WaitForCodes(10, 2, kWait));
    EXPECT_EQ(rows[0]->GetCheck(), 1);
    EXPECT_EQ(rows[0]->SetCheck(0), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i]->GetCheck(), 0) << i;
}

TEST_F(LightModeTest, PressMovedOffIsNoClickAndHoverLightsTheRow) {
    LightModeButton* a = AddRow(10, 0, L"fx");
    LightModeButton* b = AddRow(11, 1, L"fx");
    ASSERT_TRUE(a && b);
    b->SetCheck(1);
    ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), Plain(0), CPoint(400, 250)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return a->GetLook() == QxUI::LOOK_NORMAL; }, kWait));
    EXPECT_TRUE(window.Codes(10).empty());
    EXPECT_EQ(b->GetCheck(), 1);

    // Hover: the row highlight and the hovered bullet, and the title turns yellow.
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), Plain(0)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return a->GetLook() == QxUI::LOOK_HOVER; }, kWait));
    EXPECT_THAT(window.PixelAt(Bullet(0).x, Bullet(0).y), IsNearColour(BulletPixel(1), 8));
    EXPECT_THAT(window.PixelAt(Plain(0).x, Plain(0).y), IsNearColour(RowPixel(150, 16), 8));
    EXPECT_EQ(LightModeButton::TitleColour(1), 0xFFFFF600u);
    EXPECT_EQ(LightModeButton::TitleColour(0), 0xFFFFFFFFu);
    EXPECT_EQ(LightModeButton::TitleColour(7), 0xFFFFFFFFu);
}

TEST_F(LightModeTest, SpaceChecksAfterTheFocusMark) {
    LightModeButton* a = AddRow(10, 0, L"fx");
    LightModeButton* b = AddRow(11, 1, L"fx");
    ASSERT_TRUE(a && b);
    b->SetCheck(1);
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 400, 250));
    ::SetForegroundWindow(window.Hwnd());
    // Space before the focus mark does nothing.
    EXPECT_FALSE(a->OnControlKeyDown(VK_SPACE, 1, 0));
    EXPECT_EQ(a->SetControlFocus(TRUE), 1);
    ASSERT_TRUE(qxtest::KeyPress("space"));
    ASSERT_TRUE(window.WaitForCodes(10, 1, kWait));
    EXPECT_EQ(window.Last(10)->code, QxUI::NOTIFY_CHECK);
    EXPECT_EQ(window.Last(10)->lParam, 1);
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(b->GetCheck(), 0);
    EXPECT_THAT(window.PixelAt(Bullet(0).x, Bullet(0).y), IsNearColour(BulletPixel(4), 8));
}

TEST_F(LightModeTest, IconBesideTheBulletAndDisabledLooks) {
    LightModeButton* single = AddRow(10, 0, L"fx");
    LightModeButton* twoState = AddRow(11, 1, L"fx");
    ASSERT_TRUE(single && twoState);
    // Registered with two states, as the lighting page does: the first state is the icon.
    ASSERT_TRUE(twoState->SetIconImage(L"icon\\icon_light_colorful.png", 2));
    struct Case {
        int row;
        const wchar_t* icon;
    };
    const Case cases[] = {{0, L"icon\\icon_light_ripples.png"}, {1, L"icon\\icon_light_colorful.png"}};
    for (const Case& c : cases) {
        // 12 x 12 icon 8 pixels right of the 18-pixel bullet, vertically centred.
        int x = 20 + 18 + 8, y = 20 + c.row * kRowHeight + (kRowHeight - 12) / 2;
        int matched = 0, inked = 0;
        for (int dy = 0; dy < 12; ++dy)
            for (int dx = 0; dx < 12; ++dx) {
                DWORD skin = qxtest::ShippedSkinPixel(c.icon, dx, dy);
                if (((skin >> 24) & 0xFF) < 200) continue;
                ++inked;
                matched += qxtest::ColourDistance(window.PixelAt(x + dx, y + dy), OverBackground(skin)) <= 8;
            }
        EXPECT_GT(inked, 0);
        EXPECT_EQ(matched, inked) << "row " << c.row;
    }
    single->SetCheck(1);
    twoState->SetEnabled(FALSE);
    single->SetEnabled(FALSE);
    EXPECT_EQ(single->GetLook(), 7);
    EXPECT_EQ(twoState->GetLook(), 3);
    EXPECT_THAT(window.PixelAt(Bullet(0).x, Bullet(0).y), IsNearColour(BulletPixel(7), 8));
    EXPECT_THAT(window.PixelAt(Bullet(1).x, Bullet(1).y), IsNearColour(BulletPixel(3), 8));
    EXPECT_EQ(single->GetCheck(), 1) << "the check survives disabling";

    LightModeButton orphan(nullptr, 60, CRect(0, 0, 10, 10), L"", TRUE, TRUE);
    EXPECT_EQ(orphan.ResetGroupCheck(), 0);
    EXPECT_FALSE(orphan.SetImage(L"img_radio_button.png")) << "no manager";
    EXPECT_FALSE(orphan.SetRowBkgImage(L"img_lightmode_row_bkg.png", 1));
}

// --- colour swatches --------------------------------------------------------------------------

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create(150, 120, 420, 200)); }
    void TearDown() override { window.Destroy(); }
    QxUI::CColorButton* Swatch(UINT id, int x, DWORD colour, const wchar_t* group = L"g") {
        auto* s = window.Make<QxUI::CColorButton>(L"CColorButton", id, CRect(x, 20, x + 30, 50), L"");
        if (!s) return nullptr;
        s->SetColor(colour);
        s->SetGroupName(group);
        return s;
    }
    qxtest::ButtonWindow window;
};

// A swatch colour as the window shows it (COLORREF to 0x00RRGGBB).
DWORD Shown(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

TEST_F(ColorButtonTest, PressChecksAndReportsBeforeTheRelease) {
    auto* a = Swatch(10, 20, 0x0000FF);
    auto* b = Swatch(11, 70, 0x00FF00);
    auto* hidden = Swatch(12, 120, 0xFF0000);
    auto* disabled = Swatch(13, 170, 0x808080);
    ASSERT_TRUE(a && b && hidden && disabled);
    EXPECT_STREQ(a->GetClassNameW(), L"ColorButton");
    b->SetCheck(1);
    hidden->SetControlCheck(1);
    hidden->SetVisible(FALSE);
    disabled->SetControlCheck(1);
    disabled->SetEnabled(FALSE);

    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 35, 35));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    // The press alone checks the swatch and reports it.
    ASSERT_TRUE(window.WaitForCodes(10, 1, kWait));
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_PRESS));
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(b->GetCheck(), 0);
    EXPECT_EQ(hidden->GetCheck(), 1) << "hidden swatches are not reset";
    EXPECT_EQ(disabled->GetCheck(), 1) << "disabled swatches are not reset";
    // Released outside: no click, still checked.
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 300, 150));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return a->GetLook() == QxUI::LOOK_NORMAL; }, kWait));
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_PRESS));
    EXPECT_EQ(a->GetCheck(), 1);

    // A press elsewhere released on a swatch is no click of that swatch.
    ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), CPoint(300, 150), CPoint(85, 35)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return b->GetLook() == QxUI::LOOK_HOVER; }, kWait));
    EXPECT_TRUE(window.Codes(11).empty());
    // A full click reports press then click.
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 85, 35));
    ASSERT_TRUE(window.WaitForCodes(11, 2, kWait));
    EXPECT_THAT(window.Codes(11), ElementsAre(QxUI::NOTIFY_PRESS, QxUI::NOTIFY_CLICK));
    EXPECT_EQ(a->GetCheck(), 0);
}

TEST_F(ColorButtonTest, LooksOfTheSwatch) {
    auto* normal = Swatch(10, 20, 0x0000FF, L"a");
    auto* hovered = Swatch(11, 70, 0x0000FF, L"b");
    auto* checked = Swatch(12, 120, 0x0000FF, L"c");
    auto* disabled = Swatch(13, 170, 0x0000FF, L"d");
    auto* borderless = Swatch(14, 220, 0x0000FF, L"e");
    ASSERT_TRUE(normal && hovered && checked && disabled && borderless);
    checked->SetCheck(1);
    disabled->SetEnabled(FALSE);
    borderless->SetVisibleBorder(false);
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 85, 35));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return hovered->GetLook() == QxUI::LOOK_HOVER; }, kWait));
    const DWORD red = Shown(0x0000FF);
    struct Probe {
        int left;
        DWORD edge;   // the outer pixel column's middle
        DWORD inner;  // the next column in
        const char* what;
    };
    const Probe probes[] = {
        {20, 0x3CAF36, red, "normal: green border"},      {70, 0x3CAF36, red, "hovered: green border"},
        {120, 0x00FFFF, 0x00FFFF, "checked: cyan ring"},  {170, 0x808080, red, "disabled: grey border"},
        {220, red, red, "no border"},
    };
    for (const Probe& p : probes) {
        EXPECT_THAT(window.PixelAt(p.left, 35), IsNearColour(p.edge, 12)) << p.what;
        EXPECT_THAT(window.PixelAt(p.left + 1, 35), IsNearColour(p.inner, 12)) << p.what;
        EXPECT_THAT(window.PixelAt(p.left + 15, 35), IsNearColour(red, 2)) << p.what;
    }
    checked->SetColor(0x00FF00);
    EXPECT_THAT(window.PixelAt(135, 35), IsNearColour(Shown(0x00FF00), 2));
}

// --- icon button tip --------------------------------------------------------------------------

TEST_F(LightModeTest, IconButtonTipShowsOnHoverAndHidesWhenLeaving) {
    ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_button.png"));
    auto* quiet = window.Make<QxUI::CIconButton>(L"CIconButton", 20, CRect(300, 20, 420, 60), L"Quiet");
    auto* icon = window.Make<QxUI::CIconButton>(L"CIconButton", 21, CRect(300, 120, 420, 160), L"Tip");
    ASSERT_TRUE(quiet && icon);
    icon->SetImage(L"img_button.png", 4);
    icon->SetTips(L"Fn + F1", L"Keyboard", L"Mute");
    icon->SetShowTips(true);
    quiet->SetTips(L"never", L"", L"shown");

    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 360, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return quiet->GetLook() == QxUI::LOOK_HOVER; }, kWait));
    EXPECT_EQ(quiet->GetTipWindow(), nullptr) << "tips are off";

    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 360, 140));
    ASSERT_TRUE(qxtest::PumpUntil(
        [&] { return icon->GetTipWindow() && ::IsWindowVisible(icon->GetTipWindow()->GetSafeHwnd()); }, kWait));
    HWND tip = icon->GetTipWindow()->GetSafeHwnd();
    // Above the button's centre, and the window under the pointer keeps the focus.
    RECT placed;
    ::GetWindowRect(tip, &placed);
    POINT anchor = {360, 130};
    ::ClientToScreen(window.Hwnd(), &anchor);
    EXPECT_LE(placed.bottom, anchor.y + 1);
    EXPECT_LE(placed.left, anchor.x);
    EXPECT_GE(placed.right, anchor.x);
    EXPECT_NE(::GetForegroundWindow(), tip);

    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 360, 230));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(tip); }, kWait));
    // Back on the button: shown again; off the window entirely: hidden.
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 360, 140));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::IsWindowVisible(tip) != FALSE; }, kWait));
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 600, 140));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(tip); }, kWait));
}

}  // namespace
