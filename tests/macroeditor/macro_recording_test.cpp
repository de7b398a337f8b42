// The macro editor's rules: delays between events and their cap, the Stop press, the record
// options, the step lines and the repeat fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/macro_recording.h"

namespace qx {
namespace {

RawInputEvent Key(int vk, bool released, const wchar_t* name) {
    return RawInputEvent{kRawKindKeyboard, released ? 1 : 0, vk, name};
}
RawInputEvent Mouse(int code, bool released) {
    return RawInputEvent{kRawKindMouse, released ? 1 : 0, code, code == kMouseCodeLeft ? L"Left" : L"Right"};
}

struct Expected {
    int type;
    int value;
};
std::vector<Expected> TypesAndValues(const std::vector<MacroRecordRow>& steps) {
    std::vector<Expected> out;
    for (const MacroRecordRow& s : steps) out.push_back({s.type, s.value});
    return out;
}
bool operator==(const Expected& a, const Expected& b) { return a.type == b.type && a.value == b.value; }
void PrintTo(const Expected& e, std::ostream* os) { *os << "{" << e.type << ", " << e.value << "}"; }

TEST(CappedDelay, PausesUpTo31SecondsAreKeptLongerOnesCapped) {
    struct Case {
        uint32_t last, now;
        int expected;
    } cases[] = {
        {1000, 1000, 0},       {1000, 1250, 250},       {1000, 32000, 31000},
        {1000, 32001, 31000},  {0, 4000000000u, 31000}, {0xFFFFFF00u, 0x00000064u, 356},  // across the wrap
    };
    for (const Case& c : cases) EXPECT_EQ(CappedDelay(c.last, c.now), c.expected) << c.last << " -> " << c.now;
}

TEST(RepeatFields, EmptyZeroAndLargeValuesAreClamped) {
    struct Case {
        const wchar_t* text;
        int playTimes;
        int value;
    } cases[] = {
        {L"", 1, 1},     {L"0", 1, 0},       {L"1", 1, 1},          {L"7", 7, 7},
        {L"255", 255, 255}, {L"256", 255, 256}, {L"999", 255, 999}, {L"31000", 255, 31000},
        {L"12a", 1, 1},  {L"-5", 1, 1},      {L"99999999999999", 255, 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlayTimesFromField(c.text), c.playTimes) << "\"" << std::string(c.text, c.text + wcslen(c.text)) << "\"";
        EXPECT_EQ(RepeatFieldValue(c.text), c.value);
    }
}

TEST(StepLines, EachStepTypeReadsAsItsLineWithItsIcon) {
    auto step = [](int type, int value, const wchar_t* desc) {
        MacroRecordRow s;
        s.type = type;
        s.value = value;
        s.desc = desc;
        return s;
    };
    struct Case {
        MacroRecordRow step;
        int line;
        const wchar_t* text;
        int icon;
    } cases[] = {
        {DelayStep(120), 2, L"2  Delay (120)", 2},
        {step(kMacroStepKeyDown, 0x41, L"A"), 1, L"1  Keyboard Down (A)", 0},
        {step(kMacroStepKeyUp, 0x41, L"A"), 3, L"3  Keyboard Up (A)", 1},
        {step(kMacroStepMouseDown, 1, L"Left"), 10, L"10  Mouse Down (Left)", 0},
        {step(kMacroStepMouseUp, 3, L"Right"), 11, L"11  Mouse Up (Right)", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepLine(c.line, c.step), c.text);
        EXPECT_EQ(StepIconKind(c.step), c.icon);
    }
    EXPECT_EQ(DelayStep(120).desc, L"120");
}

TEST(EmptyNameMessage, SaysWhatIsMissingInEitherLanguage) {
    EXPECT_EQ(EmptyMacroNameMessage(1033), L"Please enter a macro name.");
    EXPECT_EQ(EmptyMacroNameMessage(2052), L"\u8BF7\u8F93\u5165\u5B8F\u540D\u79F0");
}

TEST(MacroRecorder, EventsBecomeStepsWithTheDelaysBetweenThem) {
    MacroRecorder recorder;
    recorder.Start({});
    EXPECT_EQ(recorder.OnEvent(Key(0x41, false, L"A"), 5000, false), 1);  // no delay before the first
    EXPECT_EQ(recorder.OnEvent(Key(0x41, false, L"A"), 5030, false), 2);  // auto-repeat: its own press
    EXPECT_EQ(recorder.OnEvent(Key(0x41, true, L"A"), 5100, false), 2);
    EXPECT_EQ(recorder.OnEvent(Mouse(kMouseCodeLeft, false), 50000, false), 2);  // 44.9 s: capped
    EXPECT_EQ(recorder.OnEvent(Mouse(kMouseCodeLeft, true), 50080, false), 2);
    const std::vector<Expected> expected = {{2, 0x41}, {1, 30}, {2, 0x41}, {1, 70},   {3, 0x41},
                                            {1, 31000}, {4, 1},  {1, 80},   {5, 1}};
    EXPECT_EQ(TypesAndValues(recorder.Steps()), expected);
    EXPECT_EQ(recorder.Steps()[0].desc, L"A");
    EXPECT_EQ(recorder.Steps()[8].desc, L"Left");
}

TEST(MacroRecorder, EventsWithoutANameOrOfOtherDevicesAreNotEvents) {
    MacroRecorder recorder;
    recorder.Start({});
    EXPECT_EQ(recorder.OnEvent(RawInputEvent{kRawKindMouse, 0, 0, L""}, 100, false), 0);  // movement
    EXPECT_EQ(recorder.OnEvent(RawInputEvent{kRawKindOther, 0, 0, L"HID"}, 200, false), 0);
    EXPECT_EQ(recorder.OnEvent(Key(0x42, false, L"B"), 300, false), 1);
    // The movement did not start the delay: the first real event has none before it.
    EXPECT_EQ(TypesAndValues(recorder.Steps()), (std::vector<Expected>{{2, 0x42}}));
}

TEST(MacroRecorder, TheStopPressEndsWithADelayAndIsNotRecorded) {
    for (bool recordMouse : {true, false}) {
        MacroRecorder recorder;
        recorder.Start({true, recordMouse, true});
        recorder.OnEvent(Key(0x41, false, L"A"), 1000, false);
        recorder.OnEvent(Key(0x41, true, L"A"), 1040, false);
        recorder.OnEvent(Mouse(kMouseCodeLeft, false), 2000, true);
        recorder.OnEvent(Mouse(kMouseCodeLeft, true), 2090, true);
        const std::vector<Expected> expected = {{2, 0x41}, {1, 40}, {3, 0x41}, {1, 960}};
        EXPECT_EQ(TypesAndValues(recorder.Steps()), expected) << "record mouse " << recordMouse;
    }
}

TEST(MacroRecorder, SwitchedOffKindsAddNoStepsButTheirDelaysStay) {
    struct Case {
        const char* name;
        RecordOptions options;
        std::vector<Expected> expected;
    } cases[] = {
        {"everything", {true, true, true}, {{2, 0x41}, {1, 10}, {4, 1}, {1, 20}, {3, 0x41}}},
        {"no delay", {true, true, false}, {{2, 0x41}, {4, 1}, {3, 0x41}}},
        {"no mouse", {true, false, true}, {{2, 0x41}, {1, 10}, {1, 20}, {3, 0x41}}},
        {"no keyboard", {false, true, true}, {{1, 10}, {4, 1}, {1, 20}}},
    };
    for (const Case& c : cases) {
        MacroRecorder recorder;
        recorder.Start(c.options);
        recorder.OnEvent(Key(0x41, false, L"A"), 100, false);
        recorder.OnEvent(Mouse(kMouseCodeLeft, false), 110, false);
        recorder.OnEvent(Key(0x41, true, L"A"), 130, false);
        EXPECT_EQ(TypesAndValues(recorder.Steps()), c.expected) << c.name;
    }
}

TEST(MacroRecorder, ANewRecordingReplacesLoadedStepsAndStartsWithoutADelay) {
    MacroRecorder recorder;
    recorder.Start({true, true, false});
    recorder.OnEvent(Key(0x41, false, L"A"), 100, false);
    recorder.OnEvent(Key(0x41, true, L"A"), 200, false);
    recorder.Load({DelayStep(5), DelayStep(6)});
    EXPECT_EQ(recorder.Steps().size(), 2u);
    recorder.Start({true, true, true});
    recorder.OnEvent(Key(0x43, false, L"C"), 90000, false);
    recorder.OnEvent(Key(0x43, true, L"C"), 90025, false);
    EXPECT_EQ(TypesAndValues(recorder.Steps()), (std::vector<Expected>{{2, 0x43}, {1, 25}, {3, 0x43}}));
}

}  // namespace
}  // namespace qx
