// Detection and connection state: which keyboard is current, its database, messages, registry.
#include <cwctype>

#include "tests/controller/controller_fixture.h"

namespace qx::test {
namespace {

using Connection = ControllerFixture;

TEST_F(Connection, PluggingTheRs40MakesTypeThreeCurrentAndSaysSo) {
    auto& c = Start();
    EXPECT_EQ(c.DeviceType(), 5) << "nothing connected: the default model";
    EXPECT_FALSE(c.IsConnected());
    EXPECT_TRUE(view.messages.empty());

    const int kb = hid.PlugDeviceType(3);
    Arrive(kb);
    EXPECT_EQ(c.DeviceType(), 3);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_TRUE(c.Database().IsOpen());
    EXPECT_TRUE(std::filesystem::exists(DatabaseFile("QxKBRS40-24G")));
    EXPECT_EQ(registry.Text(L"DevType"), L"3");
    ASSERT_FALSE(view.connectionImages.empty());
    EXPECT_EQ(view.connectionImages.back(), L"sysbtn_usb.png");
    EXPECT_EQ(view.messages, std::vector<int>{kTextDeviceConnected});
    EXPECT_EQ(view.lastWidth, 260);
    EXPECT_EQ(registry.Text(L"QxKBRS40-24G"), L"1") << "the refresh created the profile value";

    Remove(kb);
    EXPECT_EQ(c.DeviceType(), 0);
    EXPECT_FALSE(c.IsConnected());
    EXPECT_FALSE(c.Database().IsOpen());
    EXPECT_EQ(view.connectionImages.back(), L"sysbtn_usb_none.png");
    EXPECT_EQ(view.messages, (std::vector<int>{kTextDeviceConnected, kTextDeviceNotConnected}));
    EXPECT_EQ(registry.Text(L"DevType"), L"3") << "the last model is remembered";
}

TEST_F(Connection, ReplugWhileTheRemovalPopupIsOpenLeavesTheKeyboardThatIsThere) {
    auto& c = Start();
    const int first = hid.PlugDeviceType(5);
    Arrive(first);
    ASSERT_TRUE(c.IsConnected());
    int second = -1;
    // The removal's popup is open when the keyboard arrives again.
    view.whileMessageShows = [&](int text) {
        EXPECT_EQ(text, kTextDeviceNotConnected);
        second = hid.PlugDeviceType(5);
        Arrive(second);
    };
    Remove(first);
    ASSERT_NE(second, -1);
    EXPECT_EQ(c.DeviceType(), 5);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_TRUE(c.Database().IsOpen());
    EXPECT_EQ(view.connectionImages.back(), L"sysbtn_usb.png");
    EXPECT_EQ(registry.Text(L"DevType"), L"5");
    // The keyboard gets what is chosen now, in its own family.
    log.Clear();
    c.ChooseLightMode(3);
    EXPECT_FALSE(log.Only({sim::WireKind::Write}).empty()) << "output reports, not the feature family's";
    EXPECT_TRUE(log.Only({sim::WireKind::SendFeature}).empty());
}

TEST_F(Connection, KeyboardWithoutItsVendorInterfaceIsNotConnected) {
    sim::KeyboardModel model = *sim::ModelForDeviceType(2);
    model.interfaces = {"mi_00", "mi_01&col01", "mi_01&col03"};
    const int kb = hid.Plug(model);
    auto& c = Start();
    Arrive(kb);
    EXPECT_FALSE(c.IsConnected());
    EXPECT_NE(c.DeviceType(), 2);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(Connection, RememberedModelIsShownWhenNoKeyboardIsPresent) {
    struct Case { std::optional<std::wstring> stored; int expected; };
    for (const Case& k : {Case{L"6", 6}, Case{std::nullopt, 5}, Case{L"0", 5}, Case{L"junk", 5}, Case{L"1", 1}}) {
        registry.values.clear();
        if (k.stored) registry.values[L"DevType"] = {true, *k.stored};
        view = RecordingView{};
        auto& c = Start();
        EXPECT_EQ(c.DeviceType(), k.expected) << (k.stored ? std::string(k.stored->begin(), k.stored->end()) : "none");
        EXPECT_FALSE(c.IsConnected());
        EXPECT_FALSE(c.Database().IsOpen());
        EXPECT_TRUE(log.Only({sim::WireKind::SendFeature, sim::WireKind::Write}).empty());
        EXPECT_TRUE(view.messages.empty());
        controller.reset();
        manager.reset();
    }
}

TEST_F(Connection, OnlyInterfaceZeroOfASupportedKeyboardCausesARescan) {
    const int kb = hid.PlugDeviceType(5);
    auto& c = Start();
    ASSERT_TRUE(c.IsConnected());
    const std::size_t opensAfterStart = Opens();
    const std::wstring zero = InterfaceZeroName(kb);
    std::wstring one = zero;
    one.replace(one.find(L"MI_00"), 5, L"MI_01");

    c.OnDeviceInterfaceChange(one, kDeviceArrival);
    c.OnDeviceInterfaceChange(L"\\\\?\\USB#VID_320F&PID_5055#5&1A2B3C4D&0&2#{A5DCBF10-6530-11D2-901F-00C04FB951ED}",
                              kDeviceArrival);
    c.OnDeviceInterfaceChange(L"\\\\?\\HID#VID_1234&PID_5678&MI_00#1#{4D1E55B2}", kDeviceArrival);
    c.OnDeviceInterfaceChange(zero, 0x0007);  // DBT_DEVNODES_CHANGED
    EXPECT_EQ(Opens(), opensAfterStart);

    std::wstring lower = zero;
    for (wchar_t& ch : lower) ch = static_cast<wchar_t>(std::towlower(ch));
    c.OnDeviceInterfaceChange(lower, kDeviceArrival);
    EXPECT_EQ(Opens(), opensAfterStart + 1) << "names are compared in upper case";
    EXPECT_TRUE(view.messages.empty()) << "the same keyboard stays connected: no message";
}

TEST_F(Connection, FirstEnumeratedSupportedKeyboardWins) {
    const int p74 = hid.PlugDeviceType(5);
    auto& c = Start();
    ASSERT_EQ(c.DeviceType(), 5);
    const int rs40 = hid.PlugDeviceType(3);
    Arrive(rs40);
    EXPECT_EQ(c.DeviceType(), 5) << "the manager still opens the P74, enumerated first";
    EXPECT_TRUE(view.messages.empty());

    // The RS40's row comes first in the table: it connects before the P74's row is looked at,
    // and the P74 then is no longer the current type, so only the connection is announced.
    Remove(p74);
    EXPECT_EQ(c.DeviceType(), 3);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_EQ(view.messages, std::vector<int>{kTextDeviceConnected});

    // The P74 comes back behind the RS40; once the RS40 leaves, the P74 is current again.
    const int again = hid.PlugDeviceType(5);
    Arrive(again);
    EXPECT_EQ(c.DeviceType(), 3);
    Remove(rs40);
    EXPECT_EQ(c.DeviceType(), 5);
    EXPECT_EQ(manager->FindDeviceIndex(0x320F, 0x5055), 0);
    EXPECT_EQ(view.messages, (std::vector<int>{kTextDeviceConnected, kTextDeviceNotConnected, kTextDeviceConnected}));
}

TEST_F(Connection, FirstStartWithAKeyboardShowsNoMessageAndCreatesProfileOne) {
    hid.PlugDeviceType(5);
    auto& c = Start();
    EXPECT_TRUE(c.IsReady());
    EXPECT_EQ(c.DeviceType(), 5);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(registry.Text(L"QxKB74"), L"1");
    EXPECT_EQ(c.CurrentProfile(), 1);
    EXPECT_EQ(view.notificationRegistrations, 1);
}

TEST_F(Connection, StoredProfileRules) {
    struct Case { std::optional<std::wstring> stored; int profile; std::optional<std::wstring> after; };
    for (const Case& k : {Case{std::nullopt, 1, L"1"}, Case{L"0", 1, L"1"}, Case{L"-3", 1, L"1"},
                          Case{L"3", 3, L"3"}, Case{L"7", 7, L"7"}}) {
        registry.values.clear();
        if (k.stored) registry.values[L"QxKBRS40-24G"] = {true, *k.stored};
        hid.UnplugDeviceType(3);
        hid.PlugDeviceType(3);
        view = RecordingView{};
        auto& c = Start();
        EXPECT_EQ(c.CurrentProfile(), k.profile);
        EXPECT_EQ(registry.Text(L"QxKBRS40-24G"), k.after);
        EXPECT_EQ(view.profileTitles, std::vector<int>{k.profile}) << "type 3 shows the profile button";
        controller.reset();
        manager.reset();
    }
}

TEST_F(Connection, DatabaseThatCannotBeOpenedStillCountsAsConnected) {
    std::filesystem::remove_all(dataDir / "db");
    const int kb = hid.PlugDeviceType(6);
    auto& c = Start();
    EXPECT_EQ(c.DeviceType(), 6);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_FALSE(c.Database().IsOpen());
    Remove(kb);
    EXPECT_EQ(c.DeviceType(), 0);
}

TEST_F(Connection, RefreshLoadsTheModelsLayoutAndPagesEvenWithoutKeyboard) {
    struct Case { std::optional<std::wstring> devType; int plug; int type; const wchar_t* section; std::size_t keys; };
    for (const Case& k : {Case{L"6", 0, 6, L"LayoutQxKB74", 82}, Case{L"1", 0, 1, L"LayoutQxKB52", 104},
                          Case{std::nullopt, 3, 3, L"LayoutQxKBRS40", 61}, Case{std::nullopt, 2, 2, L"LayoutQxKBRS40", 61}}) {
        registry.values.clear();
        if (k.devType) registry.values[L"DevType"] = {true, *k.devType};
        for (int id : hid.PluggedKeyboards()) hid.Unplug(id);
        if (k.plug) hid.PlugDeviceType(k.plug);
        view = RecordingView{};
        log.Clear();
        auto& c = Start();
        EXPECT_EQ(c.DeviceType(), k.type);
        EXPECT_EQ(c.LayoutName(), k.section);
        EXPECT_EQ(view.keyboard.keys.size(), k.keys) << k.section;
        EXPECT_FALSE(view.keyboard.image.empty());
        EXPECT_FALSE(c.LayoutTables().keyIndex.empty());
        EXPECT_EQ(view.lightingPages, std::vector<int>{k.type});
        EXPECT_EQ(view.macroListRefreshes, 1);
        if (!k.plug) {
            EXPECT_TRUE(log.Only({sim::WireKind::SendFeature, sim::WireKind::Write}).empty()) << "nothing is sent";
        }
        controller.reset();
        manager.reset();
    }
}

TEST_F(Connection, ChangeProfileRemembersAndShowsIt) {
    hid.PlugDeviceType(3);
    auto& c = Start();
    c.ChangeProfile(4);
    EXPECT_EQ(c.CurrentProfile(), 4);
    EXPECT_EQ(registry.Text(L"QxKBRS40-24G"), L"4");
    EXPECT_EQ(view.profileTitles.back(), 4);
}

}  // namespace
}  // namespace qx::test
