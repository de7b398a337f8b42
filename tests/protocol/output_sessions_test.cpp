// Output-report family (types 5 and 6) through the device manager against keyboards that take
// tables in chunks between start and end; type 6 is the 2.4G receiver that answers every report.
#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/protocol_sessions.h"
#include "tests/protocol/protocol_bytes.h"
#include "tests/protocol/session_fixture.h"

namespace qx {
namespace {

using sim::OutputKeyboard;
using sim::WireKind;
using test::Append;
using test::BytesAt;
using test::Colour;
using test::Function;
using test::Macro;
using test::Step;

const std::map<uint32_t, int> kSlots = {{0x04, 1}, {0x05, 115}, {0x06, 128}, {0x07, 129}, {0x08, 133}, {0x09, 2}};

class OutputSession : public test::SessionFixture {
protected:
    OutputKeyboard& Keyboard() { return KeyboardState<OutputKeyboard>(); }
    std::vector<std::vector<uint8_t>> Writes() const { return Sent(WireKind::Write); }
    // One report of type 5 (written) or type 6 (written, then its answer read).
    static void AppendReport(std::vector<std::string>& s, int type, int times = 1) {
        if (type == 6) {
            Append(s, {"write", "read"}, times);
        } else {
            Append(s, {"write"}, times);
        }
    }
};

TEST_F(OutputSession, LightModeOfBothTypes) {
    for (int type : {5, 6}) {
        SCOPED_TRACE(type);
        Connect(type);
        SendOutputLightMode(*manager, 0, type, 7);
        const std::vector<std::string> want =
            type == 5 ? std::vector<std::string>{"write", "write", "write"}
                      : std::vector<std::string>{"res1", "write", "read", "pause1", "write", "read", "pause1", "write", "read"};
        EXPECT_EQ(Script(), want);
        const auto writes = Writes();
        ASSERT_EQ(writes.size(), 3u);
        EXPECT_TRUE(BytesAt(writes[0], 0, "04 01 00 01"));
        EXPECT_TRUE(BytesAt(writes[1], 0, type == 5 ? "04 00 03 06 38 00 00 00 00 07" : "04 24 03 06 18 00 00 00 00 07"));
        EXPECT_TRUE(BytesAt(writes[2], 0, "04 02 00 02"));
        for (const auto& w : writes) EXPECT_EQ(w.size(), 64u);
        EXPECT_EQ(Keyboard().lightMode, 7);
        EXPECT_EQ(Keyboard().sessions, 1);
        EXPECT_EQ(Keyboard().protocolErrors, 0);
    }
}

TEST_F(OutputSession, Type5ColourUploadIsSevenChunksEndingWith30At150) {
    Connect(5);
    const std::vector<KeyRgbRow> rows = {Colour(0x04, 0x336699), Colour(0x06, 0x0000FF), Colour(0x08, 0x00FF00)};
    const std::vector<uint8_t> table = BuildOutputColourTable(rows, kSlots);
    SendOutputLightMode(*manager, 0, 5, kOutputCustomColourMode);
    SendOutputColourTable(*manager, 0, 5, table);

    std::vector<std::string> want = {"write", "write", "write", "write"};
    Append(want, {"write", "pause1"}, 7);
    want.push_back("write");
    EXPECT_EQ(Script(), want);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 3u + 9);
    EXPECT_EQ(writes[1][9], 0x13) << "mode 19 for custom colours";
    const char* headers[] = {"04 00 00 0B 38 00 00 00", "04 00 00 0B 38 38 00 00", "04 00 00 0B 38 70 00 00",
                             "04 00 00 0B 38 A8 00 00", "04 00 00 0B 38 E0 00 00", "04 00 00 0B 38 18 01 00",
                             "04 00 00 0B 30 50 01 00"};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(BytesAt(writes[4 + i], 0, headers[i])) << i;
        EXPECT_EQ(test::Slice(writes[4 + i], 8, 56), test::Slice(table, 56 * i, 56)) << i;
    }
    EXPECT_TRUE(BytesAt(writes[4], 8, "99 66 33")) << "0x336699 as red, green, blue";

    OutputKeyboard& kb = Keyboard();
    EXPECT_EQ(kb.LedColour(1), 0x336699u);
    EXPECT_EQ(kb.LedColour(128), 0x0000FFu);
    EXPECT_EQ(kb.LedColour(133), 0u) << "beyond the last chunk's length";
    EXPECT_EQ(kb.lightMode, 19);
    EXPECT_EQ(kb.sessions, 2);
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(OutputSession, Type6ColourUploadIsSixteenChunksOf24) {
    Connect(6);
    const std::vector<uint8_t> table = BuildOutputColourTable({Colour(0x04, 0x336699), Colour(0x06, 0x123456)}, kSlots);
    SendOutputColourTable(*manager, 0, 6, table);

    std::vector<std::string> want = {"res1", "write", "read", "pause1"};
    Append(want, {"write", "read", "pause1"}, 16);
    Append(want, {"write", "read"});
    EXPECT_EQ(Script(), want);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 18u);
    for (unsigned i = 0; i < 16; ++i) {
        const unsigned offset = 24 * i;
        EXPECT_EQ(writes[1 + i][3], 0x0B);
        EXPECT_EQ(writes[1 + i][4], 0x18);
        EXPECT_EQ(writes[1 + i][5] | (writes[1 + i][6] << 8), static_cast<int>(offset)) << i;
        EXPECT_EQ(test::Slice(writes[1 + i], 8, 24), test::Slice(table, offset, 24));
        EXPECT_TRUE(test::ZeroFrom(writes[1 + i], 32, 64));
    }
    EXPECT_EQ(writes[16][5] | (writes[16][6] << 8), 0x168);
    EXPECT_EQ(Keyboard().LedColour(1), 0x336699u);
    EXPECT_EQ(Keyboard().LedColour(128), 0x123456u);
    EXPECT_EQ(Keyboard().protocolErrors, 0);
}

TEST_F(OutputSession, Type5KeyTableEndsWithTheFixedDefaultChunk) {
    Connect(5);
    const std::vector<KeyMacroRow> functions = {Function(0x04, kKeyFunctionKey, 0x04, 0xE0),
                                                Function(0x05, kKeyFunctionMouse, 653),    // key index 115
                                                Function(0x09, kKeyFunctionMacro, 31)};
    const std::vector<uint8_t> table = BuildOutputKeyTable(functions, kSlots, {Macro(30), Macro(31)});
    SendOutputKeyTable(*manager, 0, 5, table);

    std::vector<std::string> want = {"write"};
    Append(want, {"write", "pause1"}, 6);
    Append(want, {"write", "write"});
    EXPECT_EQ(Script(), want);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 9u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(writes[1 + i][3], 0x09);
        EXPECT_EQ(writes[1 + i][4], 0x38);
        EXPECT_EQ(writes[1 + i][5] | (writes[1 + i][6] << 8), static_cast<int>(56 * i));
    }
    const OutputReport fixed = BuildType5FixedKeyMapChunk();
    EXPECT_EQ(writes[7], std::vector<uint8_t>(fixed.begin(), fixed.end()));
    EXPECT_TRUE(BytesAt(writes[7], 0, "04 00 00 09 30 50 01 00"));

    OutputKeyboard& kb = Keyboard();
    EXPECT_EQ(kb.KeyEntry(1), (std::array<uint8_t, 3>{0x20, 0x01, 0x04}));
    EXPECT_EQ(kb.KeyEntry(2), (std::array<uint8_t, 3>{0x71, 0x01, 0x00}));
    EXPECT_EQ(kb.KeyEntry(115), DefaultKeyEntry(114)) << "the fixed chunk carries the factory entry";
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(OutputSession, Type6KeyTableIsSixteenChunksAndKeepsKeyIndex115) {
    Connect(6);
    const std::vector<KeyMacroRow> functions = {Function(0x05, kKeyFunctionMouse, 653), Function(0x06, kKeyFunctionMouse, 654)};
    SendOutputKeyTable(*manager, 0, 6, BuildOutputKeyTable(functions, kSlots, {}));

    std::vector<std::string> want = {"write", "read", "pause1"};
    Append(want, {"write", "read", "pause1"}, 16);
    Append(want, {"write", "read"});
    EXPECT_EQ(Script(), want);
    EXPECT_EQ(Keyboard().KeyEntry(115), (std::array<uint8_t, 3>{0x10, 0x10, 0x00})) << "Forward is 0x10 here";
    EXPECT_EQ(Keyboard().KeyEntry(128), (std::array<uint8_t, 3>{0x10, 0x08, 0x00}));
    EXPECT_EQ(Keyboard().protocolErrors, 0);
}

TEST_F(OutputSession, MacroStreamChunksWhileTheOffsetIsWithinTheStream) {
    struct Case { int type; std::vector<MacroSteps> library; std::vector<unsigned> lengths; };
    auto presses = [](int n) { return std::vector<MacroRecordRow>(n, Step(kMacroStepKeyDown, test::kVkA)); };
    const std::vector<Case> cases = {
        // 16 + 2 + 4 + 8 = 30 bytes: one chunk whose length counts the header.
        {5, {{Macro(1), {Step(kMacroStepMouseDown, 3), Step(kMacroStepMouseUp, 3)}}}, {30}},
        {6, {{Macro(1), {Step(kMacroStepMouseDown, 3), Step(kMacroStepMouseUp, 3)}}}, {24, 6}},
        // 16 + 4 + 4 + 20 + 4 = 48 bytes, twice 24: a last chunk of length 0 follows.
        {6, {{Macro(1), presses(5)}, {Macro(2), {}}}, {24, 24, 0}},
        // 16 + 2 + 4 + 4 * 22 = 110: 56 and 54.
        {5, {{Macro(1), presses(22)}}, {56, 54}},
        // 16 + 2 + 4 + 4 * 23 = 114 = 56 + 56 + 2.
        {5, {{Macro(1), presses(23)}}, {56, 56, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.lengths.size() << " chunks");
        Connect(c.type);
        const auto stream = BuildOutputMacroStream(c.library);
        ASSERT_TRUE(stream.has_value());
        SendOutputMacroStream(*manager, 0, c.type, *stream);

        std::vector<std::string> want = {"write", "read"};
        if (c.type == 6) want.push_back("pause1");
        for (std::size_t i = 0; i < c.lengths.size(); ++i) {
            Append(want, {"write", "read"});
            if (c.type == 6) want.push_back("pause1");
        }
        Append(want, {"pause1", "write", "read"});
        EXPECT_EQ(Script(), want);

        const auto writes = Writes();
        ASSERT_EQ(writes.size(), c.lengths.size() + 2);
        const std::size_t chunk = c.type == 5 ? 56 : 24;
        for (std::size_t i = 0; i < c.lengths.size(); ++i) {
            const auto& w = writes[1 + i];
            EXPECT_TRUE(BytesAt(w, 0, "04 00 00 15"));
            EXPECT_EQ(w[4], c.lengths[i]) << i;
            EXPECT_EQ(w[5] | (w[6] << 8), static_cast<int>(chunk * i));
            EXPECT_EQ(test::Slice(w, 8, c.lengths[i]), test::Slice(*stream, chunk * i, c.lengths[i]));
            EXPECT_TRUE(test::ZeroFrom(w, 8 + c.lengths[i], 64));
        }
        EXPECT_TRUE(BytesAt(writes[1], 8, "AA 55 00 00"));

        OutputKeyboard& kb = Keyboard();
        EXPECT_EQ(kb.macroLibraries, 1);
        ASSERT_EQ(kb.macros.size(), c.library.size());
        for (std::size_t m = 0; m < c.library.size(); ++m) EXPECT_EQ(kb.macros[m], OutputMacroEvents(c.library[m].steps));
        EXPECT_EQ(kb.protocolErrors, 0);
    }
}

TEST_F(OutputSession, MacroLibraryAndKeyMapTogether) {
    Connect(6);
    const std::vector<MacroSteps> library = {
        {Macro(3), {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepDelay, 50), Step(kMacroStepDelay, 70),
                    Step(kMacroStepKeyUp, test::kVkA)}}};
    clock.RequestTimerResolution(1);
    SendOutputMacroStream(*manager, 0, 6, *BuildOutputMacroStream(library));
    SendOutputKeyTable(*manager, 0, 6, BuildOutputKeyTable({Function(0x04, kKeyFunctionMacro, 3)}, kSlots, {Macro(3)}));
    clock.ReleaseTimerResolution(1);

    OutputKeyboard& kb = Keyboard();
    ASSERT_EQ(kb.macros.size(), 1u);
    EXPECT_EQ(kb.macros[0], (std::vector<sim::Event4>{{0x46, 0x00, 0x8A, 0x04}, {0x00, 0x00, 0x0A, 0x04}}));
    EXPECT_EQ(kb.KeyEntry(1), (std::array<uint8_t, 3>{0x71, 0x00, 0x00}));
    EXPECT_EQ(kb.sessions, 2);
    EXPECT_EQ(Script().back(), "release1");
}

TEST_F(OutputSession, KeyboardUnpluggedDuringTheColourUploadRefusesTheRest) {
    for (int type : {5, 6}) {
        SCOPED_TRACE(type);
        Connect(type);
        SendOutputColourTable(*manager, 0, type, BuildOutputColourTable({Colour(0x04, 0x111111)}, kSlots));
        ASSERT_EQ(Keyboard().LedColour(1), 0x111111u);

        Fault().vanishAfter = ReportsSoFar() + 4;   // start and three chunks get through
        const std::size_t mark = log.Events().size();
        SendOutputColourTable(*manager, 0, type, BuildOutputColourTable({Colour(0x04, 0x222222)}, kSlots));
        const auto script = Script(mark);
        EXPECT_EQ(std::count(script.begin(), script.end(), "write"), 4);
        EXPECT_EQ(std::count(script.begin(), script.end(), "write!"), type == 5 ? 5 : 14) << "the rest and the end";
        EXPECT_EQ(Keyboard().LedColour(1), 0x111111u) << "without the end report nothing takes effect";
        EXPECT_EQ(Keyboard().sessions, 1);

        Rescan();
        const std::size_t afterScan = log.Events().size();
        SendOutputLightMode(*manager, 0, type, 3);
        const auto rest = Script(afterScan);
        EXPECT_EQ(std::count(rest.begin(), rest.end(), "write") + std::count(rest.begin(), rest.end(), "write!"), 0);
    }
}

TEST_F(OutputSession, ShortTablesAreSentWithoutReadingPastThem) {
    Connect(5);
    const std::vector<uint8_t> shortTable(10, 0x77);
    SendOutputColourTable(*manager, 0, 5, shortTable);
    SendOutputKeyTable(*manager, 0, 5, {});
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 9u + 9u);
    EXPECT_EQ(test::Slice(writes[1], 8, 11), (std::vector<uint8_t>{0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77,
                                                                    0x77, 0x77, 0x00}));
    EXPECT_TRUE(test::ZeroFrom(writes[2], 8, 64));
}

}  // namespace
}  // namespace qx
