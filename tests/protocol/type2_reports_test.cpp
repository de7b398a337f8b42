// BB AA family (type 2): 2048-byte feature reports for effects, colours, profiles, key functions
// and macro slots, byte for byte.
#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "device/type2_reports.h"
#include "tests/protocol/protocol_bytes.h"

namespace qx {
namespace {

using test::BytesAt;
using test::Colour;
using test::Function;
using test::Hex;
using test::Step;
using test::ZeroFrom;

// The report equals hex followed by zeros up to 2048 bytes.
::testing::AssertionResult ReportIs(const LargeFeatureReport& r, const std::string& hex) {
    const std::size_t n = Hex(hex).size();
    if (auto head = BytesAt(r, 0, hex); !head) return head;
    return ZeroFrom(r, n, r.size());
}

TEST(Type2Effects, EffectNumbersBecomeCodes) {
    struct Case { int effect; std::optional<uint8_t> code; };
    const Case cases[] = {{1, 0xD3}, {2, 0xD4}, {5, 0xD7}, {9, 0xDB}, {10, 0x00},
                          {0, std::nullopt}, {11, std::nullopt}, {-1, std::nullopt}, {128, std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(Type2EffectCode(c.effect), c.code) << c.effect;
}

TEST(Type2Effects, LightEffectReports) {
    EXPECT_TRUE(ReportIs(BuildType2LightEffect(*Type2EffectCode(1)), "02 06 BB AA 06 00 01 00 D3"));
    EXPECT_TRUE(ReportIs(BuildType2LightEffect(*Type2EffectCode(9)), "02 06 BB AA 06 00 01 00 DB"));
    EXPECT_TRUE(ReportIs(BuildType2LightEffect(*Type2EffectCode(10)), "02 06 BB AA 06 00 01 00 00"));
    EXPECT_TRUE(ReportIs(BuildType2LightEffect(kType2CustomColourEffect), "02 06 BB AA 06 00 01 00 C9"));
}

TEST(Type2ColourTable, EntriesInRowOrderFromByteEight) {
    const std::vector<KeyRgbRow> rows = {Colour(0x04, 0x336699), Colour(0x1E4, 0x0000FF), Colour(0x2C, 0)};
    EXPECT_TRUE(ReportIs(BuildType2ColourTable(rows), "05 06 BB AA C9 00 B8 01 04 99 66 33 E4 FF 00 00 2C 00 00 00"));
    EXPECT_TRUE(ReportIs(BuildType2ColourTable({}), "05 06 BB AA C9 00 B8 01"));
}

TEST(Type2ColourTable, RoomFor126EntriesFurtherRowsAreNotSent) {
    std::vector<KeyRgbRow> rows;
    for (int i = 0; i < 130; ++i) rows.push_back(Colour(i + 1, 0x010101 * (i + 1)));
    const LargeFeatureReport r = BuildType2ColourTable(rows);
    const std::size_t last = 8 + 4 * 125;
    EXPECT_TRUE(BytesAt(r, last, "7E 7E 7E 7E"));
    EXPECT_TRUE(ZeroFrom(r, last + 4, r.size()));
}

TEST(Type2Profiles, SelectProfile) {
    for (int p = 1; p <= 5; ++p) {
        EXPECT_TRUE(ReportIs(BuildType2SelectProfile(p), "02 06 BB AA 05 00 01 00 0" + std::to_string(p)));
    }
}

TEST(Type2KeyFunction, EntryOfEveryKind) {
    struct Case { const char* name; KeyMacroRow row; const char* entry; };   // bytes 0x08-0x16
    const Case cases[] = {
        {"default", Function(0x04, 0), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"Lock PC", Function(0x04, kKeyFunctionSystem, 620), "01 01 01 00 00 00 00 00 00 00 00 02 08 0F 00"},
        {"Close Window", Function(0x04, kKeyFunctionSystem, 610), "01 01 01 00 00 00 00 00 00 00 00 02 04 3D 00"},
        {"unknown system item", Function(0x04, kKeyFunctionSystem, 621), "01 01 01 00 00 00 00 00 00 00 00 02 00 00 00"},
        {"Ctrl+A", Function(0x04, kKeyFunctionKey, 0x04, 0xE0), "01 01 01 00 00 00 00 00 00 00 00 02 01 04 00"},
        {"left Shift alone", Function(0x04, kKeyFunctionKey, 0, 0xE1), "01 01 01 00 00 00 00 00 00 00 00 02 00 E1 00"},
        {"right GUI alone", Function(0x04, kKeyFunctionKey, 0, 0xE7), "01 01 01 00 00 00 00 00 00 00 00 02 00 E7 00"},
        {"usage in the modifier slot", Function(0x04, kKeyFunctionKey, 0, 0x05), "01 01 01 00 00 00 00 00 00 00 00 02 05 00 00"},
        {"Shift+A", Function(0x04, kKeyFunctionKey, 0x04, 0xE1), "01 01 01 00 00 00 00 00 00 00 00 02 02 04 00"},
        {"Mute", Function(0x04, kKeyFunctionMultimedia, 636), "01 01 01 00 00 00 00 00 00 00 00 03 00 E2 00"},
        {"Play/Pause", Function(0x04, kKeyFunctionMultimedia, 630), "01 01 01 00 00 00 00 00 00 00 00 03 00 CD 00"},
        {"Left Button", Function(0x04, kKeyFunctionMouse, 650), "01 00 00 00 00 00 00 00 00 00 00 01 01 00 00"},
        {"Forward", Function(0x04, kKeyFunctionMouse, 653), "01 00 00 00 00 00 00 00 00 00 00 01 08 00 00"},
        {"Backward", Function(0x04, kKeyFunctionMouse, 654), "01 00 00 00 00 00 00 00 00 00 00 01 10 00 00"},
        {"other kind", Function(0x04, 605, 1, 2), "01 01 01 00 00 00 00 00 00 00 00 00 00 00 00"},
    };
    for (const Case& c : cases) {
        const LargeFeatureReport r = BuildType2KeyFunction(0x0B, c.row);
        EXPECT_TRUE(ReportIs(r, std::string("03 06 BB AA 0B 00 0F 00 ") + c.entry)) << c.name;
    }
}

TEST(Type2KeyFunction, LockPcOnTheKeyWithUsage04) {
    const uint8_t position = HidUsageToType2KeyPosition(0x04);
    ASSERT_EQ(position, 0x0B);
    const LargeFeatureReport r = BuildType2KeyFunction(position, Function(0x04, kKeyFunctionSystem, 620));
    EXPECT_TRUE(BytesAt(r, 0, "03 06 BB AA 0B 00 0F 00 01 01 01"));
    EXPECT_TRUE(BytesAt(r, 0x13, "02 08 0F"));
}

TEST(Type2Slots, ReadWriteAndClearReports) {
    EXPECT_TRUE(ReportIs(BuildType2ReadSlot(0xB5), "02 07 BB AA B5 00 0F 00"));
    EXPECT_TRUE(ReportIs(BuildType2ReadSlot(0xC5), "02 07 BB AA C5 00 0F 00"));
    EXPECT_TRUE(ReportIs(BuildType2WriteSlot(0xB6, {}), "04 06 BB AA B6 00 C8 00"));
    EXPECT_TRUE(ReportIs(BuildType2WriteSlot(0xB6, Hex("84 04 00 06 10 00 04 04 00")),
                         "04 06 BB AA B6 00 C8 00 84 04 00 06 10 00 04 04 00"));
}

TEST(Type2Slots, BindReport) {
    const std::vector<uint8_t> events = Hex("84 04 00 06 10 00 04 04 00");
    EXPECT_TRUE(ReportIs(BuildType2BindKey(0x0B, 3, 0xB7, 0xF4, events),
                         "04 06 BB AA 0B 00 D7 00 01 01 03 00 00 00 00 00 00 00 00 04 02 F4 00 "
                         "84 04 00 06 10 00 04 04 00"));
}

TEST(Type2MacroEvents, ThreeByteEventsWithPausesBetweenActions) {
    struct Case { const char* name; std::vector<MacroRecordRow> steps; const char* events; };
    const Case cases[] = {
        {"A down and up", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)},
         "84 04 00 06 10 00 04 04 00"},
        {"delay first", {Step(kMacroStepDelay, 100), Step(kMacroStepKeyDown, test::kVkA)}, "06 64 00 84 04 00"},
        {"delay between", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 0x1234), Step(kMacroStepKeyUp, test::kVkA)},
         "84 04 00 06 34 12 04 04 00"},
        {"right button", {Step(kMacroStepMouseDown, 3), Step(kMacroStepMouseUp, 3)}, "81 04 00 06 10 00 01 04 00"},
        {"middle button", {Step(kMacroStepMouseDown, 2)}, "81 02 00"},
        {"unknown step keeps the mark",
         {Step(kMacroStepKeyDown, test::kVkA), Step(9, 0), Step(kMacroStepKeyUp, test::kVkA)},
         "84 04 00 00 00 00 06 10 00 04 04 00"},
        {"unknown step first", {Step(9, 0), Step(kMacroStepKeyDown, test::kVkA)}, "00 00 00 84 04 00"},
        {"no steps", {}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Type2MacroEvents(c.steps), Hex(c.events)) << c.name;
}

TEST(Type2MacroEvents, LengthCodeIs253MinusTheEventBytes) {
    const std::vector<uint8_t> events =
        Type2MacroEvents({Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)});
    ASSERT_EQ(events.size(), 9u);
    for (std::size_t start : {kType2SlotEventsStart, kType2BindEventsStart}) {
        LargeFeatureReport r{};
        EXPECT_EQ(PutType2Events(r, start, events), 0xF4) << start;
        EXPECT_TRUE(BytesAt(r, start, "84 04 00 06 10 00 04 04 00"));
        EXPECT_TRUE(ZeroFrom(r, 0, start));
        EXPECT_TRUE(ZeroFrom(r, start + 9, r.size()));
    }
    LargeFeatureReport empty{};
    EXPECT_EQ(PutType2Events(empty, 8, {}), 0xFD) << "(8 - 8 - 3) mod 256";
}

TEST(Type2MacroEvents, EventsThatDoNotFitAreCutAtAWholeEvent) {
    std::vector<uint8_t> events;
    for (int i = 0; i < 700; ++i) events.insert(events.end(), {0x84, static_cast<uint8_t>(i), 0x00});
    struct Case { std::size_t start; std::size_t written; };
    for (Case c : {Case{kType2SlotEventsStart, 680 * 3}, Case{kType2BindEventsStart, 675 * 3}, Case{9, 679 * 3}}) {
        LargeFeatureReport r{};
        r.fill(0xEE);
        const uint8_t code = PutType2Events(r, c.start, events);
        EXPECT_EQ(code, static_cast<uint8_t>(c.start - (c.start + c.written) - 3)) << c.start;
        EXPECT_EQ(r[c.start + c.written - 3], 0x84);
        EXPECT_TRUE(std::all_of(r.begin() + static_cast<std::ptrdiff_t>(c.start + c.written), r.end(),
                                [](uint8_t b) { return b == 0xEE; }))
            << "bytes after the last whole event stay as they were";
    }
    // A trailing partial event is not written.
    LargeFeatureReport r{};
    PutType2Events(r, 8, Hex("84 04 00 06"));
    EXPECT_TRUE(ZeroFrom(r, 11, r.size()));
    // A start beyond the report writes nothing.
    LargeFeatureReport tail{};
    PutType2Events(tail, 4000, events);
    EXPECT_TRUE(ZeroFrom(tail, 0, tail.size()));
}

}  // namespace
}  // namespace qx
