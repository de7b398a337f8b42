// Feature family (types 1 and 3): command reports, mode records, lighting, colour and key map
// frames and the macro library frame, byte for byte.
#include <gtest/gtest.h>

#include "device/feature_reports.h"
#include "device/key_functions.h"
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

TEST(FeatureCommands, CarryCommandProfileAndReportCount) {
    struct Case { FeatureCommand command; const char* bytes; };
    const Case cases[] = {
        {MakeFeatureCommand(kFeatureStart), "04 18"},
        {MakeFeatureCommand(kFeatureSave), "04 02"},
        {MakeFeatureCommand(kFeatureEnd), "04 F0"},
        {MakeFeatureCommand(kFeatureAnnounceLighting, 0, kType1LightingReports), "04 13 00 00 00 00 00 00 12"},
        {MakeFeatureCommand(kFeatureAnnounceLighting, 3, kType3ModeReports), "04 13 03 00 00 00 00 00 01"},
        {MakeFeatureCommand(kFeatureAnnounceColours, kFeatureColourTarget, kType3ColourReports),
         "04 23 81 00 00 00 00 00 09"},
        {MakeFeatureCommand(kFeatureAnnounceKeyMap, 0, kType1KeyMapReports), "04 11 00 00 00 00 00 00 0A"},
        {MakeFeatureCommand(kFeatureAnnounceKeyMap, 4, kType3KeyMapReports), "04 11 04 00 00 00 00 00 09"},
        {MakeFeatureCommand(kFeatureMacroStart), "04 19"},
        {MakeFeatureCommand(kFeatureAnnounceMacros, 0, 8), "04 15 00 00 00 00 00 00 08"},
    };
    for (const Case& c : cases) {
        const std::size_t n = Hex(c.bytes).size();
        EXPECT_TRUE(BytesAt(c.command, 0, c.bytes));
        EXPECT_TRUE(ZeroFrom(c.command, n, c.command.size())) << c.bytes;
    }
}

TEST(FeatureModeRecords, TableEntriesCurrentModesOfBothTypes) {
    for (int k = 1; k <= 19; ++k) {
        const ModeRecord r = Type1TableModeRecord(k);
        EXPECT_EQ(r[0], k);
        EXPECT_TRUE(BytesAt(r, 1, "01 00 FF FF 00 0F 07 01 10 0C 00 00 00 AA 55")) << k;
    }
    EXPECT_TRUE(BytesAt(Type1TableModeRecord(20), 0, "80 01 00 FF FF 00 0F 07 01 0F 0C 00 00 00 AA 55"));
    EXPECT_TRUE(BytesAt(Type1CurrentModeRecord(7), 0, "07 00 00 FF FF 00 0F 07 01 10 0C 00 00 00 AA 55"));
    EXPECT_TRUE(BytesAt(Type3CurrentModeRecord(0x80), 0, "80 00 00 FF FF 00 0F 07 01 0F 0F 00 00 00 AA 55"));

    const FeatureCommand report = BuildType3ModeReport(5);
    EXPECT_TRUE(BytesAt(report, 0, "05 00 00 FF FF 00 0F 07 01 0F 0F 00 00 00 AA 55"));
    EXPECT_TRUE(ZeroFrom(report, 16, report.size()));
}

// Key codes of the tests' layout: key code -> light index.
const std::map<uint32_t, int> kLights = {{0x04, 10}, {0x05, 0}, {0x06, 143}, {0x07, 144}, {0x08, 142},
                                         {0x09, 125}, {0x0A, 126}};

TEST(Type1LightingFrame, WithoutColoursEveryLedIsBlackAndTheModeLeadsTheCurrentRecord) {
    const std::vector<uint8_t> frame = BuildType1LightingFrame(3, {}, kLights);
    ASSERT_EQ(frame.size(), 1152u);
    EXPECT_EQ(frame.size() / 64, 0x12u);
    for (int k = 1; k <= 20; ++k) {
        const ModeRecord r = Type1TableModeRecord(k);
        EXPECT_TRUE(BytesAt(frame, 16 * static_cast<std::size_t>(k - 1), test::HexText(r))) << k;
    }
    EXPECT_TRUE(ZeroFrom(frame, 0x140, 0x200));
    for (std::size_t j = 0; j < 144; ++j) EXPECT_TRUE(BytesAt(frame, 0x200 + 4 * j, "80 00 00 00")) << j;
    EXPECT_TRUE(BytesAt(frame, 0x440, "03 00 00 FF FF 00 0F 07 01 10 0C 00 00 00 AA 55"));
    EXPECT_TRUE(ZeroFrom(frame, 0x450, frame.size()));
}

TEST(Type1LightingFrame, CustomColoursGoToTheirLedsRedGreenBlue) {
    const std::vector<KeyRgbRow> colours = {
        Colour(0x04, 0x336699),   // light index 10
        Colour(0x05, 0x010203),   // light index 0
        Colour(0x06, 0xFFFFFF),   // 143: the last LED
        Colour(0x07, 0x123456),   // 144: beyond the LED table
        Colour(0x3A, 0x654321),   // not in the light index table
    };
    const std::vector<uint8_t> frame = BuildType1LightingFrame(kCustomColourMode, colours, kLights);
    ASSERT_EQ(frame.size(), 1152u);
    EXPECT_TRUE(BytesAt(frame, 0x200 + 4 * 10, "80 99 66 33"));
    EXPECT_TRUE(BytesAt(frame, 0x200, "80 03 02 01"));
    EXPECT_TRUE(BytesAt(frame, 0x200 + 4 * 143, "80 FF FF FF"));
    int coloured = 0;
    for (std::size_t j = 0; j < 144; ++j) {
        const std::size_t at = 0x200 + 4 * j;
        if (frame[at + 1] != 0 || frame[at + 2] != 0 || frame[at + 3] != 0) ++coloured;
    }
    EXPECT_EQ(coloured, 3) << "skipped rows leave no trace";
    EXPECT_EQ(frame[0x440], 0x80);
    EXPECT_TRUE(BytesAt(frame, 0x441, "00 00 FF FF 00 0F 07 01 10 0C 00 00 00 AA 55"));
    EXPECT_TRUE(ZeroFrom(frame, 0x450, frame.size()));
}

TEST(Type3ColourFrame, EntriesCarryTheirIndexAndTheFrameEndsWithTheMarker) {
    const std::vector<KeyRgbRow> colours = {Colour(0x04, 0x336699), Colour(0x08, 0x0000FF), Colour(0x09, 0x00FF00),
                                            Colour(0x06, 0x111111), Colour(0x07, 0x222222)};
    const std::vector<uint8_t> frame = BuildType3ColourFrame(colours, kLights);
    ASSERT_EQ(frame.size(), 576u);
    EXPECT_EQ(frame.size() / 64, 9u);
    for (std::size_t j = 0; j < 126; ++j) EXPECT_EQ(frame[4 * j], j);
    EXPECT_TRUE(BytesAt(frame, 4 * 10, "0A 99 66 33"));
    EXPECT_TRUE(BytesAt(frame, 4 * 125, "7D 00 FF 00"));
    EXPECT_TRUE(BytesAt(frame, 4 * 0, "00 00 00 00"));
    // Light index 142 still lies in front of the marker; 143 and 144 do not fit.
    EXPECT_TRUE(BytesAt(frame, 4 * 142, "8E FF 00 00"));
    EXPECT_TRUE(ZeroFrom(frame, 0x1F8, 4 * 142));
    EXPECT_TRUE(ZeroFrom(frame, 4 * 142 + 4, 0x23E));
    EXPECT_TRUE(BytesAt(frame, 0x23E, "AA 55"));
}

TEST(Type3ColourFrame, WithoutColoursOnlyIndexesAndMarker) {
    const std::vector<uint8_t> frame = BuildType3ColourFrame({}, kLights);
    ASSERT_EQ(frame.size(), 576u);
    for (std::size_t j = 0; j < 126; ++j) EXPECT_TRUE(BytesAt(frame, 4 * j, test::HexText({uint8_t(j), 0, 0, 0})));
    EXPECT_TRUE(ZeroFrom(frame, 0x1F8, 0x23E));
    EXPECT_TRUE(BytesAt(frame, 0x23E, "AA 55"));
}

TEST(FeatureKeyEntry, EveryKindOfFunction) {
    const std::vector<MacroRow> macros = {Macro(7), Macro(3, 1), Macro(9, 3), Macro(11, 300), Macro(3, 5)};
    struct Case { KeyMacroRow row; const char* entry; };   // nullptr: nothing is written
    const Case cases[] = {
        {Function(4, kKeyFunctionKey, 0x04, 0xE0), "02 01 04 00"},     // Ctrl+A
        {Function(4, kKeyFunctionKey, 0x04, 0), "02 00 04 00"},
        {Function(4, kKeyFunctionKey, 0x04, 0xE5), "02 20 04 00"},     // right Shift+A
        {Function(4, kKeyFunctionKey, 0, 0xE1), "02 02 00 00"},        // left Shift alone: a modifier bit here
        {Function(4, kKeyFunctionKey, 0xE7, 0), "02 00 80 00"},
        {Function(4, kKeyFunctionSystem, 610), "02 04 3D 00"},
        {Function(4, kKeyFunctionSystem, 614), "02 01 04 00"},
        {Function(4, kKeyFunctionSystem, 620), "02 08 0F 00"},
        {Function(4, kKeyFunctionSystem, 609), "02 00 00 00"},         // unknown item: the kind byte only
        {Function(4, kKeyFunctionMultimedia, 630), "03 CD 00 00"},
        {Function(4, kKeyFunctionMultimedia, 636), "03 E2 00 00"},
        {Function(4, kKeyFunctionMultimedia, 637), "03 00 00 00"},
        {Function(4, kKeyFunctionMouse, 650), "01 01 01 00"},
        {Function(4, kKeyFunctionMouse, 651), "01 01 04 00"},
        {Function(4, kKeyFunctionMouse, 652), "01 01 02 00"},
        {Function(4, kKeyFunctionMouse, 653), "01 01 08 00"},          // Forward
        {Function(4, kKeyFunctionMouse, 654), "01 01 10 00"},          // Backward
        {Function(4, kKeyFunctionMouse, 655), "01 01 00 00"},
        {Function(4, kKeyFunctionMacro, 7), "06 00 00 01"},
        {Function(4, kKeyFunctionMacro, 3), "06 01 00 01"},            // the first macro with the id
        {Function(4, kKeyFunctionMacro, 9), "06 02 01 03"},
        {Function(4, kKeyFunctionMacro, 11), "06 03 01 2C"},           // play count's low byte
        {Function(4, kKeyFunctionMacro, 99), nullptr},                 // no such macro
        {Function(4, 0), nullptr},
        {Function(4, 605), nullptr},
    };
    for (const Case& c : cases) {
        const auto entry = FeatureKeyEntry(c.row, macros);
        const std::string what = std::to_string(c.row.macroType) + "/" + std::to_string(c.row.macroValue);
        if (!c.entry) {
            EXPECT_FALSE(entry.has_value()) << what;
            continue;
        }
        ASSERT_TRUE(entry.has_value()) << what;
        EXPECT_TRUE(BytesAt(*entry, 0, c.entry)) << what;
    }
}

TEST(FeatureKeyEntry, MacroBeyondAByteOfListIndexesSendsNothing) {
    std::vector<MacroRow> macros;
    for (int i = 0; i < 300; ++i) macros.push_back(Macro(1000 + i));
    ASSERT_TRUE(FeatureKeyEntry(Function(4, kKeyFunctionMacro, 1000 + 255), macros).has_value());
    EXPECT_TRUE(BytesAt(*FeatureKeyEntry(Function(4, kKeyFunctionMacro, 1000 + 255), macros), 0, "06 FF 00 01"));
    // Index 256 would wrap to macro 0 and play the wrong macro.
    EXPECT_FALSE(FeatureKeyEntry(Function(4, kKeyFunctionMacro, 1000 + 256), macros).has_value());
}

const std::map<uint32_t, int> kKeys = {{0x04, 10}, {0x05, 0}, {0x06, 158}, {0x07, 159}, {0x08, 142}, {0x09, 143}};

TEST(FeatureKeyMapFrame, ShapesOfBothTypes) {
    struct Case { int type; std::size_t size; uint8_t reports; int maxKey; };
    for (Case c : {Case{1, 640, 10, 158}, Case{3, 576, 9, 142}}) {
        const auto shape = FeatureKeyMapShapeFor(c.type);
        ASSERT_TRUE(shape.has_value());
        EXPECT_EQ(shape->size, c.size);
        EXPECT_EQ(shape->reports, c.reports);
        EXPECT_EQ(shape->size, std::size_t{shape->reports} * 64);
        EXPECT_EQ(shape->maxKeyIndex, c.maxKey);
        EXPECT_LE(4 * (shape->maxKeyIndex + 1), static_cast<int>(shape->size) - 2);
        const std::vector<uint8_t> empty = BuildFeatureKeyMapFrame(c.type, {}, kKeys, {});
        ASSERT_EQ(empty.size(), c.size);
        EXPECT_TRUE(ZeroFrom(empty, 0, c.size - 2));
        EXPECT_TRUE(BytesAt(empty, c.size - 2, "AA 55"));
    }
    for (int type : {0, 2, 5, 6}) {
        EXPECT_FALSE(FeatureKeyMapShapeFor(type).has_value());
        EXPECT_TRUE(BuildFeatureKeyMapFrame(type, {Function(4, kKeyFunctionKey, 4)}, kKeys, {}).empty());
    }
}

TEST(FeatureKeyMapFrame, Type1CtrlAAtKeyIndexTenAndTheEdgesOfTheFrame) {
    const std::vector<KeyMacroRow> functions = {
        Function(0x04, kKeyFunctionKey, 0x04, 0xE0),      // key index 10
        Function(0x05, kKeyFunctionMouse, 653),           // key index 0
        Function(0x06, kKeyFunctionMultimedia, 636),      // 158: the last that fits
        Function(0x07, kKeyFunctionMultimedia, 636),      // 159 would cover the marker
        Function(0x3A, kKeyFunctionSystem, 620),          // not in the key index table
        Function(0x08, 0, 0x04, 0xE0),                    // no function
        Function(0x09, kKeyFunctionMacro, 42),            // macro that does not exist
    };
    const std::vector<uint8_t> frame = BuildFeatureKeyMapFrame(1, functions, kKeys, {Macro(1)});
    ASSERT_EQ(frame.size(), 640u);
    EXPECT_TRUE(BytesAt(frame, 0x28, "02 01 04 00"));
    EXPECT_TRUE(BytesAt(frame, 0x00, "01 01 08 00"));
    EXPECT_TRUE(BytesAt(frame, 4 * 158, "03 E2 00 00"));
    EXPECT_TRUE(BytesAt(frame, 0x27E, "AA 55"));
    EXPECT_TRUE(ZeroFrom(frame, 4, 0x28));
    EXPECT_TRUE(ZeroFrom(frame, 0x2C, 4 * 158));
}

TEST(FeatureKeyMapFrame, Type3StopsAtKeyIndex142) {
    const std::vector<KeyMacroRow> functions = {Function(0x08, kKeyFunctionMouse, 650),
                                                Function(0x09, kKeyFunctionMouse, 650),
                                                Function(0x06, kKeyFunctionMouse, 650)};
    const std::vector<uint8_t> frame = BuildFeatureKeyMapFrame(3, functions, kKeys, {});
    ASSERT_EQ(frame.size(), 576u);
    EXPECT_TRUE(BytesAt(frame, 4 * 142, "01 01 01 00"));
    EXPECT_TRUE(ZeroFrom(frame, 0, 4 * 142));
    EXPECT_TRUE(BytesAt(frame, 0x23C, "00 00 AA 55"));
}

// ---- Macro library ----

MacroSteps Library(int id, std::vector<MacroRecordRow> steps) { return MacroSteps{Macro(id), std::move(steps)}; }

std::vector<uint8_t> Flatten(const std::vector<std::array<uint8_t, 4>>& events) {
    std::vector<uint8_t> bytes;
    for (const auto& e : events) bytes.insert(bytes.end(), e.begin(), e.end());
    return bytes;
}

TEST(FeatureMacroEvents, PausesAreInsertedBetweenActionsThatNoDelaySeparates) {
    struct Case { const char* name; std::vector<MacroRecordRow> steps; const char* events; };
    const Case cases[] = {
        {"A down and up", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)},
         "00 00 04 B0 0A 00 00 50 00 00 04 30"},
        {"delay first", {Step(kMacroStepDelay, 100), Step(kMacroStepKeyDown, test::kVkA)}, "64 00 00 50 00 00 04 B0"},
        {"delay between", {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 0x1234), Step(kMacroStepKeyUp, test::kVkA)},
         "00 00 04 B0 34 12 00 50 00 00 04 30"},
        {"two delays", {Step(kMacroStepDelay, 5), Step(kMacroStepDelay, 6)}, "05 00 00 50 06 00 00 50"},
        {"mouse buttons", {Step(kMacroStepMouseDown, 3), Step(kMacroStepMouseUp, 2), Step(kMacroStepMouseDown, 1)},
         "00 00 02 90 0A 00 00 50 00 00 04 10 0A 00 00 50 00 00 01 90"},
        {"unknown button", {Step(kMacroStepMouseDown, 7)}, "00 00 00 00"},
        {"unknown step keeps the mark",
         {Step(kMacroStepKeyDown, test::kVkA), Step(9, 1), Step(kMacroStepKeyUp, test::kVkA)},
         "00 00 04 B0 00 00 00 00 0A 00 00 50 00 00 04 30"},
        {"unknown step after a delay",
         {Step(kMacroStepDelay, 1), Step(9, 1), Step(kMacroStepKeyUp, test::kVkA)},
         "01 00 00 50 00 00 00 00 00 00 04 30"},
        {"key without usage", {Step(kMacroStepKeyDown, 0x10)}, "00 00 00 B0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Flatten(FeatureMacroEvents(c.steps)), Hex(c.events)) << c.name;
}

TEST(FeatureMacroFrame, NoMacrosIsEightReportsWithTheMarkerAtTheEnd) {
    const auto frame = BuildFeatureMacroFrame({});
    ASSERT_TRUE(frame.has_value());
    ASSERT_EQ(frame->size(), 512u);
    EXPECT_EQ(frame->size() / 64, 8u);
    EXPECT_TRUE(ZeroFrom(*frame, 0, 510));
    EXPECT_TRUE(BytesAt(*frame, 510, "AA 55"));
}

TEST(FeatureMacroFrame, DirectoryPointsAtBlocksWithoutGaps) {
    const std::vector<MacroSteps> library = {
        Library(5, {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)}),
        Library(6, {}),
        Library(8, {Step(kMacroStepDelay, 100), Step(kMacroStepKeyDown, test::kVkA)}),
    };
    const auto frame = BuildFeatureMacroFrame(library);
    ASSERT_TRUE(frame.has_value());
    EXPECT_TRUE(BytesAt(*frame, 0, "90 01 00 00 FF FF FF FF A4 01 00 00"));
    EXPECT_TRUE(ZeroFrom(*frame, 12, 0x190));
    EXPECT_TRUE(BytesAt(*frame, 0x190, "03 00 00 00 00 00 00 00 00 00 04 B0 0A 00 00 50 00 00 04 30"));
    EXPECT_TRUE(BytesAt(*frame, 0x1A4, "02 00 00 00 00 00 00 00 64 00 00 50 00 00 04 B0"));
    // p = 0x1B4 = 436: ceil(436 / 64) + 1 = 8 reports.
    ASSERT_EQ(frame->size(), 8u * 64);
    EXPECT_TRUE(ZeroFrom(*frame, 0x1B4, frame->size() - 2));
    EXPECT_TRUE(BytesAt(*frame, frame->size() - 2, "AA 55"));
}

TEST(FeatureMacroFrame, OneReportMoreThanTheDataNeedsEvenOnABoundary) {
    // Ten delay events: p = 400 + 8 + 40 = 448, exactly 7 reports; the frame has 8.
    std::vector<MacroRecordRow> steps(10, Step(kMacroStepDelay, 1));
    const auto frame = BuildFeatureMacroFrame({Library(1, steps)});
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->size(), 8u * 64);
}

TEST(FeatureMacroFrame, OnlyTheFirstHundredMacrosAreUploaded) {
    std::vector<MacroSteps> library;
    for (int i = 0; i < 101; ++i) library.push_back(Library(i + 1, {Step(kMacroStepKeyDown, test::kVkA)}));
    const auto frame = BuildFeatureMacroFrame(library);
    ASSERT_TRUE(frame.has_value());
    // 100 blocks of 12 bytes: p = 400 + 1200 = 1600 = 25 reports, one more: 26.
    EXPECT_EQ(frame->size(), 26u * 64);
    EXPECT_TRUE(BytesAt(*frame, 4 * 99, "34 06 00 00"));   // 0x190 + 99 * 12 = 0x634
    EXPECT_TRUE(ZeroFrom(*frame, 1600, frame->size() - 2));
}

TEST(FeatureMacroFrame, FramesOver3200BytesAreNotBuilt) {
    // One block of n delay events: p = 408 + 4n. n = 682 gives p = 3136 -> 49 + 1 = 50 reports = 3200.
    const auto fits = BuildFeatureMacroFrame({Library(1, std::vector<MacroRecordRow>(682, Step(kMacroStepDelay, 1)))});
    ASSERT_TRUE(fits.has_value());
    EXPECT_EQ(fits->size(), 3200u);
    EXPECT_TRUE(BytesAt(*fits, 3198, "AA 55"));
    EXPECT_FALSE(BuildFeatureMacroFrame({Library(1, std::vector<MacroRecordRow>(683, Step(kMacroStepDelay, 1)))}));
    // Inserted pauses count: 700 key presses make 1399 events.
    EXPECT_FALSE(BuildFeatureMacroFrame({Library(1, std::vector<MacroRecordRow>(700, Step(kMacroStepKeyDown, test::kVkA)))}));
}

TEST(MacroLibraryBudget, FourBytesPerStepAndEightPerMacro) {
    struct Case { int macros, steps; bool fits; };
    for (Case c : {Case{0, 0, true}, Case{1, 623, true}, Case{1, 624, false}, Case{0, 625, true}, Case{0, 626, false},
                   Case{312, 1, true}, Case{312, 2, false}, Case{313, 0, false}}) {
        EXPECT_EQ(MacroLibraryFits(c.macros, c.steps), c.fits) << c.macros << " macros, " << c.steps << " steps";
    }
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

// The comparisons every table above relies on must be able to fail.
TEST(ProtocolByteHelpers, DetectDifferencesAndShortReports) {
    const std::vector<uint8_t> bytes = test::Hex("01 02 03 00 05");
    EXPECT_TRUE(test::BytesAt(bytes, 1, "02 03"));
    EXPECT_FALSE(test::BytesAt(bytes, 1, "02 04"));
    EXPECT_FALSE(test::BytesAt(bytes, 4, "05 06")) << "past the end";
    EXPECT_TRUE(test::ZeroFrom(bytes, 3, 4));
    EXPECT_FALSE(test::ZeroFrom(bytes, 3, 5));
}

}  // namespace
}  // namespace qx
