// The key-function menu of the real program under Wine, driven with the real pointer and keys on
// simulated keyboards: choices from its submenus, "Default", the key combination dialog, frame
// selections with the colour dialog, and how its submenus follow the pointer. Each case is checked
// through the wire log, the model's database and the key's tip and outline on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/feature_reports.h"
#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/device_types.h"
#include "device/hid_device_manager.h"
#include "device/protocol_sessions.h"
#include "device/type2_reports.h"
#include "sim/simulated_hid.h"
#include "tests/app/win32/support/program_keys.h"

namespace qx {
namespace {

using namespace e2e;
using test::HexText;
using KeyFunctionsTest = KeyFunctionProgramTest;

constexpr int kCategoryRows = 7;
constexpr int kMultimediaRow = 1;
constexpr int kMultimediaRows = 7;
constexpr int kMuteRow = 6;   // the last multimedia row

// The key table of the output-report family as the program sends it: start, six slices, the
// fixed slice, end.
std::vector<std::string> OutputKeyTableReports(const std::vector<KeyMacroRow>& functions,
                                               const KeyboardLayoutTables& tables) {
    const std::vector<uint8_t> table = BuildOutputKeyTable(functions, tables.keyIndex, {});
    std::vector<std::string> reports{HexText(BuildOutputStart())};
    for (unsigned i = 0; i < 6; ++i) reports.push_back(HexText(BuildOutputChunk(kOutputKeyMapChunk, 0x38, 56 * i, table, 56)));
    reports.push_back(HexText(BuildType5FixedKeyMapChunk()));
    reports.push_back(HexText(BuildOutputEnd()));
    return reports;
}

// What each family sends when `row` becomes a key's only function.
std::vector<std::string> KeyFunctionReports(int type, const KeyMacroRow& row, const KeyboardLayoutTables& tables) {
    switch (type) {
        case 2:
            return {HexText(BuildType2SelectProfile(1)),
                    HexText(BuildType2KeyFunction(HidUsageToType2KeyPosition(static_cast<uint32_t>(row.keyCode)), row))};
        case 3: return FeatureFrameReports(BuildFeatureKeyMapFrame(3, {row}, tables.keyIndex, {}));
        default: return OutputKeyTableReports({row}, tables);
    }
}

void ExpectOnlyFunction(int type, const KeyMacroRow& expected) {
    const std::vector<KeyMacroRow> rows = StoredKeyFunctions(type);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].keyCode, expected.keyCode);
    EXPECT_EQ(rows[0].macroType, expected.macroType);
    EXPECT_EQ(rows[0].macroValue, expected.macroValue);
    EXPECT_EQ(rows[0].macroValue2, expected.macroValue2);
    EXPECT_EQ(rows[0].macroDesc, expected.macroDesc);
}

// The system's name of a key, as the key combination dialog takes it (Wine's names may differ
// from Windows', so they are asked for rather than written down).
std::wstring SystemKeyName(unsigned scanCode) {
    wchar_t name[64] = {};
    GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 64);
    return name;
}

TEST_F(KeyFunctionsTest, MuteFromTheMultimediaSubmenuOnEveryFamily) {
    struct Case {
        int type;
        const wchar_t* key;
    };
    const Case cases[] = {{2, L"A"}, {3, L"A"}, {5, L"A"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        StartType(c.type);
        const ProgramKey& key = layout_.Key(c.key);
        HWND menu = OpenMenuOn(key);
        ASSERT_NE(menu, nullptr) << "no key menu at the pointer";
        ASSERT_TRUE(PointAtRow(menu, kMultimediaRow));
        HWND submenu = WaitForSubmenu(menu, kMultimediaRow, kMultimediaRows);
        ASSERT_NE(submenu, nullptr);
        const size_t before = WireLines().size();
        ASSERT_TRUE(ClickScreen(MenuRowPoint(submenu, kMuteRow, kMultimediaRows)));

        const KeyMacroRow mute = MuteOn(1, static_cast<int>(key.code));
        EXPECT_TRUE(WaitForReports(before, KeyFunctionReports(c.type, mute, layout_.tables)));
        ExpectConfirmation();
        EXPECT_TRUE(WaitFor([&] { return !StoredKeyFunctions(c.type).empty(); }));
        ExpectOnlyFunction(c.type, mute);
        EXPECT_TRUE(Menus(false).empty()) << "the choice closes both menus";
        EXPECT_TRUE(TipShownOver(key)) << "the key tip names the function";
        DeselectKeys();
        EXPECT_TRUE(WaitForOutline(key, true)) << "a key with a function keeps its outline";
        StopAndForget();
    }
}

TEST_F(KeyFunctionsTest, DefaultOnAKeyWithoutAFunctionStoresNothingAndSendsTheDefaults) {
    StartType(5);
    const ProgramKey& key = layout_.Key(L"W");
    HWND menu = OpenMenuOn(key);
    ASSERT_NE(menu, nullptr);
    const size_t before = WireLines().size();
    // "Default" is the last row and acts on a click.
    ASSERT_TRUE(PointAtRow(menu, kCategoryRows - 1));
    ASSERT_TRUE(ClickScreen(MenuRowPoint(menu, kCategoryRows - 1, kCategoryRows)));
    EXPECT_TRUE(WaitForReports(before, OutputKeyTableReports({}, layout_.tables)));
    ExpectConfirmation();
    EXPECT_TRUE(StoredKeyFunctions(5).empty());
    EXPECT_TRUE(Menus(false).empty());
    DeselectKeys();
    EXPECT_TRUE(WaitForOutline(key, false)) << "no outline without a function";
    EXPECT_EQ(OutlinePixels(key), 0);
}

TEST_F(KeyFunctionsTest, CtrlThenAInTheKeyCombinationDialog) {
    StartType(3);
    const ProgramKey& key = layout_.Key(L"A");
    HWND menu = OpenMenuOn(key);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(PointAtRow(menu, 4));   // key combination
    HWND dialog = WaitForWindow(nullptr, L"MenuCustomKeyDlg");
    ASSERT_NE(dialog, nullptr);
    const RECT m = WindowRect(menu);
    EXPECT_EQ(WindowRect(dialog).top, m.top + MenuRows(m.right - m.left, kCategoryRows).rows[4].top);
    ASSERT_TRUE(ClickPopup(dialog, 70, 23));   // into the edit field: the capture starts
    HWND field = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND w : Windows(L"PnEditWindow"))
            if (GetWindow(w, GW_OWNER) == dialog) field = w;
        return field != nullptr;
    })) << "the edit field did not open";
    ASSERT_TRUE(qxtest::KeyDown("ctrl"));
    ASSERT_TRUE(qxtest::KeyPress("a"));
    ASSERT_TRUE(qxtest::KeyUp("ctrl"));
    // The decoder names Ctrl itself; the letter keeps the system's name.
    const std::wstring ctrl = L"Ctrl", a = SystemKeyName(MapVirtualKeyW('A', MAPVK_VK_TO_VSC));
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(WaitFor([&] { return WindowText(field) == ctrl + L" + " + a; }))
        << "the field shows the combination";

    const size_t before = WireLines().size();
    ASSERT_TRUE(ClickPopup(dialog, 103, 113));   // OK
    KeyMacroRow expected;
    expected.profile = 1;
    expected.keyCode = static_cast<int>(key.code);
    expected.macroType = 604;
    expected.macroValue = VkToHidUsage('A');
    expected.macroValue2 = VkToHidUsage(VK_LCONTROL);
    expected.macroDesc = ctrl + L"+" + a;   // "Ctrl+A"
    EXPECT_TRUE(WaitForReports(before, KeyFunctionReports(3, expected, layout_.tables)));
    ExpectConfirmation();
    ExpectOnlyFunction(3, expected);
    EXPECT_TRUE(Windows(nullptr, L"MenuCustomKeyDlg", false).empty());
    EXPECT_TRUE(TipShownOver(key));
}

TEST_F(KeyFunctionsTest, FrameOfThreeKeysThenASwatchColoursExactlyThoseKeys) {
    for (int button : {1, 3}) {
        SCOPED_TRACE(button == 1 ? "left button frame" : "right button frame");
        StartType(5);
        // An earlier click leaves a selected key outside the frame.
        const ProgramKey& earlier = layout_.Key(L"Z");
        ASSERT_NE(OpenMenuOn(earlier), nullptr);
        const ProgramKey& q = layout_.Key(L"Q");
        const ProgramKey& e = layout_.Key(L"E");
        const POINT ec = e.Centre();
        ASSERT_TRUE(qxtest::MoveTo(window_, q.rect.left + 3, q.rect.top + 3));
        ASSERT_TRUE(qxtest::ButtonDown(button));
        ASSERT_TRUE(qxtest::MoveTo(window_, (q.rect.left + ec.x) / 2, ec.y));
        ASSERT_TRUE(qxtest::MoveTo(window_, ec.x, ec.y));
        ASSERT_TRUE(qxtest::ButtonUp(button));

        HWND dialog = WaitForWindow(nullptr, L"CustomLightDlg");
        ASSERT_NE(dialog, nullptr) << "no colour dialog after the frame";
        POINT cursor;
        GetCursorPos(&cursor);
        EXPECT_EQ(WindowRect(dialog).left, cursor.x + 8);
        EXPECT_EQ(WindowRect(dialog).top, cursor.y + 12);
        EXPECT_TRUE(Menus().empty());

        const size_t before = WireLines().size();
        ASSERT_TRUE(ClickPopup(dialog, 51, 59));   // the blue swatch
        const int blue = 0xFF0000;
        std::vector<KeyRgbRow> expected;
        std::set<int> framed;
        for (const wchar_t* name : {L"Q", L"W", L"E"}) {
            KeyRgbRow row;
            row.keyCode = static_cast<int>(layout_.Key(name).code);
            row.keyRgb = blue;
            expected.push_back(row);
            framed.insert(row.keyCode);
        }
        const std::vector<uint8_t> table = BuildOutputColourTable(expected, layout_.tables.lightIndex);
        std::vector<std::string> reports{HexText(BuildOutputStart())};
        for (unsigned i = 0; i < 7; ++i)
            reports.push_back(HexText(BuildOutputChunk(kOutputColourChunk, i < 6 ? 0x38 : 0x30, 56 * i, table, 56)));
        reports.push_back(HexText(BuildOutputEnd()));
        EXPECT_TRUE(WaitForReports(before, reports));

        std::map<int, int> stored;
        EXPECT_TRUE(WaitFor([&] {
            stored.clear();
            for (const KeyRgbRow& row : StoredKeyColours(5)) stored[row.keyCode] = row.keyRgb;
            const auto painted = stored.find(static_cast<int>(q.code));
            return painted != stored.end() && painted->second == blue;
        }));
        for (const auto& [code, colour] : stored) EXPECT_EQ(colour, framed.count(code) ? blue : 0) << "key " << code;
        EXPECT_FALSE(Windows(nullptr, L"CustomLightDlg").empty()) << "the colour dialog stays for another try";
        StopAndForget();
    }
}

TEST_F(KeyFunctionsTest, AFrameOfOneKeyOpensTheMenuForThatKey) {
    StartType(5);
    const ProgramKey& space = layout_.Key(L"Space");
    const int y = space.rect.top + 4;
    ASSERT_TRUE(qxtest::MoveTo(window_, space.rect.left + 10, y));
    ASSERT_TRUE(qxtest::ButtonDown());
    ASSERT_TRUE(qxtest::MoveTo(window_, space.rect.left + 40, y + 5));
    ASSERT_TRUE(qxtest::MoveTo(window_, space.rect.left + 60, y + 10));
    ASSERT_TRUE(qxtest::ButtonUp());
    HWND menu = nullptr;
    POINT cursor{};
    ASSERT_TRUE(WaitFor([&] {
        const auto menus = Menus();
        menu = menus.size() == 1 ? menus.front() : nullptr;
        return menu != nullptr;
    })) << "no menu after a frame of one key";
    GetCursorPos(&cursor);
    EXPECT_EQ(WindowRect(menu).left, cursor.x);
    EXPECT_EQ(WindowRect(menu).top, cursor.y);
    EXPECT_TRUE(Windows(nullptr, L"CustomLightDlg", false).empty());
    // The menu is the framed key's: its choice lands there.
    ASSERT_TRUE(PointAtRow(menu, kMultimediaRow));
    HWND submenu = WaitForSubmenu(menu, kMultimediaRow, kMultimediaRows);
    ASSERT_NE(submenu, nullptr);
    ASSERT_TRUE(ClickScreen(MenuRowPoint(submenu, kMuteRow, kMultimediaRows)));
    ExpectConfirmation();
    ExpectOnlyFunction(5, MuteOn(1, static_cast<int>(space.code)));
}

TEST_F(KeyFunctionsTest, PointingBackAndForthLeavesOnlyTheSubmenuOfTheCategoryPointedAt) {
    StartType(5);
    HWND menu = OpenMenuOn(layout_.Key(L"A"));
    ASSERT_NE(menu, nullptr);
    struct Step {
        int row;
        int rows;          // the submenu's rows, 0 for a category that opens a dialog
        const wchar_t* dialog;
    };
    // A dialog category comes last: the case after one is the next test.
    const Step steps[] = {{0, 11, nullptr}, {1, 7, nullptr}, {0, 11, nullptr},
                          {1, 7, nullptr},  {3, 5, nullptr}, {5, 0, L"CustomLightDlg"}};
    HWND previous = nullptr;
    for (const Step& s : steps) {
        SCOPED_TRACE("row " + std::to_string(s.row));
        ASSERT_TRUE(PointAtRow(menu, s.row));
        if (s.rows) {
            HWND submenu = WaitForSubmenu(menu, s.row, s.rows);
            ASSERT_NE(submenu, nullptr) << "the submenu did not follow the pointer";
            if (previous && previous != submenu) EXPECT_FALSE(IsWindow(previous)) << "a stale popup stayed";
            previous = submenu;
        } else {
            HWND dialog = WaitForWindow(nullptr, s.dialog);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(WaitFor([&] { return Menus(false).size() == 1; })) << "a submenu stayed beside a dialog";
            if (previous) EXPECT_FALSE(IsWindow(previous));
            previous = dialog;
        }
        for (const wchar_t* title : {L"MenuCustomKeyDlg", L"CustomLightDlg", L"MenuMacroDlg"})
            if (!s.dialog || wcscmp(title, s.dialog) != 0) EXPECT_TRUE(Windows(nullptr, title, false).empty()) << "stale popup";
    }
    // A click into the window closes everything.
    Click(500, 40);
    EXPECT_TRUE(WaitFor([&] { return Menus(false).empty() && !IsWindow(previous); }));
}


// A category's dialog that goes while it has the activation must not leave the main window
// above the menu: the submenu opened next would stay and the menu stop following the pointer.
// The component test's host window lies beside the menu, so only the running program shows it.
TEST_F(KeyFunctionsTest, AfterTheKeyCombinationDialogTheMenuStillFollowsThePointer) {
    StartType(5);
    HWND menu = OpenMenuOn(layout_.Key(L"A"));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(PointAtRow(menu, 4));
    ASSERT_NE(WaitForWindow(nullptr, L"MenuCustomKeyDlg"), nullptr);
    ASSERT_TRUE(PointAtRow(menu, kMultimediaRow));
    ASSERT_NE(WaitForSubmenu(menu, kMultimediaRow, kMultimediaRows), nullptr);
    ASSERT_TRUE(PointAtRow(menu, 5));
    EXPECT_NE(WaitForWindow(nullptr, L"CustomLightDlg"), nullptr);
    EXPECT_TRUE(WaitFor([&] { return Menus(false).size() == 1; })) << "the multimedia submenu stayed";
}

}  // namespace
}  // namespace qx
