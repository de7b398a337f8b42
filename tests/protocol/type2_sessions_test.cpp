// BB AA family (type 2) through the device manager against a keyboard that keeps a key map and
// light setting per profile and 17 macro slots.
#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "device/type2_reports.h"
#include "tests/protocol/protocol_bytes.h"
#include "tests/protocol/session_fixture.h"

namespace qx {
namespace {

using sim::Type2Keyboard;
using sim::WireKind;
using test::BytesAt;
using test::Colour;
using test::Function;
using test::Hex;
using test::Step;

using Entry = std::array<uint8_t, 15>;

Entry EntryOf(const LargeFeatureReport& r) {
    Entry e{};
    std::copy_n(r.begin() + 8, 15, e.begin());
    return e;
}

class Type2Session : public test::SessionFixture {
protected:
    void SetUp() override { Connect(2); }
    Type2Keyboard& Keyboard() { return KeyboardState<Type2Keyboard>(); }
    void Send(const LargeFeatureReport& r) { manager->SendFeature2048(r, 0); }
    LargeFeatureReport ReadSlot(uint8_t slot) {
        LargeFeatureReport r = BuildType2ReadSlot(slot);
        EXPECT_TRUE(manager->SendFeature2048AndRead(r, 0));
        return r;
    }
};

TEST_F(Type2Session, ProfileSelectionThenOneKeyEachWithItsPause) {
    const KeyMacroRow lockPc = Function(0x04, kKeyFunctionSystem, 620, 0, 3);
    Send(BuildType2SelectProfile(3));
    Send(BuildType2KeyFunction(HidUsageToType2KeyPosition(lockPc.keyCode), lockPc));

    EXPECT_EQ(Script(), (std::vector<std::string>{"res1", "pause2", "send", "res1", "pause2", "send"}));
    const auto sends = Sent(WireKind::SendFeature);
    ASSERT_EQ(sends.size(), 2u);
    EXPECT_EQ(sends[0].size(), 2048u);
    EXPECT_TRUE(BytesAt(sends[0], 0, "02 06 BB AA 05 00 01 00 03"));
    EXPECT_TRUE(BytesAt(sends[1], 0, "03 06 BB AA 0B 00 0F 00 01 01 01"));
    EXPECT_TRUE(BytesAt(sends[1], 0x13, "02 08 0F"));

    Type2Keyboard& kb = Keyboard();
    EXPECT_EQ(kb.currentProfile, 3);
    ASSERT_EQ(kb.keyEntries[3].count(0x0B), 1u);
    EXPECT_EQ(kb.keyEntries[3][0x0B], EntryOf(BuildType2KeyFunction(0x0B, lockPc)));
    EXPECT_TRUE(kb.keyEntries[1].empty()) << "other profiles keep their keys";

    // Resetting the key sends the all-zero entry; the keyboard gives the key its own function back.
    Send(BuildType2KeyFunction(0x0B, Function(0x04, 0)));
    EXPECT_TRUE(test::ZeroFrom(Sent(WireKind::SendFeature).back(), 8, 2048));
    EXPECT_EQ(kb.keyEntries[3].count(0x0B), 0u);
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(Type2Session, CustomColoursAndEffectsPerProfile) {
    Send(BuildType2SelectProfile(2));
    Send(BuildType2LightEffect(*Type2EffectCode(9)));
    Send(BuildType2SelectProfile(1));
    Send(BuildType2LightEffect(kType2CustomColourEffect));
    std::vector<KeyRgbRow> rows;
    for (int i = 0; i < 130; ++i) rows.push_back(Colour(4 + i % 100, 0x336699));
    Send(BuildType2ColourTable(rows));

    Type2Keyboard& kb = Keyboard();
    EXPECT_EQ(kb.effect, (std::map<int, uint8_t>{{1, 0xC9}, {2, 0xDB}}));
    ASSERT_EQ(kb.colourTable[1].size(), 126u) << "the report has room for 126 entries";
    EXPECT_EQ(kb.colourTable[1][0], (sim::Event4{0x04, 0x99, 0x66, 0x33}));
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(Type2Session, MacroSlotIsWrittenReadAndBoundThenCleared) {
    EXPECT_EQ(ReadSlot(0xB5)[kType2SlotUsedByte], 0) << "a fresh keyboard has free slots";

    const std::vector<uint8_t> events =
        Type2MacroEvents({Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)});
    LargeFeatureReport write = BuildType2WriteSlot(0xB5, {});
    const uint8_t lengthCode = PutType2Events(write, kType2SlotEventsStart, events);
    ASSERT_EQ(lengthCode, 0xF4);
    Send(write);
    Send(BuildType2SelectProfile(2));
    Send(BuildType2BindKey(HidUsageToType2KeyPosition(0x05), 2, 0xB5, lengthCode, events));

    Type2Keyboard& kb = Keyboard();
    EXPECT_EQ(kb.slots[0], events);
    EXPECT_EQ(kb.boundEvents[2][0x0C], events) << "the keyboard takes 253 - byte 0x15 event bytes";
    EXPECT_EQ(kb.keyEntries[2][0x0C][0x13 - 8], 0x04);
    EXPECT_EQ(kb.keyEntries[2][0x0C][0x14 - 8], 0x00);
    const LargeFeatureReport answer = ReadSlot(0xB5);
    EXPECT_EQ(answer[0], 0x02) << "the answer keeps the report id";
    EXPECT_NE(answer[kType2SlotUsedByte], 0);
    EXPECT_EQ(ReadSlot(0xB6)[kType2SlotUsedByte], 0);

    Send(BuildType2WriteSlot(0xB5, {}));
    EXPECT_TRUE(kb.slots[0].empty());
    EXPECT_EQ(ReadSlot(0xB5)[kType2SlotUsedByte], 0);
    EXPECT_EQ(kb.protocolErrors, 0);

    // Reading costs two pauses: before the report and before the answer.
    log.Clear();
    ReadSlot(0xC5);
    EXPECT_EQ(Script(), (std::vector<std::string>{"res1", "pause2", "send", "pause2", "get"}));
}

TEST_F(Type2Session, AllSlotsUsedAnswersEveryReadWithAMark) {
    const std::vector<uint8_t> events = Type2MacroEvents({Step(kMacroStepKeyDown, test::kVkA)});
    for (uint8_t s = kType2FirstSlot; s <= kType2LastSlot; ++s) Send(BuildType2WriteSlot(s, events));
    for (uint8_t s = kType2FirstSlot; s <= kType2LastSlot; ++s) EXPECT_NE(ReadSlot(s)[kType2SlotUsedByte], 0) << int(s);
    EXPECT_EQ(Keyboard().slotReads, kType2SlotCount);
}

TEST_F(Type2Session, LongMacroIsCutAtAWholeEventInBothReports) {
    std::vector<MacroRecordRow> steps;
    for (int i = 0; i < 400; ++i) steps.push_back(Step(i % 2 ? kMacroStepKeyUp : kMacroStepKeyDown, test::kVkA));
    const std::vector<uint8_t> events = Type2MacroEvents(steps);
    ASSERT_GT(events.size(), 2048u);
    LargeFeatureReport write = BuildType2WriteSlot(0xB5, {});
    const uint8_t code = PutType2Events(write, kType2SlotEventsStart, events);
    Send(write);
    Send(BuildType2BindKey(0x0B, 1, 0xB5, code, events));
    Type2Keyboard& kb = Keyboard();
    EXPECT_EQ(kb.slots[0].size() % 3, 0u);
    EXPECT_EQ(kb.slots[0], std::vector<uint8_t>(events.begin(), events.begin() + 2040));
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(Type2Session, KeyboardUnpluggedBetweenReportsRefusesTheRest) {
    Fault().vanishAfter = 1;
    EXPECT_TRUE(manager->SendFeature2048(BuildType2SelectProfile(4), 0));
    EXPECT_FALSE(manager->SendFeature2048(BuildType2KeyFunction(0x0B, Function(0x04, kKeyFunctionMouse, 650)), 0));
    LargeFeatureReport read = BuildType2ReadSlot(0xB5);
    EXPECT_TRUE(manager->SendFeature2048AndRead(read, 0)) << "true whenever the device exists";
    EXPECT_TRUE(BytesAt(read, 0, "02 07 BB AA B5 00 0F 00")) << "nothing was read into the buffer";
    EXPECT_EQ(Script(), (std::vector<std::string>{"res1", "pause2", "send", "res1", "pause2", "send!", "res1",
                                                  "pause2", "send!"}));
    EXPECT_EQ(Keyboard().currentProfile, 4);
    EXPECT_TRUE(Keyboard().keyEntries[4].empty());
    Rescan();
    log.Clear();
    EXPECT_FALSE(manager->SendFeature2048(BuildType2SelectProfile(1), 0));
    EXPECT_FALSE(manager->SendFeature2048AndRead(read, 0));
    EXPECT_TRUE(log.Events().empty());
}

}  // namespace
}  // namespace qx
