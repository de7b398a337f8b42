// Every qxkb command on simulated keyboards of types 2, 3, 5 and 6: the wire log of the real
// binary must equal the wire log of the window's controller doing the same action, run after run,
// while both stores evolve side by side.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "tests/linux/controller_rig.h"
#include "windows/key_menu_rules.h"
#include "windows/macro_recording.h"
#include "windows/macro_saving.h"

namespace qx::test {
namespace {

struct Action {
    std::vector<std::string> args;                   // after --simulate TYPE --wire-log FILE
    std::function<void(ControllerRig&)> reference;   // the same action on the controller
};

// An effect named in each family's list (English or Chinese) and its number.
struct NamedEffect {
    const char* name;
    int effect;
};
NamedEffect EffectNameFor(int type) {
    switch (type) {
        case 2: return {"Ripples", 5};
        case 3: return {"\xe5\xbe\xaa\xe7\x8e\xaf\xe5\x91\xbc\xe5\x90\xb8", 7};   // 循环呼吸
        case 5: return {"Breath", 5};
        default: return {"\xe5\x91\xbc\xe5\x90\xb8", 5};                           // 呼吸
    }
}

KeyMacroRow Row(int type, int value, int value2, const std::wstring& desc) {
    KeyMacroRow row;
    row.macroType = type;
    row.macroValue = value;
    row.macroValue2 = value2;
    row.macroDesc = desc;
    return row;
}

MacroRecordRow KeyStep(int type, int vk, const std::wstring& name) {
    MacroRecordRow step;
    step.type = type;
    step.value = vk;
    step.desc = name;
    return step;
}

std::vector<Action> Actions(int type, const std::string& stepsFile) {
    constexpr uint32_t kEsc = 0x29, kA = 0x04, kB = 0x05, kC = 0x06, kD = 0x07, kE = 0x08, kF = 0x09, kTwo = 0x1F,
                       kLeftShift = 0xE1;
    const NamedEffect named = EffectNameFor(type);
    return {
        {{"effect", "3"}, [](ControllerRig& r) { r.controller->ChooseLightMode(3); }},
        {{"effect", named.name}, [named](ControllerRig& r) { r.controller->ChooseLightMode(named.effect); }},
        {{"colour", "#ff8000", "Esc", "Left Shift"}, [](ControllerRig& r) { r.Paint({kEsc, kLeftShift}, 0x0080FF); }},
        // A second command keeps the colours of the first.
        {{"color", "00ff00", "2"}, [](ControllerRig& r) { r.Paint({kTwo}, 0x00FF00); }},
        {{"macro", "create", "hello", "--steps", stepsFile, "--repeat", "2"},
         [](ControllerRig& r) {
             MacroToSave macro;
             macro.name = L"hello";
             macro.playTimes = 2;
             macro.steps = {KeyStep(kMacroStepKeyDown, 0x41, L"A"), DelayStep(30), KeyStep(kMacroStepKeyUp, 0x41, L"A"),
                            KeyStep(kMacroStepMouseDown, 1, L"mouse_left"), KeyStep(kMacroStepMouseUp, 1, L"mouse_left")};
             int id = 0;
             SaveMacro(r.controller->Database(), id, macro);
             r.controller->UploadMacros();
         }},
        {{"assign", "B", "--macro", "hello"},
         [](ControllerRig& r) { r.Assign(kB, MacroChoiceRecord(r.MacroId(L"hello"), L"hello")); }},
        {{"assign", "C", "--system", "Lock PC"}, [](ControllerRig& r) { r.Assign(kC, Row(600, 620, 0, L"Lock PC")); }},
        {{"assign", "D", "--multimedia", "\xe9\x9d\x99\xe9\x9f\xb3"},   // 静音
         [](ControllerRig& r) { r.Assign(kD, Row(601, 636, 0, L"Mute")); }},
        {{"assign", "E", "--mouse", "forward"}, [](ControllerRig& r) { r.Assign(kE, Row(603, 653, 0, L"Forward")); }},
        {{"assign", "F", "--combo", "Ctrl+Z"}, [](ControllerRig& r) { r.Assign(kF, Row(604, 0x1D, 0xE0, L"Ctrl+Z")); }},
        {{"assign", "A", "--combo", "Right Alt+Esc"},
         [](ControllerRig& r) { r.Assign(kA, Row(604, 0x29, 0xE6, L"Right Alt+Esc")); }},
        {{"assign", "C", "--default"}, [](ControllerRig& r) { r.Assign(kC, DefaultKeyRecord()); }},
        {{"macro", "rename", "hello", "bye"},
         [](ControllerRig& r) {
             const int id = r.MacroId(L"hello");
             MacroRow stored;
             r.controller->Database().GetMacro(id, stored);
             MacroToSave macro;
             macro.name = L"bye";
             macro.playTimes = stored.playTimes;
             macro.delayTime = stored.delayTime;
             r.controller->Database().GetMacroRecords(id, macro.steps);
             int kept = id;
             SaveMacro(r.controller->Database(), kept, macro);
             r.controller->UploadMacros();
         }},
        {{"apply"}, [](ControllerRig& r) { r.controller->RefreshCurrentModel(); }},
        {{"profile", "2"}, [](ControllerRig& r) { r.controller->ChangeProfile(2); }},
        {{"effect", "2"}, [](ControllerRig& r) { r.controller->ChooseLightMode(2); }},
        {{"profile", "1"}, [](ControllerRig& r) { r.controller->ChangeProfile(1); }},
        {{"macro", "delete", "bye"},
         [](ControllerRig& r) {
             r.controller->Database().DeleteMacro(r.MacroId(L"bye"));
             r.controller->UploadMacros();
         }},
        {{"reset"}, [](ControllerRig& r) { r.controller->ResetSettings(); }},
        {{"apply"}, [](ControllerRig& r) { r.controller->RefreshCurrentModel(); }},
    };
}

// The first line where two logs part, for a readable failure.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE) return "no difference";
        if (!moreA || !moreE || lineA != lineE) {
            return "line " + std::to_string(line) + "\n  qxkb:       " + (moreA ? lineA : "<end>") +
                   "\n  controller: " + (moreE ? lineE : "<end>");
        }
    }
}

class QxkbWire : public ::testing::TestWithParam<int> {};

TEST_P(QxkbWire, EveryCommandSendsWhatTheControllerSends) {
    const int type = GetParam();
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("qxkb-wire-" + std::to_string(type));
    QxkbHome binaryHome(root / "qxkb");
    QxkbHome controllerHome(root / "controller");
    const std::filesystem::path stepsFile = root / "steps.txt";
    std::ofstream(stepsFile) << "# A pressed for 30 ms, then a click\ndown A\ndelay 30\nup A\nmouse-down left\nmouse-up left\n";

    int run = 0;
    for (const Action& action : Actions(type, stepsFile.string())) {
        ++run;
        std::string label;
        for (const std::string& a : action.args) label += a + " ";
        SCOPED_TRACE("run " + std::to_string(run) + ": qxkb " + label);
        const std::filesystem::path binaryLog = root / ("qxkb-" + std::to_string(run) + ".log");
        const std::filesystem::path controllerLog = root / ("controller-" + std::to_string(run) + ".log");

        std::vector<std::string> args = {"--simulate", std::to_string(type), "--wire-log", binaryLog.string()};
        args.insert(args.end(), action.args.begin(), action.args.end());
        const ProcessResult result = binaryHome.Run(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        {
            ControllerRig rig(controllerHome, type, controllerLog);
            action.reference(rig);
        }
        const std::string actual = ReadFile(binaryLog);
        const std::string expected = ReadFile(controllerLog);
        // Every action reaches the wire, except the macro library's edits on the keyboards that are
        // only sent a library with the key map (types 5, 6) or keep macros in slots (type 2).
        const bool libraryEdit = action.args[0] == "macro";
        const bool sends = expected.find(" write ") != std::string::npos || expected.find(" send-feature ") != std::string::npos;
        EXPECT_EQ(sends, !libraryEdit || type == 3) << expected;
        EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
    }
    if (!HasFailure()) std::filesystem::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(SimulatedKeyboards, QxkbWire, ::testing::Values(2, 3, 5, 6),
                         [](const ::testing::TestParamInfo<int>& info) { return "type" + std::to_string(info.param); });

}  // namespace
}  // namespace qx::test
