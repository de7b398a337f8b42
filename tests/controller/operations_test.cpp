// The user's actions through the controller: key functions, macros, colours, effects and reset,
// checked on the wire and in what each simulated keyboard made of it.
#include "tests/controller/controller_fixture.h"
#include "tests/controller/keyboard_state.h"

namespace qx::test {
namespace {

class Operations : public ControllerFixture {
protected:
    QxKBController& StartWith(int type) {
        keyboardId = hid.PlugDeviceType(type);
        QxKBController& c = Start();
        EXPECT_TRUE(c.IsConnected());
        view.messages.clear();
        log.Clear();
        return c;
    }
    template <class Keyboard>
    Keyboard& KeyboardAs() {
        auto* kb = dynamic_cast<Keyboard*>(hid.BehaviorOf(keyboardId));
        EXPECT_NE(kb, nullptr);
        return *kb;
    }
    std::vector<std::vector<uint8_t>> Sent() const { return log.SentReports(); }

    void PaintKey(uint32_t key, uint32_t colour) {
        view.keyboard.selected = {key};
        controller->SetSelectedKeysColor(colour);
    }
    int KeyIndexOf(uint32_t key) { return controller->LayoutTables().keyIndex.at(key); }
    int LightIndexOf(uint32_t key) { return controller->LayoutTables().lightIndex.at(key); }

    int keyboardId = 0;
};

constexpr uint32_t kKeyA = 0x04;
const std::vector<uint8_t> kATapType2 = {0x84, 0x04, 0x00, 0x06, 0x10, 0x00, 0x04, 0x04, 0x00};

TEST_F(Operations, CtrlAReachesTheKeyOfEveryFamily) {
    for (int type : {2, 3, 5, 6}) {
        SCOPED_TRACE(type);
        auto& c = StartWith(type);
        Assign(kKeyA, kKeyFunctionKey, 0x04, 0xE0, L"Ctrl+A");
        std::vector<KeyMacroRow> stored;
        c.Database().GetKeyMacros(1, stored);
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].keyCode, 0x04);
        EXPECT_EQ(view.keyboard.tips[kKeyA], L"Ctrl+A");
        EXPECT_EQ(view.messages, std::vector<int>{kTextSetSuccessful});
        if (type == 2) {
            const auto& entry = KeyboardAs<sim::Type2Keyboard>().keyEntries[1].at(0x0B);
            EXPECT_EQ(std::vector<uint8_t>(entry.begin(), entry.begin() + 3), (std::vector<uint8_t>{1, 1, 1}));
            EXPECT_EQ(std::vector<uint8_t>(entry.begin() + 11, entry.begin() + 14), (std::vector<uint8_t>{2, 1, 4}));
        } else if (type == 3) {
            EXPECT_EQ(KeyboardAs<sim::FeatureKeyboard>().keyMap[1].at(KeyIndexOf(kKeyA)), (sim::Event4{2, 1, 4, 0}));
        } else {
            EXPECT_EQ(KeyboardAs<sim::OutputKeyboard>().KeyEntry(KeyIndexOf(kKeyA)), (std::array<uint8_t, 3>{0x20, 1, 4}));
        }
        ExpectKeyboardMatchesStore(c, hid.BehaviorOf(keyboardId));
        controller.reset();
        manager.reset();
        hid.Unplug(keyboardId);
        std::filesystem::remove_all(dataDir / "db");
        std::filesystem::create_directories(dataDir / "db");
    }
}

TEST_F(Operations, TypeTwoKeyGoesOutAloneAfterItsProfile) {
    StartWith(2);
    Assign(kKeyA, kKeyFunctionSystem, 620, 0, L"Lock PC");
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sim::HexBytes(sent[0], 9) , "02 06 BB AA 05 00 01 00 01 ...");
    EXPECT_EQ(sim::HexBytes(sent[1], 11), "03 06 BB AA 0B 00 0F 00 01 01 01 ...");
    EXPECT_EQ(std::vector<uint8_t>(sent[1].begin() + 0x13, sent[1].begin() + 0x16), (std::vector<uint8_t>{2, 8, 0x0F}));

    log.Clear();
    Assign(kKeyA, 0, 0, 0, L"Default");
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_TRUE(std::all_of(Sent()[1].begin() + 8, Sent()[1].end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(KeyboardAs<sim::Type2Keyboard>().keyEntries[1].empty());
}

TEST_F(Operations, TypeTwoMacroTakesTheFirstFreeSlotAndBindsTheKey) {
    auto& c = StartWith(2);
    const int macro = AddMacro({{kMacroStepKeyDown, 0x41}, {kMacroStepKeyUp, 0x41}}, 2);
    Assign(kKeyA, kKeyFunctionMacro, macro);
    auto& kb = KeyboardAs<sim::Type2Keyboard>();
    EXPECT_EQ(kb.slots[0], kATapType2);
    EXPECT_EQ(kb.boundEvents[1].at(0x0B), kATapType2);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 4u) << "select, read B5, write B5, bind";
    EXPECT_EQ(sim::HexBytes(sent[1], 8), "02 07 BB AA B5 00 0F 00 ...");
    EXPECT_EQ(sim::HexBytes(sent[2], 8), "04 06 BB AA B5 00 C8 00 ...");
    EXPECT_EQ(sim::HexBytes(sent[3], 0x18), "04 06 BB AA 0B 00 D7 00 01 01 02 00 00 00 00 00 00 00 00 04 00 F4 00 84 ...");

    // The next assignment finds B5 taken.
    Assign(0x05, kKeyFunctionMacro, macro);
    EXPECT_EQ(kb.slots[1], kATapType2);
    EXPECT_EQ(kb.boundEvents[1].at(0x0C)[0], 0x84);
    EXPECT_EQ(c.FindFreeMacroSlot(), 0xB7);
}

TEST_F(Operations, TypeTwoWithEverySlotTakenStoresTheMacroButSendsNoSlot) {
    auto& c = StartWith(2);
    auto& kb = KeyboardAs<sim::Type2Keyboard>();
    for (auto& slot : kb.slots) slot = {0x84, 0x05, 0x00};
    const int macro = AddMacro({{kMacroStepKeyDown, 0x41}});
    Assign(kKeyA, kKeyFunctionMacro, macro);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 18u) << "select and 17 slot reads";
    for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i][1], 0x07);
    EXPECT_EQ(c.FindFreeMacroSlot(), 0);
    std::vector<KeyMacroRow> stored;
    c.Database().GetKeyMacros(1, stored);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].macroType, kKeyFunctionMacro);
    EXPECT_EQ(view.messages, std::vector<int>{kTextSetSuccessful});
}

TEST_F(Operations, PaintedColoursAreStoredAndReachTheKeyboard) {
    {
        auto& c = StartWith(2);
        PaintKey(kKeyA, 0x336699);
        EXPECT_EQ(view.keyboard.colours[kKeyA], 0x336699u);
        const auto sent = Sent();
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sim::HexBytes(sent[0], 9), "02 06 BB AA 06 00 01 00 C9 ...");
        EXPECT_EQ(sim::HexBytes(sent[1], 13), "05 06 BB AA C9 00 B8 01 04 99 66 33 00 ...");
        EXPECT_EQ(KeyboardAs<sim::Type2Keyboard>().colourTable[1], (std::vector<sim::Event4>{{0x04, 0x99, 0x66, 0x33}}));
        EXPECT_EQ(StoredLedColours(c, 1), (std::map<int, uint32_t>{{LightIndexOf(kKeyA), 0x336699}}));
    }
    controller.reset();
    manager.reset();
    hid.Unplug(keyboardId);
    for (int type : {5, 6}) {
        SCOPED_TRACE(type);
        auto& c = StartWith(type);
        PaintKey(kKeyA, 0x336699);
        auto& kb = KeyboardAs<sim::OutputKeyboard>();
        EXPECT_EQ(kb.lightMode, 19);
        EXPECT_EQ(kb.LedColour(LightIndexOf(kKeyA)), 0x336699u);
        EXPECT_EQ(c.CurrentLightMode(), 1) << "custom colours leave the current effect alone";
        EXPECT_EQ(StoredLightMode(c, 1), 1);
        controller.reset();
        manager.reset();
        hid.Unplug(keyboardId);
    }
}

TEST_F(Operations, ColourDialogMessagePaintsTheSelectedKeys) {
    auto& c = StartWith(5);
    view.keyboard.selected = {kKeyA};
    intptr_t result = 0;
    EXPECT_TRUE(c.OnControllerMessage(kMessageSetKeysColor, 0, 0x336699, result));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(StoredLedColours(c, 1), (std::map<int, uint32_t>{{LightIndexOf(kKeyA), 0x336699}}));
    EXPECT_FALSE(c.OnControllerMessage(kMessageSetKeysColor + 1, 0, 0x336699, result));
}

TEST_F(Operations, TypeThreeColourTableIsProfileOnesWhicheverProfileIsShown) {
    auto& c = StartWith(3);
    auto& kb = KeyboardAs<sim::FeatureKeyboard>();
    c.ChangeProfile(2);
    PaintKey(kKeyA, 0x336699);
    EXPECT_TRUE(kb.ledColours.empty()) << "profile 1 has no colours";
    EXPECT_EQ(kb.lightMode[2], 0x80);
    EXPECT_EQ(StoredLightMode(c, 2), 1);

    c.ChangeProfile(1);
    EXPECT_EQ(kb.lightMode[1], 1) << "the stored effect comes back";
    log.Clear();
    PaintKey(kKeyA, 0x336699);
    EXPECT_EQ(kb.ledColours, (std::map<int, uint32_t>{{LightIndexOf(kKeyA), 0x336699}}));
    EXPECT_EQ(kb.lightMode[1], 0x80);
    // The entry of A's light index in the frame: index, red, green, blue.
    const std::vector<std::vector<uint8_t>> sent = Sent();
    const std::size_t at = 4 * static_cast<std::size_t>(LightIndexOf(kKeyA));
    const std::vector<uint8_t>& report = sent.at(2 + at / 64);
    EXPECT_EQ(std::vector<uint8_t>(report.begin() + 1 + at % 64, report.begin() + 5 + at % 64),
              (std::vector<uint8_t>{static_cast<uint8_t>(LightIndexOf(kKeyA)), 0x99, 0x66, 0x33}));
}

TEST_F(Operations, EffectChoiceIsStoredMarkedAndSent) {
    struct Case { int type; int mode; int button; };
    for (const Case& k : {Case{2, 10, 70}, Case{2, 1, 61}, Case{3, 16, 60}, Case{5, 18, 88}, Case{6, 3, 73}}) {
        SCOPED_TRACE(k.type);
        auto& c = StartWith(k.type);
        c.ChooseLightMode(k.mode);
        EXPECT_EQ(StoredLightMode(c, 1), k.mode);
        c.ApplyLightMode(1);
        EXPECT_EQ(view.CheckedEffects(), std::vector<int>{k.button});
        ExpectKeyboardMatchesStore(c, hid.BehaviorOf(keyboardId));
        controller.reset();
        manager.reset();
        hid.Unplug(keyboardId);
        view = RecordingView{};
    }
}

TEST_F(Operations, StoredEffectZeroSendsNothing) {
    for (int type : {2, 5, 6}) {
        SCOPED_TRACE(type);
        auto& c = StartWith(type);
        c.Database().SetConfigValue(1, L"lightmode", L"0");
        c.ApplyLightMode(1);
        EXPECT_TRUE(Sent().empty());
        EXPECT_TRUE(view.CheckedEffects().empty());
        controller.reset();
        manager.reset();
        hid.Unplug(keyboardId);
    }
}

TEST_F(Operations, TypeTwoResetClearsEveryProfileAndSlotOnTheKeyboard) {
    auto& c = StartWith(2);
    const int macro = AddMacro({{kMacroStepKeyDown, 0x41}, {kMacroStepKeyUp, 0x41}});
    Assign(kKeyA, kKeyFunctionKey, 0x05);
    Assign(0x05, kKeyFunctionMacro, macro);
    c.ChangeProfile(2);
    Assign(0x06, kKeyFunctionMouse, 650);
    c.ChooseLightMode(4);
    auto& kb = KeyboardAs<sim::Type2Keyboard>();
    ASSERT_FALSE(kb.keyEntries[1].empty());
    ASSERT_FALSE(kb.keyEntries[2].empty());
    view.messages.clear();

    EXPECT_TRUE(c.ResetSettings());
    EXPECT_EQ(view.messages, std::vector<int>{kTextResetSuccessful});
    for (int profile = 1; profile <= 4; ++profile) {
        EXPECT_TRUE(kb.keyEntries[profile].empty()) << profile;
        EXPECT_TRUE(kb.boundEvents[profile].empty()) << profile;
    }
    for (const auto& slot : kb.slots) EXPECT_TRUE(slot.empty());
    EXPECT_EQ(c.CurrentProfile(), 1);
    EXPECT_EQ(registry.Text(ModelNameOf(2)), L"1");
    EXPECT_EQ(view.profileTitles.back(), 1);
    for (int profile = 1; profile <= 5; ++profile) EXPECT_EQ(StoredLightMode(c, profile), 1);
    EXPECT_TRUE(StoredFunctions(c, 1).empty());
    EXPECT_TRUE(StoredFunctions(c, 2).empty());
    EXPECT_EQ(StoredMacros(c).size(), 1u) << "type 2 keeps the macro library";
    ExpectKeyboardMatchesStore(c, &kb);
}

TEST_F(Operations, OutputKeyboardResetEmptiesTheProfileAndTheLibrary) {
    auto& c = StartWith(5);
    const int macro = AddMacro({{kMacroStepMouseDown, 3}, {kMacroStepMouseUp, 3}});
    Assign(kKeyA, kKeyFunctionMacro, macro);
    c.ChooseLightMode(7);
    PaintKey(kKeyA, 0x0000FF);
    EXPECT_TRUE(c.ResetSettings());
    EXPECT_TRUE(StoredMacros(c).empty());
    EXPECT_TRUE(StoredFunctions(c, 1).empty());
    EXPECT_TRUE(StoredLedColours(c, 1).empty());
    EXPECT_TRUE(view.keyboard.colours.empty());
    EXPECT_EQ(StoredLightMode(c, 1), 1);
    ExpectKeyboardMatchesStore(c, hid.BehaviorOf(keyboardId));
}

TEST_F(Operations, ResetWithoutAKeyboardAsksForOne) {
    registry.values[L"DevType"] = {true, L"2"};
    auto& c = Start();
    EXPECT_FALSE(c.ResetSettings());
    EXPECT_EQ(view.messages, std::vector<int>{kTextPleaseConnect});
    EXPECT_TRUE(Sent().empty());
}

TEST_F(Operations, KeyboardPulledDuringAnUploadKeepsTheStoreAndRefusesLaterSends) {
    auto& c = StartWith(5);
    const int macro = AddMacro({{kMacroStepKeyDown, 0x41}, {kMacroStepKeyUp, 0x41}});
    Assign(0x05, kKeyFunctionKey, 0x06);
    log.Clear();
    hid.FaultsOf(keyboardId)->vanishAfter = hid.ReportsSeen(keyboardId) + 4;   // inside the macro stream
    Assign(kKeyA, kKeyFunctionMacro, macro);
    EXPECT_EQ(view.messages.back(), kTextSetSuccessful);
    EXPECT_EQ(StoredFunctions(c, 1).size(), 2u);
    EXPECT_EQ(StoredMacros(c).size(), 1u);
    const auto writes = log.Only({sim::WireKind::Write});
    ASSERT_GT(writes.size(), 4u);
    EXPECT_TRUE(std::all_of(writes.begin(), writes.begin() + 4, [](const sim::WireEvent& e) { return e.result > 0; }));
    EXPECT_TRUE(std::all_of(writes.begin() + 4, writes.end(), [](const sim::WireEvent& e) { return e.result < 0; }));
    EXPECT_EQ(KeyboardAs<sim::OutputKeyboard>().KeyEntry(KeyIndexOf(0x05)), (std::array<uint8_t, 3>{0x20, 0, 0x06}))
        << "the keyboard keeps the key map of the last complete upload";

    Remove(keyboardId);
    log.Clear();
    c.ChooseLightMode(2);
    Assign(0x07, kKeyFunctionMouse, 650);
    EXPECT_TRUE(Sent().empty());
}

}  // namespace
}  // namespace qx::test
