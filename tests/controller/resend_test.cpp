// What reaches the keyboard when it arrives, when the profile changes and when nothing is there:
// the wire in order, and the settings the simulated keyboard decoded from it.
#include "tests/controller/controller_fixture.h"
#include "tests/controller/keyboard_state.h"

namespace qx::test {
namespace {

class Resend : public ControllerFixture {
protected:
    // Reports the keyboards were sent, in order, whatever their family.
    std::vector<std::vector<uint8_t>> Sent() const { return log.SentReports(); }

    // The command byte (3) of every output report written, in order.
    std::vector<uint8_t> OutputCommands() const {
        std::vector<uint8_t> commands;
        for (const sim::WireEvent& e : log.Only({sim::WireKind::Write})) commands.push_back(e.bytes.at(3));
        return commands;
    }

    // Functions, macros and effects in profiles 1 and 2, all through the controller.
    void StoreTwoProfiles() {
        const int macro = AddMacro({{kMacroStepKeyDown, 0x41}, {kMacroStepDelay, 40}, {kMacroStepKeyUp, 0x41}}, 3);
        controller->ChangeProfile(1);
        Assign(0x04, kKeyFunctionKey, 0x04, 0xE0, L"Ctrl+A");
        Assign(0x05, kKeyFunctionMouse, 653, 0, L"Forward");
        Assign(0x06, kKeyFunctionMacro, macro, 0, L"A tap");
        controller->ChooseLightMode(3);
        controller->ChangeProfile(2);
        Assign(0x04, kKeyFunctionSystem, 620, 0, L"Lock PC");
        Assign(0x07, kKeyFunctionMultimedia, 634, 0, L"Volume+");
        controller->ChooseLightMode(5);
    }
};

TEST_F(Resend, FirstStartWithAnOutputKeyboardSendsKeyMapAndEffectOfProfileOneWithoutAMessage) {
    const int kb = hid.PlugDeviceType(5);
    auto& c = Start();
    EXPECT_TRUE(view.messages.empty()) << "the first scan runs before the window is ready";
    EXPECT_EQ(registry.Text(ModelNameOf(5)), L"1");
    EXPECT_EQ(c.CurrentProfile(), 1);
    // No macros yet: nothing in front of the key map. Key map: start, 7 chunks, end; effect:
    // start, effect, end.
    const std::vector<uint8_t> expected = {0x01, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x02, 0x01, 0x06, 0x02};
    EXPECT_EQ(OutputCommands(), expected);
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
    EXPECT_EQ(dynamic_cast<sim::OutputKeyboard*>(hid.BehaviorOf(kb))->lightMode, 1);
}

TEST_F(Resend, ArrivalSendsTheMacroLibraryBeforeTheKeyMapThatNamesIt) {
    const int first = hid.PlugDeviceType(5);
    Start();
    const int macro = AddMacro({{kMacroStepMouseDown, 3}, {kMacroStepMouseUp, 3}});
    Assign(0x04, kKeyFunctionMacro, macro, 0, L"right click");
    controller.reset();
    manager.reset();
    hid.Unplug(first);

    const int kb = hid.PlugDeviceType(5);
    log.Clear();
    auto& c = Start();
    const std::vector<uint8_t> commands = OutputCommands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], 0x01);
    EXPECT_EQ(commands[1], 0x15) << "the macro stream comes first";
    const auto keyMapAt = std::find(commands.begin(), commands.end(), 0x09);
    ASSERT_NE(keyMapAt, commands.end());
    EXPECT_TRUE(std::all_of(commands.begin() + 1, keyMapAt - 2, [](uint8_t cmd) { return cmd == 0x15; }));
    auto* keyboard = dynamic_cast<sim::OutputKeyboard*>(hid.BehaviorOf(kb));
    ASSERT_EQ(keyboard->macros.size(), 1u);
    EXPECT_EQ(keyboard->KeyEntry(c.LayoutTables().keyIndex.at(0x04)), (std::array<uint8_t, 3>{0x71, 0x00, 0x00}));
    ExpectKeyboardMatchesStore(c, keyboard);
}

TEST_F(Resend, UnplugAndReplugSayItAndSendEverythingAgain) {
    const int kb = hid.PlugDeviceType(5);
    auto& c = Start();
    StoreTwoProfiles();
    view.messages.clear();

    Remove(kb);
    EXPECT_EQ(view.messages, std::vector<int>{kTextDeviceNotConnected});
    hid.Replug(kb);
    log.Clear();
    Arrive(kb);
    EXPECT_EQ(view.messages, (std::vector<int>{kTextDeviceNotConnected, kTextDeviceConnected}));
    const std::vector<uint8_t> commands = OutputCommands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), 0x15), commands.end()) << "macro library";
    EXPECT_NE(std::find(commands.begin(), commands.end(), 0x09), commands.end()) << "key map";
    EXPECT_EQ(commands.back(), 0x02);
    EXPECT_EQ(commands[commands.size() - 2], 0x06) << "the effect goes last";
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
}

TEST_F(Resend, TypeTwoIsToldItsProfileBeforeAnythingElse) {
    registry.values[ModelNameOf(2)] = {true, L"3"};
    const int kb = hid.PlugDeviceType(2);
    auto& c = Start();
    const std::vector<uint8_t> selectThree = [] {
        const LargeFeatureReport r = BuildType2SelectProfile(3);
        return std::vector<uint8_t>(r.begin(), r.end());
    }();
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent().front(), selectThree);
    EXPECT_EQ(c.CurrentProfile(), 3);

    log.Clear();
    c.ChangeProfile(3);
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent().front(), selectThree);
    EXPECT_EQ(registry.Text(ModelNameOf(2)), L"3");
    EXPECT_EQ(view.profileTitles.back(), 3);
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
}

TEST_F(Resend, StoredProfileNumberBelowOneBecomesOneAndLargerOnesStay) {
    struct Case { std::optional<std::wstring> stored; int profile; std::wstring written; };
    const Case cases[] = {{std::nullopt, 1, L"1"}, {L"0", 1, L"1"}, {L"-2", 1, L"1"}, {L"junk", 1, L"1"},
                          {L"4", 4, L"4"},         {L"7", 7, L"7"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored ? std::string(k.stored->begin(), k.stored->end()) : "none");
        registry.values.clear();
        registry.values[L"DevType"] = {true, L"3"};
        if (k.stored) registry.values[ModelNameOf(3)] = {true, *k.stored};
        view = RecordingView{};
        auto& c = Start();
        EXPECT_EQ(c.CurrentProfile(), k.profile);
        EXPECT_EQ(registry.Text(ModelNameOf(3)), k.written);
        EXPECT_EQ(view.profileTitles, std::vector<int>{k.profile});
        controller.reset();
        manager.reset();
    }
}

TEST_F(Resend, WithoutAKeyboardTheRememberedModelIsShownAndNothingIsSent) {
    registry.values[L"DevType"] = {true, L"2"};
    auto& c = Start();
    c.RefreshCurrentModel();
    EXPECT_EQ(view.lightingPages, (std::vector<int>{2, 2}));
    EXPECT_EQ(c.LayoutName(), L"LayoutQxKBRS40");
    EXPECT_FALSE(view.keyboard.keys.empty());
    EXPECT_FALSE(view.keyboard.image.empty());
    EXPECT_EQ(view.keyboard.tipResets, 2) << "the key tips were refreshed from the (closed) store";
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(log.Only({sim::WireKind::SendFeature, sim::WireKind::Write, sim::WireKind::GetFeature}).empty());
}

// A window that shows itself before the keyboard is brought up to date: the start's re-send
// comes with FinishStart, once, and not at all after an arrival has re-sent everything.
TEST_F(Resend, DeferredStartSendsTheProfileOnceAndNotAgainAfterAnArrival) {
    const int kb = hid.PlugDeviceType(5);
    manager = std::make_unique<HidDeviceManager>(hid, clock);
    controller = std::make_unique<QxKBController>(*manager, registry, view, DataRoot(), QX_LAYOUT_DIR);
    controller->OpenCurrentModel();
    ASSERT_TRUE(controller->IsConnected());
    EXPECT_TRUE(OutputCommands().empty()) << "opening the model sends nothing";
    controller->FinishStart();
    const std::vector<uint8_t> profile = {0x01, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x02, 0x01, 0x06, 0x02};
    EXPECT_EQ(OutputCommands(), profile);
    controller->FinishStart();
    EXPECT_EQ(OutputCommands(), profile) << "a second call sends nothing";
    ExpectKeyboardMatchesStore(*controller, hid.BehaviorOf(kb));

    // Unplugged and plugged again before the first frame: the arrival's re-send is the only one.
    controller.reset();
    manager.reset();
    manager = std::make_unique<HidDeviceManager>(hid, clock);
    controller = std::make_unique<QxKBController>(*manager, registry, view, DataRoot(), QX_LAYOUT_DIR);
    controller->OpenCurrentModel();
    Remove(kb);
    hid.Replug(kb);
    log.Clear();
    Arrive(kb);
    EXPECT_EQ(OutputCommands(), profile);
    controller->FinishStart();
    EXPECT_EQ(OutputCommands(), profile);
}

// Each connectable type keeps in step with the stored settings through profile changes and
// re-connections.
class ResendEveryType : public Resend, public ::testing::WithParamInterface<int> {};

TEST_P(ResendEveryType, KeyboardHoldsTheCurrentProfileAfterEveryArrivalAndProfileChange) {
    const int type = GetParam();
    const int kb = hid.PlugDeviceType(type);
    auto& c = Start();
    ASSERT_TRUE(c.IsConnected());
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
    StoreTwoProfiles();
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
    for (int profile : {1, 2, 1}) {
        SCOPED_TRACE(profile);
        c.ChangeProfile(profile);
        ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));
    }
    Remove(kb);
    hid.Replug(kb);
    Arrive(kb);
    ASSERT_TRUE(c.IsConnected());
    EXPECT_EQ(c.CurrentProfile(), 1);
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(kb));

    // A fresh keyboard of the same model learns everything from one arrival.
    Remove(kb);
    const int other = hid.PlugDeviceType(type);
    Arrive(other);
    ASSERT_TRUE(c.IsConnected());
    if (type != 2) ExpectKeyboardMatchesStore(c, hid.BehaviorOf(other));   // type 2 keeps its keys itself
}

INSTANTIATE_TEST_SUITE_P(Types, ResendEveryType, ::testing::Values(2, 3, 5, 6),
                         [](const auto& info) { return "Type" + std::to_string(info.param); });

}  // namespace
}  // namespace qx::test
