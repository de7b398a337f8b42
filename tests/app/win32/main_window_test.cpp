// The real program under Wine, driven like a user with the real pointer: effects, language,
// profiles, reset, tray, exit paths, connection popups and the macro panel. Checked through
// what it leaves behind: the wire log of the simulated keyboards, the model's database and the
// registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/win32/single_instance.h"
#include "device/feature_reports.h"
#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/type2_reports.h"
#include "sim/wire_log.h"
#include "storage/config_database.h"
#include "tests/app/win32/support/running_program.h"

namespace qx {
namespace {

using namespace e2e;
using MainWindowTest = RunningProgramTest;

// Settings stored before the program starts: effect 4 and Mute on A in profiles 1 and 2, one
// macro in the library, and `profile` remembered as the model's current profile.
void StoreTwoProfiles(int type, const wchar_t* profile) {
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenForModel(DataDir(), ModelOf(type)));
    for (int p : {1, 2}) {
        ASSERT_TRUE(db.SetConfigValue(p, L"lightmode", L"4"));
        ASSERT_GT(db.SetKeyMacro(MuteOn(p, 0x04)), 0);
    }
    MacroRow macro;
    macro.name = L"Tap";
    macro.playTimes = 1;
    const int id = db.InsertMacro(macro);
    ASSERT_GT(id, 0);
    int index = 0;
    for (int step : {kMacroStepKeyDown, kMacroStepKeyUp}) {
        MacroRecordRow row;
        row.macroId = id;
        row.type = step;
        row.recordIndex = index++;
        row.value = 0x41;
        ASSERT_GT(db.InsertMacroRecord(row), 0);
    }
    WriteAppValue(ModelOf(type).c_str(), profile);
}

struct StoredState {
    int keyFunctions[6] = {};  // per profile 1-5
    std::wstring lightModes[6];
    size_t macros = 0;
};

StoredState ReadStoredState(int type) {
    StoredState state;
    for (int p = 1; p <= 5; ++p) {
        state.keyFunctions[p] = static_cast<int>(StoredKeyFunctions(type, p).size());
        state.lightModes[p] = StoredValue(type, p, L"lightmode");
    }
    state.macros = StoredMacros(type).size();
    return state;
}


// A feature command as it crosses the wire, behind report id 0.
std::string Feature(const FeatureCommand& command) { return "00 " + HexStart(command); }

TEST_F(MainWindowTest, ChoosingAnEffectSendsTheFamilysReportAndStoresIt) {
    struct Case {
        int type;
        const wchar_t* keyboards;
        int x, y;  // the third effect of the family: SingleOff (types 2 and 3), Serpentine (type 5)
        std::string bytes;
    };
    const Case cases[] = {
        {2, L"2", 260 + 80, 535 + 16, HexStart(BuildType2LightEffect(*Type2EffectCode(3)))},
        {3, L"3", 260 + 80, 535 + 16, HexStart(BuildType3ModeReport(3))},
        {5, L"5", 430 + 80, 525 + 13, HexStart(BuildOutputLightEffect(5, 3))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetUp();
        Start(c.keyboards);
        ASSERT_TRUE(WaitFor([&] { return StoredValue(c.type, 1, L"lightmode") == L"1"; }));
        const size_t before = WireLines().size();
        Click(c.x, c.y);
        EXPECT_TRUE(WaitForWire(before, c.bytes)) << "wire log after the click lacks " << c.bytes;
        EXPECT_TRUE(WaitFor([&] { return StoredValue(c.type, 1, L"lightmode") == L"3"; }));
        ExitForNextCase();
    }
}

TEST_F(MainWindowTest, LanguageMenuSwitchesToChineseAndStoresIt) {
    Start(L"5");
    Click(1060 - 176 + 21, 49);  // the language button
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = FindWindowW(L"MenuWnd", nullptr)) != nullptr && IsWindowVisible(menu); }));
    RECT r;
    GetWindowRect(menu, &r);
    POINT first{r.left + (r.right - r.left) / 2, 0};
    // The first row, "简体中文", lies in the menu's upper half.
    first.y = r.top + (r.bottom - r.top) / 3;
    ASSERT_TRUE(ClickScreen(first));
    EXPECT_TRUE(WaitFor([] { return ReadAppValue(L"LCID") == L"2052"; }));
}

TEST_F(MainWindowTest, ExitPathsEndWithCodeZeroAndTheTrayRestoresTheWindow) {
    Start(L"none");
    Click(1060 - 90 + 21, 49);  // close: hides, the program stays in the tray
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window_); }));
    PostMessageW(window_, 1090, 0, WM_LBUTTONDOWN);  // what the shell sends for a click on the icon
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window_) != FALSE; }));
    PostMessageW(window_, 1091, 0, 611);  // not the exit code: nothing happens
    EXPECT_EQ(WaitExit(500), -1);
    PostMessageW(window_, WM_COMMAND, 100, 0);  // the tray menu's Exit
    EXPECT_EQ(WaitExit(15000), 0);
}

TEST_F(MainWindowTest, HotplugShowsSelfClosingConnectionPopups) {
    Start(L"none");
    EXPECT_FALSE(PopupShown());
    const UINT hotplug = RegisterWindowMessageW(L"QxKBSimulatedHotplug");
    PostMessageW(window_, hotplug, 1, 5);
    ASSERT_TRUE(WaitFor(PopupShown, 10000)) << "\"Device connected!\"";
    const DWORD shown = GetTickCount();
    ASSERT_TRUE(WaitFor([] { return !PopupShown(); }, 10000));
    const DWORD open = GetTickCount() - shown;
    EXPECT_GE(open, 1500u) << "closes itself after about two seconds";
    EXPECT_EQ(ReadAppValue(L"DevType"), L"5");
    // Unplugged and plugged again while the popup is open: the state follows the real keyboard.
    PostMessageW(window_, hotplug, 0, 5);
    ASSERT_TRUE(WaitFor(PopupShown, 10000)) << "\"Device not connected!\"";
    PostMessageW(window_, hotplug, 1, 5);
    ASSERT_TRUE(WaitFor([] { return !PopupShown(); }, 15000));
    const size_t before = WireLines().size();
    Click(430 + 80, 525 + 13);  // an effect: only sent when the keyboard is connected again
    EXPECT_TRUE(WaitForWire(before, HexStart(BuildOutputLightEffect(5, 3))));
}

TEST_F(MainWindowTest, ASecondMessageOfTheSameGroupIsNotShownWhileOneIsOpen) {
    Start(L"none");
    Click(1060 - 219 + 21, 49);  // connection indicator without a keyboard: "Please connect the device!"
    ASSERT_TRUE(WaitFor(PopupShown, 10000));
    Click(1060 - 219 + 21, 49);
    int popups = 0;
    EnumWindows(
        [](HWND w, LPARAM count) {
            wchar_t title[32] = {};
            GetWindowTextW(w, title, 32);
            if (wcscmp(title, L"QxKBMsgBox") == 0 && IsWindowVisible(w)) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&popups));
    EXPECT_EQ(popups, 1);
}

TEST_F(MainWindowTest, DeletingTheFirstMacroRemovesItAndUploadsTheLibrary) {
    {
        ConfigDatabase db;
        ASSERT_TRUE(db.OpenForModel(DataDir(), ModelOf(3)));
        for (const wchar_t* name : {L"First", L"Second"}) {
            MacroRow macro;
            macro.name = name;
            macro.playTimes = 1;
            ASSERT_GT(db.InsertMacro(macro), 0);
        }
    }
    // The feature family keeps the macro library on the keyboard.
    Start(L"3");
    auto macros = [] {
        ConfigDatabase db;
        std::vector<MacroRow> rows;
        if (db.OpenForModel(DataDir(), ModelOf(3))) db.GetMacros(rows);
        return rows;
    };
    ASSERT_EQ(macros().size(), 2u);
    const size_t before = WireLines().size();
    // Hover the first row, then press its delete box (right end of the row).
    ASSERT_TRUE(qxtest::MoveTo(window_, 900, 505));
    ASSERT_TRUE(qxtest::MoveTo(window_, 1033 - 20, 505));
    Click(1033 - 20, 505);
    ASSERT_TRUE(WaitFor([&] { return macros().size() == 1; }));
    EXPECT_EQ(macros()[0].name, L"Second");
    EXPECT_TRUE(WaitFor([&] { return WireLines().size() > before; })) << "the library is sent again";
}

TEST_F(MainWindowTest, ProfileMenuResendsTheChosenProfileInOrder) {
    const FeatureKeyMapShape shape = *FeatureKeyMapShapeFor(3);
    struct Case {
        int type;
        const wchar_t* keyboards;
        std::vector<std::string> order;  // what profile B puts on the wire, in this order
    };
    const Case cases[] = {
        // Type 2 keeps a key map per profile on the keyboard: selecting the profile makes its
        // keys current, then its effect follows.
        {2, L"2", {HexStart(BuildType2SelectProfile(2)), HexStart(BuildType2LightEffect(*Type2EffectCode(4)))}},
        // The feature family: macro library, key map of profile 2, effect.
        {3, L"3",
         {Feature(MakeFeatureCommand(kFeatureMacroStart)), Feature(MakeFeatureCommand(kFeatureAnnounceKeyMap, 2, shape.reports)),
          Feature(BuildType3ModeReport(4))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetUp();
        StoreTwoProfiles(c.type, L"1");
        Start(c.keyboards);
        ASSERT_TRUE(WaitFor([&] { return WireLines().size() > 0; }));
        const size_t before = WireLines().size();
        Click(979, 439);  // the profile button
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (menu = FindWindowW(L"MenuWnd", nullptr)) != nullptr && IsWindowVisible(menu); }));
        RECT r;
        GetWindowRect(menu, &r);
        // Four rows, D, C, B, A from the top: B is the third.
        const int x = r.left + (r.right - r.left) / 2, y = r.top + (r.bottom - r.top) * 5 / 8;
        ASSERT_TRUE(ClickScreen({x, y}));
        EXPECT_TRUE(WaitFor([&] { return ReadAppValue(ModelOf(c.type).c_str()) == L"2"; }));
        EXPECT_TRUE(WaitFor([&] { return ReportsInOrder(WireLines(), before, c.order, false) == c.order.size(); }))
            << "found " << ReportsInOrder(WireLines(), before, c.order, false) << " of " << c.order.size() << " in order";
        ExitForNextCase();
    }
}

TEST_F(MainWindowTest, ResetRestoresKeyboardAndStoreForEachFamily) {
    const FeatureKeyMapShape shape = *FeatureKeyMapShapeFor(3);
    const std::string select1 = HexStart(BuildType2SelectProfile(1));
    const uint8_t a = HidUsageToType2KeyPosition(0x04);
    struct Case {
        int type;
        const wchar_t* keyboards;
        const wchar_t* profileBefore;
        std::vector<std::string> order;
        int clearedProfiles;      // key functions cleared in profiles 1..N
        int firstEffects;         // "lightmode" 1 in profiles 1..N
        size_t macrosAfter;
    };
    const Case cases[] = {
        // Type 2: every profile of the keyboard is reset first (its stored keys back to their
        // defaults), its macro slots read, then profile 1 is selected and sent again.
        {2, L"2", L"2",
         {select1, HexStart(BuildType2KeyFunction(a, MuteOn(1, 0x04, 0))), HexStart(BuildType2SelectProfile(2)),
          HexStart(BuildType2KeyFunction(a, MuteOn(2, 0x04, 0))), HexStart(BuildType2SelectProfile(3)),
          HexStart(BuildType2SelectProfile(4)), HexStart(BuildType2ReadSlot(0xB5)), select1,
          HexStart(BuildType2LightEffect(*Type2EffectCode(1)))},
         5, 5, 1},
        {3, L"3", L"2",
         {Feature(MakeFeatureCommand(kFeatureMacroStart)), Feature(MakeFeatureCommand(kFeatureAnnounceKeyMap, 1, shape.reports)),
          Feature(BuildType3ModeReport(1))},
         5, 5, 0},
        // Type 5 resets the current profile only; effect 1 goes to profile 1.
        {5, L"5", L"1", {HexStart(BuildOutputStart()), HexStart(BuildOutputLightEffect(5, 1))}, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetUp();
        StoreTwoProfiles(c.type, c.profileBefore);
        Start(c.keyboards);
        ASSERT_TRUE(WaitFor([&] { return WireLines().size() > 0; }));
        const size_t before = WireLines().size();
        Click(81, 439);  // reset
        ASSERT_TRUE(WaitFor(PopupShown, 20000)) << "\"Reset Successful!\"";
        EXPECT_TRUE(WaitFor([&] { return ReportsInOrder(WireLines(), before, c.order, false) == c.order.size(); }))
            << "found " << ReportsInOrder(WireLines(), before, c.order, false) << " of " << c.order.size() << " in order";
        const StoredState after = ReadStoredState(c.type);
        for (int p = 1; p <= 2; ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(after.keyFunctions[p], p <= c.clearedProfiles ? 0 : 1);
            EXPECT_EQ(after.lightModes[p], p <= c.firstEffects ? L"1" : L"4");
        }
        EXPECT_EQ(after.macros, c.macrosAfter);
        EXPECT_EQ(ReadAppValue(ModelOf(c.type).c_str()), L"1") << "profile 1 is current after a reset";
        ExitForNextCase();
    }
}

}  // namespace
}  // namespace qx
