// Output-report family (types 5 and 6): start, end and light effect reports, colour and key tables,
// chunks and the macro stream, byte for byte.
#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "device/output_reports.h"
#include "tests/protocol/protocol_bytes.h"

namespace qx {
namespace {

using test::BytesAt;
using test::Colour;
using test::Function;
using test::Hex;
using test::Macro;
using test::Step;
using test::ZeroFrom;

::testing::AssertionResult ReportIs(const OutputReport& r, const std::string& hex) {
    if (auto head = BytesAt(r, 0, hex); !head) return head;
    return ZeroFrom(r, Hex(hex).size(), r.size());
}

TEST(OutputReports, StartEndAndLightEffect) {
    EXPECT_TRUE(ReportIs(BuildOutputStart(), "04 01 00 01"));
    EXPECT_TRUE(ReportIs(BuildOutputEnd(), "04 02 00 02"));
    const std::string effectTail = " 00 00 00 00 13 04 00 00 01 FF FF FF 00 00 00 00 00 00 00 00 00 00 00 01";
    EXPECT_TRUE(ReportIs(BuildOutputLightEffect(5, kOutputCustomColourMode), "04 00 03 06 38" + effectTail));
    EXPECT_TRUE(ReportIs(BuildOutputLightEffect(6, kOutputCustomColourMode), "04 24 03 06 18" + effectTail));
    EXPECT_EQ(BuildOutputLightEffect(5, 7)[9], 7);
}

TEST(OutputReports, ChunkCarriesLengthOffsetAndData) {
    std::vector<uint8_t> table(400);
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i * 3 + 1);
    const OutputReport r = BuildOutputChunk(kOutputColourChunk, 0x30, 0x150, table, 56);
    EXPECT_TRUE(BytesAt(r, 0, "04 00 00 0B 30 50 01 00"));
    EXPECT_EQ(test::Slice(r, 8, 56), test::Slice(table, 0x150, 56)) << "56 bytes of data whatever L says";
    // A chunk near the end of the table takes what is left; one past it carries none.
    const OutputReport tail = BuildOutputChunk(kOutputKeyMapChunk, 0x18, 390, table, 24);
    EXPECT_EQ(test::Slice(tail, 8, 10), test::Slice(table, 390, 10));
    EXPECT_TRUE(ZeroFrom(tail, 18, tail.size()));
    EXPECT_TRUE(ReportIs(BuildOutputChunk(kOutputMacroChunk, 0, 400, table, 56), "04 00 00 15 00 90 01 00"));
    EXPECT_TRUE(ReportIs(BuildOutputChunk(kOutputMacroChunk, 0, 70000, table, 56), "04 00 00 15 00 70 11 00"));
    EXPECT_EQ(OutputChunkSize(5), 56u);
    EXPECT_EQ(OutputChunkSize(6), 24u);
}

const std::map<uint32_t, int> kSlots = {{0x04, 1}, {0x05, 133}, {0x06, 134}, {0x07, 0}, {0x08, 2}, {0x09, 115}};

TEST(OutputColourTable, SlotsFromOneRedGreenBlue) {
    const std::vector<KeyRgbRow> rows = {Colour(0x04, 0x336699), Colour(0x05, 0x0000FF), Colour(0x06, 0xFFFFFF),
                                         Colour(0x07, 0xFFFFFF), Colour(0x3A, 0xFFFFFF), Colour(0x08, 0x00FF00)};
    const std::vector<uint8_t> table = BuildOutputColourTable(rows, kSlots);
    ASSERT_EQ(table.size(), 400u);
    EXPECT_TRUE(BytesAt(table, 0, "99 66 33 00 FF 00"));
    EXPECT_TRUE(BytesAt(table, 396, "FF 00 00 00"));
    EXPECT_TRUE(ZeroFrom(table, 6, 396));
    EXPECT_TRUE(ZeroFrom(BuildOutputColourTable({}, kSlots), 0, 400));
}

std::vector<uint8_t> Defaults() {
    std::vector<uint8_t> table(400, 0);
    for (int k = 0; k < kDefaultKeySlots; ++k) {
        const KeyEntry e = DefaultKeyEntry(k);
        std::copy(e.begin(), e.end(), table.begin() + 3 * k);
    }
    return table;
}

TEST(OutputKeyTable, DefaultsWithoutStoredFunctions) {
    const std::vector<uint8_t> table = BuildOutputKeyTable({}, kSlots, {});
    EXPECT_EQ(table, Defaults());
    EXPECT_TRUE(BytesAt(table, 0, "20 00 29 20 00 3A"));
    EXPECT_TRUE(BytesAt(table, 3 * 0x0E, "30 CD 00"));
    EXPECT_TRUE(BytesAt(table, 3 * 0x55, "A0 01 00"));
}

TEST(OutputKeyTable, EveryKindOfFunctionOverwritesItsSlot) {
    const std::vector<MacroRow> macros = {Macro(4), Macro(8), Macro(8)};
    struct Case { const char* name; KeyMacroRow row; const char* entry; };   // slot 1's three bytes
    const Case cases[] = {
        {"Ctrl+A", Function(0x04, kKeyFunctionKey, 0x04, 0xE0), "20 01 04"},
        {"left Shift alone", Function(0x04, kKeyFunctionKey, 0, 0xE1), "20 02 00"},
        {"Lock PC", Function(0x04, kKeyFunctionSystem, 620), "20 08 0F"},
        {"unknown system item", Function(0x04, kKeyFunctionSystem, 600), "20 00 29"},
        {"Mute", Function(0x04, kKeyFunctionMultimedia, 636), "30 E2 00"},
        {"unknown multimedia item", Function(0x04, kKeyFunctionMultimedia, 640), "30 00 29"},
        {"Right Button", Function(0x04, kKeyFunctionMouse, 652), "10 02 00"},
        {"Forward", Function(0x04, kKeyFunctionMouse, 653), "10 10 00"},
        {"Backward", Function(0x04, kKeyFunctionMouse, 654), "10 08 00"},
        {"unknown mouse item", Function(0x04, kKeyFunctionMouse, 649), "10 00 29"},
        {"macro", Function(0x04, kKeyFunctionMacro, 8), "71 01 00"},
        {"missing macro", Function(0x04, kKeyFunctionMacro, 9), "20 00 29"},
        {"no function", Function(0x04, 0, 0x04, 0xE0), "20 00 29"},
        {"other kind", Function(0x04, 606, 0x04, 0xE0), "20 00 29"},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> table = BuildOutputKeyTable({c.row}, kSlots, macros);
        EXPECT_TRUE(BytesAt(table, 0, c.entry)) << c.name;
        EXPECT_EQ(test::Slice(table, 3, 397), test::Slice(Defaults(), 3, 397)) << c.name;
    }
}

TEST(OutputKeyTable, SlotsBeyond133AndUnknownKeysAreSkipped) {
    const std::vector<KeyMacroRow> rows = {Function(0x05, kKeyFunctionMouse, 650), Function(0x06, kKeyFunctionMouse, 650),
                                           Function(0x07, kKeyFunctionMouse, 650), Function(0x3A, kKeyFunctionMouse, 650)};
    const std::vector<uint8_t> table = BuildOutputKeyTable(rows, kSlots, {});
    ASSERT_EQ(table.size(), 400u);
    EXPECT_TRUE(BytesAt(table, 396, "10 01 00 00"));
    EXPECT_EQ(test::Slice(table, 0, 396), test::Slice(Defaults(), 0, 396));
}

TEST(OutputKeyTable, Type5FixedChunkIsTheFactoryDefaults) {
    const OutputReport chunk = BuildType5FixedKeyMapChunk();
    EXPECT_TRUE(BytesAt(chunk, 0, "04 00 00 09 30 50 01 00"));
    EXPECT_EQ(test::Slice(chunk, 8, 56), test::Slice(Defaults(), 336, 56));
}

std::vector<uint8_t> Flatten(const std::vector<std::array<uint8_t, 4>>& events) {
    std::vector<uint8_t> bytes;
    for (const auto& e : events) bytes.insert(bytes.end(), e.begin(), e.end());
    return bytes;
}

TEST(OutputMacroEvents, DelaysFollowTheActionBeforeThem) {
    struct Case { const char* name; std::vector<MacroRecordRow> steps; const char* events; };
    const Case cases[] = {
        {"right button", {Step(kMacroStepMouseDown, 3), Step(kMacroStepMouseUp, 3)}, "00 00 81 04 00 00 01 04"},
        {"left and middle", {Step(kMacroStepMouseDown, 1), Step(kMacroStepMouseUp, 2)}, "00 00 81 01 00 00 01 02"},
        {"two delays", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 50), Step(kMacroStepDelay, 70),
                        Step(kMacroStepKeyUp, test::kVkA)},
         "46 00 8A 04 00 00 0A 04"},
        {"delay first is dropped", {Step(kMacroStepDelay, 500), Step(kMacroStepKeyDown, test::kVkA)}, "00 00 8A 04"},
        {"long delay", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 0x1234)}, "34 12 8A 04"},
        {"capped delay", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 70000)}, "FF FF 8A 04"},
        {"negative delay", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, -5)}, "00 00 8A 04"},
        {"unknown step", {Step(9, 1), Step(kMacroStepDelay, 3)}, "03 00 00 00"},
        {"only delays", {Step(kMacroStepDelay, 3)}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Flatten(OutputMacroEvents(c.steps)), Hex(c.events)) << c.name;
}

MacroSteps Library(int id, std::vector<MacroRecordRow> steps) { return MacroSteps{Macro(id), std::move(steps)}; }

TEST(OutputMacroStream, HeaderDirectoryOfStreamOffsetsAndBlocks) {
    const auto stream = BuildOutputMacroStream({
        Library(1, {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 50), Step(kMacroStepKeyUp, test::kVkA)}),
        Library(2, {}),
        Library(3, {Step(kMacroStepMouseDown, 3)}),
    });
    ASSERT_TRUE(stream.has_value());
    EXPECT_TRUE(BytesAt(*stream, 0, "AA 55 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    // Frame: directory of 6 bytes, block 0 at frame 6 (stream 22) of 12 bytes, block 1 at 18 (34)
    // of 4, block 2 at 22 (38) of 8.
    EXPECT_TRUE(BytesAt(*stream, 16, "16 00 22 00 26 00"));
    EXPECT_TRUE(BytesAt(*stream, 22, "02 00 00 00 32 00 8A 04 00 00 0A 04"));
    EXPECT_TRUE(BytesAt(*stream, 34, "00 00 00 00"));
    EXPECT_TRUE(BytesAt(*stream, 38, "01 00 00 00 00 00 81 04"));
    EXPECT_EQ(stream->size(), 46u);
}

TEST(OutputMacroStream, NoMacrosIsTheHeaderAloneAndFramesOver3200AreNotBuilt) {
    const auto empty = BuildOutputMacroStream({});
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, Hex("AA 55 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    // Two macros: 4 + 8 + 4 (m1 + m2) bytes; 797 events make exactly 3200.
    auto presses = [](int n) { return std::vector<MacroRecordRow>(n, Step(kMacroStepKeyDown, test::kVkA)); };
    const auto full = BuildOutputMacroStream({Library(1, presses(400)), Library(2, presses(397))});
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->size(), 16u + 3200);
    EXPECT_FALSE(BuildOutputMacroStream({Library(1, presses(400)), Library(2, presses(398))}).has_value());
}

}  // namespace
}  // namespace qx
