// Feature-family send orders (types 1 and 3) through the device manager, against keyboards that
// decode them: what crosses the wire, with its pauses, and what the keyboard ends up holding.
#include <gtest/gtest.h>

#include "device/feature_reports.h"
#include "device/protocol_sessions.h"
#include "tests/protocol/protocol_bytes.h"
#include "tests/protocol/session_fixture.h"

namespace qx {
namespace {

using sim::FeatureKeyboard;
using sim::WireKind;
using test::AppendCommand;
using test::AppendFrame;
using test::BytesAt;
using test::Colour;
using test::Function;
using test::Hex;
using test::Macro;
using test::Step;

const std::map<uint32_t, int> kLights = {{0x04, 10}, {0x05, 0}, {0x06, 143}, {0x07, 144}};
const std::map<uint32_t, int> kKeys = {{0x04, 10}, {0x05, 0}, {0x06, 142}, {0x07, 158}};

// The 65-byte report of a command: report id 0, then the data bytes.
std::vector<uint8_t> CommandReport(const FeatureCommand& command) {
    std::vector<uint8_t> report(command.size() + 1, 0x00);
    std::copy(command.begin(), command.end(), report.begin() + 1);
    return report;
}
std::vector<uint8_t> FrameReport(const std::vector<uint8_t>& frame, std::size_t i) {
    std::vector<uint8_t> report(1, 0x00);
    report.insert(report.end(), frame.begin() + 64 * i, frame.begin() + 64 * (i + 1));
    return report;
}

class FeatureSession : public test::SessionFixture {
protected:
    // The reports of a start / announce / frame / save / end session, in order.
    static std::vector<std::vector<uint8_t>> SessionReports(const FeatureCommand& announce,
                                                             const std::vector<uint8_t>& frame) {
        std::vector<std::vector<uint8_t>> r = {CommandReport(MakeFeatureCommand(kFeatureStart)), CommandReport(announce)};
        for (std::size_t i = 0; i < frame.size() / 64; ++i) r.push_back(FrameReport(frame, i));
        r.push_back(CommandReport(MakeFeatureCommand(kFeatureSave)));
        r.push_back(CommandReport(MakeFeatureCommand(kFeatureEnd)));
        return r;
    }
    static std::vector<std::string> SessionScript(int reports) {
        std::vector<std::string> s;
        AppendCommand(s, 2);
        AppendFrame(s, reports);
        AppendCommand(s, 2);
        return s;
    }
};

TEST_F(FeatureSession, CommandWithReadBackIsOneReportAndOneAnswer) {
    Connect(3);
    SendFeatureCommand(*manager, 0, MakeFeatureCommand(kFeatureStart));
    std::vector<std::string> want;
    AppendCommand(want);
    EXPECT_EQ(Script(), want);
    EXPECT_EQ(Sent(WireKind::SendFeature), (std::vector<std::vector<uint8_t>>{CommandReport(MakeFeatureCommand(kFeatureStart))}));
    ASSERT_EQ(Sent(WireKind::SendFeature)[0].size(), 65u);
    EXPECT_EQ(log.Only({WireKind::GetFeature})[0].bytes[4], 0x01);
}

TEST_F(FeatureSession, Type1LightingFrameReachesTheKeyboard) {
    Connect(1);
    const std::vector<KeyRgbRow> colours = {Colour(0x04, 0x336699), Colour(0x06, 0x0000FF), Colour(0x07, 0xFFFFFF)};
    for (uint8_t mode : {uint8_t{5}, kCustomColourMode}) {
        log.Clear();
        const std::vector<uint8_t> frame = BuildType1LightingFrame(mode, colours, kLights);
        const FeatureCommand announce = MakeFeatureCommand(kFeatureAnnounceLighting, 0, kType1LightingReports);
        SendFeatureFrameSession(*manager, 0, announce, frame);

        EXPECT_EQ(Script(), SessionScript(18));
        EXPECT_EQ(Sent(WireKind::SendFeature), SessionReports(announce, frame));
        EXPECT_EQ(log.TotalPauseMs(), 4u * 4 + 2 + 18 * 2);
        EXPECT_TRUE(BytesAt(Sent(WireKind::SendFeature)[1], 0, "00 04 13 00 00 00 00 00 00 12"));
        // 0x336699 reaches the wire as 99 66 33: LED 10 lies at 0x228 in the frame, report 8 byte 0x28.
        EXPECT_TRUE(BytesAt(Sent(WireKind::SendFeature)[2 + 0x228 / 64], 1 + 0x228 % 64, "80 99 66 33"));
    }
    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    EXPECT_EQ(kb.lightMode, (std::map<int, int>{{0, 0x80}}));
    EXPECT_EQ(kb.ledColours, (std::map<int, uint32_t>{{10, 0x336699}, {143, 0x0000FF}}));
    EXPECT_EQ(kb.framesApplied, 2);
    EXPECT_EQ(kb.saves, 2);
    EXPECT_EQ(kb.ends, 2);
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(FeatureSession, KeyMapsOfBothTypes) {
    struct Case { int type; int profile; int reports; const char* announce; };
    for (Case c : {Case{1, 0, 10, "00 04 11 00 00 00 00 00 00 0A"}, Case{3, 4, 9, "00 04 11 04 00 00 00 00 00 09"}}) {
        SCOPED_TRACE(c.type);
        Connect(c.type);
        const std::vector<KeyMacroRow> functions = {Function(0x04, kKeyFunctionKey, 0x04, 0xE0),
                                                    Function(0x05, kKeyFunctionMacro, 21),
                                                    Function(0x07, kKeyFunctionMouse, 653),
                                                    Function(0x3A, kKeyFunctionSystem, 620)};
        const auto shape = FeatureKeyMapShapeFor(c.type);
        const std::vector<uint8_t> frame = BuildFeatureKeyMapFrame(c.type, functions, kKeys, {Macro(20), Macro(21, 2)});
        const FeatureCommand announce =
            MakeFeatureCommand(kFeatureAnnounceKeyMap, static_cast<uint8_t>(c.profile), shape->reports);
        SendFeatureFrameSession(*manager, 0, announce, frame);

        EXPECT_EQ(Script(), SessionScript(c.reports));
        EXPECT_TRUE(BytesAt(Sent(WireKind::SendFeature)[1], 0, c.announce));
        EXPECT_EQ(Sent(WireKind::SendFeature), SessionReports(announce, frame));
        FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
        std::map<int, sim::Event4> want = {{10, {0x02, 0x01, 0x04, 0x00}}, {0, {0x06, 0x01, 0x01, 0x02}}};
        if (c.type == 1) want[158] = {0x01, 0x01, 0x08, 0x00};   // beyond type 3's frame
        EXPECT_EQ(kb.keyMap, (std::map<int, std::map<int, sim::Event4>>{{c.profile, want}}));
        EXPECT_EQ(kb.protocolErrors, 0);
    }
}

TEST_F(FeatureSession, Type3ColourUploadThenTheCustomModeOfTheCurrentProfile) {
    Connect(3);
    // The colour frame carries profile 1's colours; the mode that follows names profile 2.
    const std::vector<KeyRgbRow> profile1 = {Colour(0x04, 0x336699, 1), Colour(0x05, 0x00FF00, 1)};
    const FeatureCommand announce = MakeFeatureCommand(kFeatureAnnounceColours, kFeatureColourTarget, kType3ColourReports);
    SendFeatureFrameSession(*manager, 0, announce, BuildType3ColourFrame(profile1, kLights));
    SendType3ModeSession(*manager, 0, 2, kCustomColourMode);

    std::vector<std::string> want = SessionScript(9);
    AppendCommand(want, 2);
    test::Append(want, {"res1", "pause2", "send"});   // the mode report has no read-back
    AppendCommand(want, 2);
    EXPECT_EQ(Script(), want);

    const auto sends = Sent(WireKind::SendFeature);
    ASSERT_EQ(sends.size(), 13u + 5u);
    EXPECT_TRUE(BytesAt(sends[1], 0, "00 04 23 81 00 00 00 00 00 09"));
    EXPECT_TRUE(BytesAt(sends[14], 0, "00 04 13 02 00 00 00 00 00 01"));
    EXPECT_TRUE(BytesAt(sends[15], 0, "00 80 00 00 FF FF 00 0F 07 01 0F 0F 00 00 00 AA 55"));

    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    EXPECT_EQ(kb.ledColours, (std::map<int, uint32_t>{{10, 0x336699}, {0, 0x00FF00}}));
    EXPECT_EQ(kb.lightMode, (std::map<int, int>{{2, 0x80}}));
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(FeatureSession, MacroLibraryWithoutMacros) {
    Connect(3);
    const auto frame = BuildFeatureMacroFrame({});
    ASSERT_TRUE(frame.has_value());
    SendFeatureMacroSession(*manager, 0, *frame);

    std::vector<std::string> want;
    AppendCommand(want, 2);
    want.push_back("pause30");
    AppendFrame(want, 8);
    want.push_back("pause30");
    AppendCommand(want);   // save, and no end command
    EXPECT_EQ(Script(), want);
    const auto sends = Sent(WireKind::SendFeature);
    ASSERT_EQ(sends.size(), 11u);
    EXPECT_TRUE(BytesAt(sends[0], 0, "00 04 19"));
    EXPECT_TRUE(BytesAt(sends[1], 0, "00 04 15 00 00 00 00 00 00 08"));
    EXPECT_TRUE(BytesAt(sends[9], 63, "AA 55"));
    EXPECT_TRUE(BytesAt(sends[10], 0, "00 04 02"));
    EXPECT_EQ(log.TotalPauseMs(), 3u * 4 + 30 + 2 + 8 * 2 + 30);

    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    EXPECT_EQ(kb.macroLibraries, 1);
    EXPECT_TRUE(kb.macros.empty());
    EXPECT_EQ(kb.saves, 1);
    EXPECT_EQ(kb.ends, 0);
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(FeatureSession, MacroLibraryReachesTheKeyboardByListIndex) {
    Connect(1);
    const std::vector<MacroSteps> library = {
        {Macro(5), {Step(kMacroStepKeyDown, test::kVkA), Step(kMacroStepKeyUp, test::kVkA)}},
        {Macro(6), {}},
        {Macro(7), {Step(kMacroStepDelay, 100), Step(kMacroStepKeyDown, test::kVkA)}},
    };
    SendFeatureMacroSession(*manager, 0, *BuildFeatureMacroFrame(library));
    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    using E = sim::Event4;
    ASSERT_EQ(kb.macros.size(), 3u);
    EXPECT_EQ(kb.macros[0], (std::vector<E>{{0x00, 0x00, 0x04, 0xB0}, {0x0A, 0x00, 0x00, 0x50}, {0x00, 0x00, 0x04, 0x30}}));
    EXPECT_FALSE(kb.macros[1].has_value());
    EXPECT_EQ(kb.macros[2], (std::vector<E>{{0x64, 0x00, 0x00, 0x50}, {0x00, 0x00, 0x04, 0xB0}}));
    EXPECT_EQ(kb.protocolErrors, 0);
}

TEST_F(FeatureSession, EmptyFrameSendsNoDataReport) {
    Connect(3);
    SendFeatureFrameSession(*manager, 0, MakeFeatureCommand(kFeatureAnnounceKeyMap, 1, 9), {});
    std::vector<std::string> want;
    AppendCommand(want, 4);
    EXPECT_EQ(Script(), want) << "a frame without reports must not go out as a command";
}

// ---- Faults ----

TEST_F(FeatureSession, RepeatAnswerGetsTheCommandExactlyOnceMore) {
    struct Case { std::deque<uint8_t> answers; std::size_t startSends; };
    const Case cases[] = {{{0xFF}, 2}, {{0xFF, 0xFF}, 2}, {{0x00}, 1}, {{0x02}, 1}, {{}, 1}};
    for (const Case& c : cases) {
        Connect(3);
        Fault().readBackAnswers = c.answers;
        const FeatureCommand announce = MakeFeatureCommand(kFeatureAnnounceKeyMap, 1, kType3KeyMapReports);
        const std::vector<uint8_t> frame = BuildFeatureKeyMapFrame(3, {Function(0x04, kKeyFunctionMouse, 650)}, kKeys, {});
        SendFeatureFrameSession(*manager, 0, announce, frame);

        const auto sends = Sent(WireKind::SendFeature);
        const std::vector<uint8_t> start = CommandReport(MakeFeatureCommand(kFeatureStart));
        std::size_t starts = 0;
        while (starts < sends.size() && sends[starts] == start) ++starts;
        EXPECT_EQ(starts, c.startSends) << c.answers.size();
        EXPECT_EQ(sends.size(), 13u + (c.startSends - 1));
        EXPECT_EQ(log.Only({WireKind::GetFeature}).size(), 4u + (c.startSends - 1));
        std::vector<std::string> want;
        AppendCommand(want, static_cast<int>(c.startSends));
        // The repeat has no resolution request and no pause of its own before it is sent.
        if (c.startSends == 2) want = {"res1", "pause2", "send", "pause2", "get", "send", "pause2", "get"};
        const auto script = Script();
        EXPECT_EQ(std::vector<std::string>(script.begin(), script.begin() + static_cast<std::ptrdiff_t>(want.size())), want);
        EXPECT_EQ(KeyboardState<FeatureKeyboard>().keyMap[1].size(), 1u) << "the session still completes";
    }
}

TEST_F(FeatureSession, FailedReportStopsTheFrameAndSaveAndEndStillGo) {
    Connect(1);
    Fault().failSendAt = 5;   // start, announce, two frame reports, then the third fails
    const std::vector<uint8_t> frame = BuildType1LightingFrame(3, {Colour(0x04, 0x336699)}, kLights);
    SendFeatureFrameSession(*manager, 0, MakeFeatureCommand(kFeatureAnnounceLighting, 0, kType1LightingReports), frame);

    std::vector<std::string> want;
    AppendCommand(want, 2);
    test::Append(want, {"res1", "pause2", "send", "pause2", "send", "pause2", "send!", "pause2"});
    AppendCommand(want, 2);
    EXPECT_EQ(Script(), want);
    const auto sends = Sent(WireKind::SendFeature);
    ASSERT_EQ(sends.size(), 7u);
    EXPECT_TRUE(BytesAt(sends[5], 0, "00 04 02"));
    EXPECT_TRUE(BytesAt(sends[6], 0, "00 04 F0"));

    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    EXPECT_EQ(kb.framesApplied, 0);
    EXPECT_TRUE(kb.lightMode.empty());
    EXPECT_TRUE(kb.ledColours.empty());
    EXPECT_EQ(kb.saves, 1);
    EXPECT_EQ(kb.ends, 1);
}

TEST_F(FeatureSession, KeyboardUnpluggedDuringAnUploadRefusesTheRest) {
    Connect(3);
    const FeatureCommand announce = MakeFeatureCommand(kFeatureAnnounceKeyMap, 1, kType3KeyMapReports);
    SendFeatureFrameSession(*manager, 0, announce,
                            BuildFeatureKeyMapFrame(3, {Function(0x04, kKeyFunctionMouse, 650)}, kKeys, {}));
    ASSERT_EQ(KeyboardState<FeatureKeyboard>().keyMap[1].size(), 1u);

    Fault().vanishAfter = ReportsSoFar() + 4;   // gone after the second report of the next frame
    const std::size_t mark = log.Events().size();
    SendFeatureFrameSession(*manager, 0, announce,
                            BuildFeatureKeyMapFrame(3, {Function(0x05, kKeyFunctionMouse, 652)}, kKeys, {}));
    std::vector<std::string> want;
    AppendCommand(want, 2);
    test::Append(want, {"res1", "pause2", "send", "pause2", "send", "pause2", "send!", "pause2"});
    test::Append(want, {"res1", "pause2", "send!"}, 2);   // save and end are tried and refused
    EXPECT_EQ(Script(mark), want);
    EXPECT_FALSE(hid.IsPlugged(keyboardId));

    FeatureKeyboard& kb = KeyboardState<FeatureKeyboard>();
    EXPECT_EQ(kb.keyMap[1], (std::map<int, sim::Event4>{{10, {0x01, 0x01, 0x01, 0x00}}})) << "the old map stays";

    // Until the next scan every further session is refused by the vanished handle...
    const std::size_t later = log.Events().size();
    SendType3ModeSession(*manager, 0, 1, 4);
    const auto script = Script(later);
    EXPECT_EQ(std::count(script.begin(), script.end(), "send"), 0);
    EXPECT_EQ(std::count(script.begin(), script.end(), "get"), 0);
    // ...and after it the manager refuses before touching the wire.
    Rescan();
    EXPECT_EQ(manager->DeviceCount(), 0u);
    const std::size_t afterScan = log.Events().size();
    SendFeatureFrameSession(*manager, 0, announce, BuildFeatureKeyMapFrame(3, {}, kKeys, {}));
    SendFeatureMacroSession(*manager, 0, *BuildFeatureMacroFrame({}));
    const auto rest = Script(afterScan);
    EXPECT_EQ(rest, (std::vector<std::string>{"pause30", "pause30"})) << "only the session's own pauses remain";
}

}  // namespace
}  // namespace qx
