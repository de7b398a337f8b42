// The key-function menu in a window driven by the real pointer and keyboard: what each choice
// leaves in the store, on the simulated keyboard and on the key.
#include <algorithm>
#include <map>
#include <set>

#include "device/key_codes.h"
#include "device/key_functions.h"
#include "tests/controller/keyboard_state.h"
#include "tests/keymenu/key_menu_fixture.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_palette_bar.h"
#include "toolkit/controls/picture_palette.h"
#include "toolkit/controls/qx_list_box.h"
#include "windows/custom_light_dialog.h"
#include "windows/menu_custom_key_dialog.h"
#include "windows/menu_macro_dialog.h"

namespace qx::test {
namespace {

constexpr uint32_t kKeyA = 0x04;
constexpr uint32_t kKeyQ = 0x14;
constexpr uint32_t kKeyW = 0x1A;
constexpr uint32_t kKeyE = 0x08;
constexpr uint32_t kKeyR = 0x15;
constexpr uint32_t kKeySpace = 0x2C;

class KeyMenu : public KeyMenuFixture {};

// Reports that went out after the log was last cleared.
size_t SentCount(const sim::WireLog& log) { return log.SentReports().size(); }

class KeyMenuFamilies : public KeyMenuFixture, public ::testing::WithParamInterface<int> {};

TEST_P(KeyMenuFamilies, MultimediaMute) {
    Start(GetParam());
    OpenMenuOn(kKeyA);
    PointAtCategory(601, [&] { return menu->Submenu() != nullptr; });
    ASSERT_TRUE(ClickRow(*menu->Submenu(), 636));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Confirmed(); }, kWait));

    const auto rows = StoredFunctions();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].keyCode, static_cast<int>(kKeyA));
    EXPECT_EQ(rows[0].macroType, 601);
    EXPECT_EQ(rows[0].macroValue, 636);
    EXPECT_EQ(rows[0].macroDesc, L"Mute");
    EXPECT_EQ(TipOf(kKeyA), QxUI::CString(L"Mute"));
    EXPECT_EQ(menu->KeyMenu(), nullptr);
    EXPECT_EQ(menu->Submenu(), nullptr);
    // The send carries Mute's consumer usage, and the keyboard decoded it into the stored function.
    const auto sent = log.SentReports();
    ASSERT_FALSE(sent.empty());
    const uint8_t mute = MultimediaUsage(636).value_or(0);
    ASSERT_NE(mute, 0);
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(),
                            [&](const auto& r) { return std::find(r.begin(), r.end(), mute) != r.end(); }));
    ExpectKeyboardMatchesStore(*controller, hid.BehaviorOf(keyboardId));
}

INSTANTIATE_TEST_SUITE_P(Types, KeyMenuFamilies, ::testing::Values(2, 3, 5));

TEST_F(KeyMenu, DefaultOnAKeyWithoutFunctionStillConfirmsAndSends) {
    Start(5);
    OpenMenuOn(kKeyA);
    ASSERT_TRUE(ClickRow(*menu->KeyMenu(), 0));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Confirmed(); }, kWait));
    EXPECT_TRUE(StoredFunctions().empty());
    EXPECT_GT(SentCount(log), 0u);
    EXPECT_TRUE(TipOf(kKeyA).IsEmpty());
    EXPECT_EQ(menu->KeyMenu(), nullptr);
    ExpectKeyboardMatchesStore(*controller, hid.BehaviorOf(keyboardId));
}

TEST_F(KeyMenu, CtrlThenAInTheKeyCombinationDialog) {
    Start(3);
    OpenMenuOn(kKeyA);
    PointAtCategory(604, [&] { return menu->CustomKeyDialog() != nullptr; });
    MenuCustomKeyDlg& dialog = *menu->CustomKeyDialog();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 70, 23));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.IsCapturing(); }, kWait));
    ASSERT_TRUE(qxtest::KeyDown("ctrl"));
    ASSERT_TRUE(qxtest::KeyPress("a"));
    ASSERT_TRUE(qxtest::KeyUp("ctrl"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.Captured().keyName == L"A"; }, kWait));
    EXPECT_EQ(dialog.EditField()->GetTitle(), QxUI::CString(L"Ctrl + A"));

    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 103, 113));   // OK
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Confirmed(); }, kWait));
    const auto rows = StoredFunctions();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].macroType, 604);
    EXPECT_EQ(rows[0].macroValue, VkToHidUsage('A'));
    EXPECT_EQ(rows[0].macroValue2, VkToHidUsage(VK_LCONTROL));
    EXPECT_EQ(rows[0].macroDesc, L"Ctrl+A");
    EXPECT_EQ(TipOf(kKeyA), QxUI::CString(L"Ctrl+A"));
    EXPECT_EQ(menu->CustomKeyDialog(), nullptr);
    ExpectKeyboardMatchesStore(*controller, hid.BehaviorOf(keyboardId));
}

TEST_F(KeyMenu, CancelEmptiesTheCapturedCombination) {
    Start(3);
    OpenMenuOn(kKeyA);
    PointAtCategory(604, [&] { return menu->CustomKeyDialog() != nullptr; });
    MenuCustomKeyDlg& dialog = *menu->CustomKeyDialog();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 70, 23));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.IsCapturing(); }, kWait));
    ASSERT_TRUE(qxtest::KeyPress("b"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.Captured().keyName == L"B"; }, kWait));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 38, 113));   // Cancel: the field loses the focus
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !dialog.IsCapturing() && dialog.Captured().keyName.empty(); }, kWait));
    EXPECT_TRUE(dialog.Captured().keyName.empty());
    EXPECT_EQ(dialog.EditField()->GetTitle(), QxUI::CString(L""));
}

TEST_F(KeyMenu, MacroChosenInTheMacroDialog) {
    Start(5);
    MacroRow macro;
    macro.name = L"combo";
    macro.playTimes = 1;
    const int macroId = controller->Database().InsertMacro(macro);
    MacroRecordRow step;
    step.macroId = macroId;
    step.type = 1;
    step.value = 0x41;
    controller->Database().InsertMacroRecord(step);

    OpenMenuOn(kKeyA);
    PointAtCategory(602, [&] { return menu->MacroDialog() != nullptr; });
    MenuMacroDlg& dialog = *menu->MacroDialog();
    RECT r;
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetWindowRect(dialog.GetSafeHwnd(), &r) && r.bottom - r.top == 71; }, kWait));
    EXPECT_EQ(dialog.DeviceType(), 5);
    ASSERT_EQ(dialog.List()->GetItemCount(), 1);
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 60, 20));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Confirmed(); }, kWait));
    const auto rows = StoredFunctions();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].macroType, 602);
    EXPECT_EQ(rows[0].macroValue, macroId);
    EXPECT_EQ(rows[0].macroDesc, L"combo");
    EXPECT_EQ(TipOf(kKeyA), QxUI::CString(L"combo"));
    EXPECT_EQ(menu->MacroDialog(), nullptr);
    ExpectKeyboardMatchesStore(*controller, hid.BehaviorOf(keyboardId));
}

TEST_F(KeyMenu, CreateMacroButtonOpensTheEditorForANewMacro) {
    Start(5);
    OpenMenuOn(kKeyA);
    PointAtCategory(602, [&] { return menu->MacroDialog() != nullptr; });
    MenuMacroDlg& dialog = *menu->MacroDialog();
    RECT r;
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetWindowRect(dialog.GetSafeHwnd(), &r) && r.bottom - r.top == 35; }, kWait));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 68, 18));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !host->editorOpens.empty(); }, kWait));
    EXPECT_EQ(host->editorOpens, std::vector<int>{0});
    EXPECT_EQ(menu->MacroDialog(), nullptr);
    EXPECT_EQ(menu->KeyMenu(), nullptr);
    EXPECT_TRUE(StoredFunctions().empty());
}

TEST_F(KeyMenu, PointingBackAndForthRecreatesTheSubmenuAndTheSameCategoryKeepsIt) {
    Start(5);
    OpenMenuOn(kKeyA);
    HWND previous = nullptr;
    for (int category : {600, 601, 600, 601}) {
        PointAtCategory(category, [&] { return menu->Submenu() != nullptr; });
        HWND current = menu->Submenu()->GetSafeHwnd();
        EXPECT_NE(current, previous);
        if (previous) EXPECT_FALSE(::IsWindow(previous)) << "the other category's submenu closed";
        // Its rows are this category's.
        EXPECT_NE(menu->Submenu()->GetControl(category == 600 ? 620 : 636), nullptr);
        previous = current;
    }
    // Into the submenu and back onto the same category: the submenu stays.
    ASSERT_TRUE(PointAtRow(*menu->Submenu(), 633));
    ASSERT_TRUE(PointAtRow(*menu->KeyMenu(), 601));
    ::PostMessageW(window.GetSafeHwnd(), kMessageKeyMenu, 11, 601);   // as a second hover report would
    qxtest::PumpMessages();
    EXPECT_EQ(menu->Submenu()->GetSafeHwnd(), previous);
    EXPECT_TRUE(::IsWindow(previous));
    // A dialog category closes the submenu, and "Default" closes the dialog.
    PointAtCategory(605, [&] { return menu->LightDialog() != nullptr; });
    EXPECT_EQ(menu->Submenu(), nullptr);
    ASSERT_TRUE(PointAtRow(*menu->KeyMenu(), 0));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->LightDialog() == nullptr; }, kWait));
    EXPECT_NE(menu->KeyMenu(), nullptr);
}

TEST_F(KeyMenu, FrameOfThreeKeysThenAColourPaintsExactlyThoseKeys) {
    Start(3);
    const QxUI::CRect q = KeyRect(kKeyQ);
    const QxUI::CPoint e = KeyCentre(kKeyE);
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), q.left + 3, q.top + 3));
    ASSERT_TRUE(qxtest::ButtonDown());
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), (q.left + e.x) / 2, e.y));
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), e.x, e.y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return View().GetCheckItemCount() == 3; }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp());
    ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->LightDialog() != nullptr; }, kWait));
    EXPECT_EQ(menu->KeyMenu(), nullptr);
    CustomLightDlg& dialog = *menu->LightDialog();
    RECT placed;
    ::GetWindowRect(dialog.GetSafeHwnd(), &placed);
    POINT cursor;
    ::GetCursorPos(&cursor);
    EXPECT_EQ(placed.left, cursor.x + 8);
    EXPECT_EQ(placed.top, cursor.y + 12);

    // The blue swatch (second row, second column).
    ASSERT_NE(dialog.GetControl(36), nullptr);
    const uint32_t colour = CustomLightDlg::SwatchColor(36);
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 51, 59));
    std::map<int, uint32_t> leds;
    ASSERT_TRUE(qxtest::PumpUntil([&] {
        leds = StoredLedColours(*controller, controller->CurrentProfile());
        return std::count_if(leds.begin(), leds.end(), [](const auto& l) { return l.second != 0; }) == 3;
    }, kWait));
    const auto& lights = controller->LayoutTables().lightIndex;
    std::set<int> painted;
    for (const auto& [light, value] : leds)
        if (value != 0) painted.insert(light);
    EXPECT_EQ(painted, (std::set<int>{lights.at(kKeyQ), lights.at(kKeyW), lights.at(kKeyE)}));
    for (int light : painted) EXPECT_EQ(leds.at(light), colour);
    EXPECT_EQ(leds.count(lights.at(kKeyR)) ? leds.at(lights.at(kKeyR)) : 0u, 0u);
    EXPECT_NE(menu->LightDialog(), nullptr) << "the colour dialog stays for another try";
    auto* kb = dynamic_cast<sim::FeatureKeyboard*>(hid.BehaviorOf(keyboardId));
    ASSERT_NE(kb, nullptr);
    ExpectFeatureKeyboardMatches(*controller, *kb, true);
}

TEST_F(KeyMenu, PaletteSendsAtOnceThePaletteBarOnReleaseAndTurnOffSendsZero) {
    Start(5);
    OpenMenuOn(kKeyA);
    PointAtCategory(605, [&] { return menu->LightDialog() != nullptr; });
    CustomLightDlg& dialog = *menu->LightDialog();
    auto* palette = static_cast<QxUI::PicturePalette*>(dialog.GetControl(39));
    auto* bar = static_cast<QxUI::MPaletteBar*>(dialog.GetControl(40));
    ASSERT_NE(palette, nullptr);
    ASSERT_NE(bar, nullptr);

    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 23, 95));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host->colours.size() == 1; }, kWait));
    EXPECT_EQ(host->colours[0], palette->GetSelectColor());

    // Dragging on the bar previews only; the release sends the bar's colour.
    const DWORD before = bar->GetSelectColor();
    ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 65, 80));
    ASSERT_TRUE(qxtest::ButtonDown());
    ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 65, 100));
    ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 65, 120));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return bar->GetSelectColor() != before; }, kWait)) << "the drag moved the marker";
    EXPECT_EQ(host->colours.size(), 1u) << "a drag only previews";
    ASSERT_TRUE(qxtest::ButtonUp());
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host->colours.size() == 2; }, kWait));
    EXPECT_EQ(host->colours[1], bar->GetSelectColor());

    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 68, 155));   // "Turn Off"
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host->colours.size() == 3; }, kWait));
    EXPECT_EQ(host->colours[2], 0u);
    EXPECT_NE(menu->LightDialog(), nullptr);
}

TEST_F(KeyMenu, FrameOfOneKeyOpensTheMenuForThatKey) {
    Start(5);
    const QxUI::CRect space = KeyRect(kKeySpace);
    // A frame of at least the smallest selecting size, inside the one key.
    const int y = space.top + 4;
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), space.left + 10, y));
    ASSERT_TRUE(qxtest::ButtonDown());
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), space.left + 40, y + 5));
    ASSERT_TRUE(qxtest::MoveTo(window.GetSafeHwnd(), space.left + 60, y + 10));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return View().GetCheckItemCount() == 1; }, kWait));
    ASSERT_TRUE(qxtest::ButtonUp());
    ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->KeyMenu() != nullptr; }, kWait));
    EXPECT_EQ(menu->SelectedKey(), kKeySpace);
    EXPECT_EQ(controller->SelectedKey(), kKeySpace);
    EXPECT_EQ(menu->LightDialog(), nullptr);
}

TEST_F(KeyMenu, WithoutAKeyboardAClickAsksForOneAndOpensNothing) {
    Start(0);
    const QxUI::CPoint at = KeyCentre(kKeyA);
    ASSERT_TRUE(qxtest::ClickAt(window.GetSafeHwnd(), at.x, at.y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !view.messages.empty(); }, kWait));
    EXPECT_EQ(view.messages.front(), kTextPleaseConnect);
    EXPECT_EQ(menu->KeyMenu(), nullptr);
    EXPECT_EQ(menu->LightDialog(), nullptr);
}

TEST_F(KeyMenu, AClickIntoTheWindowClosesEveryPopup) {
    Start(5);
    OpenMenuOn(kKeyA);
    PointAtCategory(603, [&] { return menu->Submenu() != nullptr; });
    HWND submenu = menu->Submenu()->GetSafeHwnd();
    ASSERT_TRUE(qxtest::ClickAt(window.GetSafeHwnd(), 500, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->KeyMenu() == nullptr && menu->Submenu() == nullptr; }, kWait));
    EXPECT_FALSE(::IsWindow(submenu));
}

}  // namespace
}  // namespace qx::test
