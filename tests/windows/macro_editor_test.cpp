// The macro editor on a simulated type-3 keyboard (feature family)'s database, driven by real keys and clicks
// (xdotool): recording through raw input, saving, re-recording, the repeat fields and the
// refusal without a name. What it leaves behind is checked: the database rows and the macro
// library the keyboard decoded from the wire.
//
// Delays are measured with a clock the test sets before each input, so their stored values are
// exact. Key names come from Wine's key-name tables and are not asserted; codes are.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/main_controller.h"
#include "device/feature_reports.h"
#include "platform/memory_registry.h"
#include "sim/protocol_keyboards.h"
#include "sim/simulated_hid.h"
#include "tests/controller/recording_view.h"
#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_check_button.h"
#include "toolkit/controls/c_record_list.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/core/paint_manager.h"
#include "windows/macro_editor_dialog.h"

namespace qx {
namespace {

using Event4 = sim::Event4;

// Client points of the editor's controls (the editor is 850 x 475).
constexpr int kNameX = 200, kNameY = 103;
constexpr int kListX = 200, kListY = 330;
constexpr int kRecordX = 210, kRecordY = 378;
constexpr int kRepeatTimesX = 735, kRepeatTimesY = 165;
constexpr int kSaveX = 430, kSaveY = 446;
constexpr int kVkA = 0x41, kVkB = 0x42, kVkC = 0x43;

struct TypeValue {
    int type;
    int value;
    bool operator==(const TypeValue& o) const { return type == o.type && value == o.value; }
};
void PrintTo(const TypeValue& s, std::ostream* os) { *os << "{" << s.type << ", " << s.value << "}"; }

std::vector<TypeValue> TypesAndValues(const std::vector<MacroRecordRow>& steps) {
    std::vector<TypeValue> out;
    for (const MacroRecordRow& s : steps) out.push_back({s.type, s.value});
    return out;
}

class MacroEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dataDir = std::filesystem::temp_directory_path() / (std::string("qxkb-macroeditor-") + info->name());
        std::filesystem::remove_all(dataDir);
        std::filesystem::create_directories(dataDir / "db");
        registry.keyExists = true;
        keyboardId = hid.PlugDeviceType(3);
        manager = std::make_unique<HidDeviceManager>(hid, clock);
        controller = std::make_unique<QxKBController>(*manager, registry, view, DataRoot(), QX_LAYOUT_DIR);
        controller->OnInitDialog();
        ASSERT_TRUE(controller->IsConnected());
        SetCurrentLanguage(kLangEnglish);
    }
    void TearDown() override {
        editor.reset();
        SetCurrentLanguage(kLangEnglish);
        controller.reset();
        manager.reset();
        std::error_code ec;
        std::filesystem::remove_all(dataDir, ec);
    }
    std::wstring DataRoot() const { return dataDir.wstring() + L"\\"; }
    sim::FeatureKeyboard& Keyboard() { return *dynamic_cast<sim::FeatureKeyboard*>(hid.BehaviorOf(keyboardId)); }

    // Opens the editor the way the main window does, on macroId (0: a new macro).
    HWND Open(int macroId) {
        MacroEditorHooks hooks;
        hooks.uploadLibrary = [this] {
            ++uploads;
            controller->UploadMacros();
        };
        hooks.showMessage = [this](HWND, const std::wstring& text) { messages.push_back(text); };
        hooks.clock = [this] { return now; };
        editor = std::make_unique<QxKBMacroDlg>(macroId, 3, DataRoot(), hooks);
        HWND hwnd = editor->CreateEditorWindow(nullptr);
        if (!hwnd) return nullptr;
        editor->ShowWindow(SW_SHOW);
        qxtest::PumpMessages();
        return hwnd;
    }
    HWND Window() { return editor->GetSafeHwnd(); }
    std::size_t StepCount() { return editor->Steps().size(); }

    bool Click(int x, int y) { return qxtest::ClickAt(Window(), x, y); }
    // Clicks Record (or Stop) and waits until the editor followed.
    void ToggleRecording(bool expectRecording) {
        ASSERT_TRUE(Click(kRecordX, kRecordY));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return editor->IsRecording() == expectRecording; }, 5000));
    }
    // A key typed at clock time t; waits until its steps are in.
    void TypeKey(const char* key, uint32_t t, std::size_t expectedSteps) {
        now = t;
        ASSERT_TRUE(qxtest::MoveTo(Window(), kListX, kListY));
        ASSERT_TRUE(qxtest::KeyPress(key));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return StepCount() >= expectedSteps; }, 5000))
            << key << ": " << StepCount() << " steps";
    }
    std::wstring FieldText(UINT id) {
        auto* edit = dynamic_cast<QxUI::MEdit*>(editor->GetControl(id));
        return edit ? std::wstring(edit->GetEditText().GetString()) : std::wstring();
    }
    // Replaces a field's text by clicking into it and typing, as a user does.
    void TypeIntoField(int x, int y, UINT id, const char* text) {
        ASSERT_TRUE(Click(x, y));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return dynamic_cast<QxUI::MEdit*>(editor->GetControl(id))->IsEditFocused(); }, 5000));
        ASSERT_TRUE(qxtest::RunXdotool({"key", "End", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace"}));
        if (*text) ASSERT_TRUE(qxtest::TypeText(text));
        const std::wstring wanted(text, text + strlen(text));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return FieldText(id) == wanted; }, 5000)) << text;
    }
    void Save() {
        const int before = uploads;
        ASSERT_TRUE(Click(kSaveX, kSaveY));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return uploads > before; }, 5000));
    }
    std::vector<MacroRow> StoredMacros() {
        std::vector<MacroRow> rows;
        controller->Database().GetMacros(rows);
        return rows;
    }
    std::vector<MacroRecordRow> StoredSteps(int macroId) {
        std::vector<MacroRecordRow> rows;
        controller->Database().GetMacroRecords(macroId, rows);
        return rows;
    }
    void Screenshot(const wchar_t* name) {
        EXPECT_TRUE(qxtest::SaveWindowPng(*editor->GetPaintManager(), qxtest::ScreenshotPath(name)));
    }

    // Records: a, a long pause, b, a click into the step list, then Stop. Returns the steps the
    // recording must give.
    std::vector<TypeValue> RecordKeysClickAndStop(const wchar_t* duringShot) {
        ToggleRecording(true);
        TypeKey("a", 10000, 3);
        TypeKey("b", 10000 + 45000, 7);   // 45 s later: stored as 31000 ms
        now = 10000 + 45000 + 250;
        EXPECT_TRUE(Click(kListX, kListY));
        EXPECT_TRUE(qxtest::PumpUntil([&] { return StepCount() >= 11; }, 5000)) << StepCount();
        if (duringShot) Screenshot(duringShot);
        now += 1200;
        ToggleRecording(false);
        return {{2, kVkA}, {1, 0},    {3, kVkA}, {1, 31000}, {2, kVkB}, {1, 0},
                {3, kVkB}, {1, 250}, {4, 1},    {1, 0},     {5, 1},    {1, 1200}};
    }

    std::filesystem::path dataDir;
    sim::WireLog log;
    sim::VirtualPauseClock clock{log};
    sim::SimulatedHid hid{log};
    MemoryRegistry registry;
    test::RecordingView view;
    std::unique_ptr<HidDeviceManager> manager;
    std::unique_ptr<QxKBController> controller;
    std::unique_ptr<QxKBMacroDlg> editor;
    int keyboardId = 0;
    int uploads = 0;
    uint32_t now = 5000;
    std::vector<std::wstring> messages;
};

TEST_F(MacroEditorTest, RecordedKeysClickAndDelaysAreStoredAndUploaded) {
    ASSERT_NE(Open(0), nullptr);
    const std::vector<TypeValue> expected = RecordKeysClickAndStop(nullptr);
    EXPECT_EQ(TypesAndValues(editor->Steps()), expected);
    TypeIntoField(kNameX, kNameY, 34, "Combo");
    const int librariesBefore = Keyboard().macroLibraries;
    Save();
    EXPECT_TRUE(editor->IsSaved());
    EXPECT_TRUE(messages.empty());

    const std::vector<MacroRow> macros = StoredMacros();
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(macros[0].macroId, editor->GetMacroId());
    EXPECT_EQ(macros[0].name, L"Combo");
    EXPECT_EQ(macros[0].playTimes, 1);
    EXPECT_EQ(macros[0].delayType, 1);
    EXPECT_EQ(macros[0].delayTime, 1);
    const std::vector<MacroRecordRow> steps = StoredSteps(macros[0].macroId);
    EXPECT_EQ(TypesAndValues(steps), expected);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].recordIndex, static_cast<int>(i));
        EXPECT_FALSE(steps[i].desc.empty()) << i;
    }
    EXPECT_EQ(steps[1].desc, L"0");
    EXPECT_EQ(steps[3].desc, L"31000");

    // The keyboard received the library once, with the steps as feature-family events.
    EXPECT_EQ(Keyboard().macroLibraries, librariesBefore + 1);
    EXPECT_EQ(Keyboard().protocolErrors, 0);
    const std::vector<Event4> events = {
        {0x00, 0x00, 0x04, 0xB0}, {0x00, 0x00, 0x00, 0x50}, {0x00, 0x00, 0x04, 0x30}, {0x18, 0x79, 0x00, 0x50},
        {0x00, 0x00, 0x05, 0xB0}, {0x00, 0x00, 0x00, 0x50}, {0x00, 0x00, 0x05, 0x30}, {0xFA, 0x00, 0x00, 0x50},
        {0x00, 0x00, 0x01, 0x90}, {0x00, 0x00, 0x00, 0x50}, {0x00, 0x00, 0x01, 0x10}, {0xB0, 0x04, 0x00, 0x50}};
    ASSERT_EQ(Keyboard().macros.size(), 1u);
    ASSERT_TRUE(Keyboard().macros[0].has_value());
    EXPECT_EQ(*Keyboard().macros[0], events);

    // The list shows one line per step, numbered from 1, with the step's index as its data.
    auto* list = dynamic_cast<QxUI::CRecordList*>(editor->GetControl(35));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(steps.size()));
    for (int i = 0; i < list->GetItemCount(); ++i) {
        EXPECT_EQ(std::wstring(list->GetItemText(i).GetString()), StepLine(i + 1, steps[i]));
        EXPECT_EQ(list->GetItemData(i), i);
    }
}

TEST_F(MacroEditorTest, EditingAgainShowsTheStepsAndReRecordingReplacesThem) {
    ASSERT_NE(Open(0), nullptr);
    RecordKeysClickAndStop(nullptr);
    TypeIntoField(kNameX, kNameY, 34, "Again");
    Save();
    const int macroId = editor->GetMacroId();
    const std::vector<MacroRecordRow> first = StoredSteps(macroId);
    ASSERT_EQ(first.size(), 12u);
    editor.reset();

    ASSERT_NE(Open(macroId), nullptr);
    EXPECT_EQ(FieldText(34), L"Again");
    auto* list = dynamic_cast<QxUI::CRecordList*>(editor->GetControl(35));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 12);
    EXPECT_EQ(std::wstring(list->GetItemText(10).GetString()), StepLine(11, first[10]));  // a "Mouse Up" line
    EXPECT_EQ(std::wstring(list->GetItemText(10).GetString()).find(L"11  Mouse Up ("), 0u);

    ToggleRecording(true);
    EXPECT_EQ(list->GetItemCount(), 0);
    TypeKey("c", 70000, 3);
    now = 70400;
    ToggleRecording(false);
    Save();
    const std::vector<TypeValue> expected = {{2, kVkC}, {1, 0}, {3, kVkC}, {1, 400}};
    EXPECT_EQ(editor->GetMacroId(), macroId);
    EXPECT_EQ(TypesAndValues(StoredSteps(macroId)), expected);
    EXPECT_EQ(controller->Database().CountMacroRecords(), 4);
    ASSERT_EQ(StoredMacros().size(), 1u);
    EXPECT_EQ(StoredMacros()[0].name, L"Again");
    ASSERT_EQ(Keyboard().macros.size(), 1u);
    EXPECT_EQ(*Keyboard().macros[0], (std::vector<Event4>{{0x00, 0x00, 0x06, 0xB0}, {0x00, 0x00, 0x00, 0x50},
                                                          {0x00, 0x00, 0x06, 0x30}, {0x90, 0x01, 0x00, 0x50}}));
}

TEST_F(MacroEditorTest, RepeatTimesAreClampedWhenStored) {
    struct Case {
        const char* typed;
        int stored;
    } cases[] = {{"", 1}, {"0", 1}, {"999", 255}, {"42", 42}};
    for (const Case& c : cases) {
        ASSERT_NE(Open(0), nullptr);
        TypeIntoField(kNameX, kNameY, 34, (std::string("Repeat") + c.typed).c_str());
        TypeIntoField(kRepeatTimesX, kRepeatTimesY, 43, c.typed);
        Save();
        MacroRow row;
        ASSERT_TRUE(controller->Database().GetMacro(editor->GetMacroId(), row)) << c.typed;
        EXPECT_EQ(row.playTimes, c.stored) << "typed \"" << c.typed << "\"";
        const std::string name = std::string("Repeat") + c.typed;
        EXPECT_EQ(row.name, std::wstring(name.begin(), name.end()));
        editor.reset();
    }
}

TEST_F(MacroEditorTest, AnEmptyNameIsRefusedWithAMessageInTheCurrentLanguage) {
    for (int language : {kLangEnglish, kLangChinese}) {
        SetCurrentLanguage(language);
        messages.clear();
        ASSERT_NE(Open(0), nullptr);
        ASSERT_TRUE(Click(kSaveX, kSaveY));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return !messages.empty(); }, 5000));
        EXPECT_EQ(messages[0], EmptyMacroNameMessage(language));
        EXPECT_FALSE(messages[0].empty());
        EXPECT_FALSE(editor->IsSaved());
        EXPECT_EQ(uploads, 0);
        EXPECT_TRUE(StoredMacros().empty());
        editor.reset();
    }
}

// The record options are read from the check boxes when a recording starts, and without an
// injected clock the delays are the system's milliseconds.
TEST_F(MacroEditorTest, RecordOptionsAndTheSystemClock) {
    editor = std::make_unique<QxKBMacroDlg>(0, 3, DataRoot(), MacroEditorHooks{});
    ASSERT_NE(editor->CreateEditorWindow(nullptr), nullptr);
    qxtest::PumpMessages();

    // Record Delay off: the steps follow each other, and the Stop press adds nothing.
    auto* delayBox = dynamic_cast<QxUI::CCheckButton*>(editor->GetControl(40));
    ASSERT_NE(delayBox, nullptr);
    ASSERT_TRUE(Click(425, 237));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return delayBox->GetCheck() == 0; }, 5000));
    ToggleRecording(true);
    TypeKey("a", 0, 2);
    ASSERT_TRUE(Click(kListX, kListY));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return StepCount() >= 4; }, 5000));
    ToggleRecording(false);
    EXPECT_EQ(TypesAndValues(editor->Steps()),
              (std::vector<TypeValue>{{2, kVkA}, {3, kVkA}, {4, 1}, {5, 1}}));

    // Record Delay on again: a pause of at least 60 ms before b is measured by the system clock.
    ASSERT_TRUE(Click(425, 237));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return delayBox->GetCheck() != 0; }, 5000));
    ToggleRecording(true);
    TypeKey("a", 0, 3);
    const DWORD afterA = GetTickCount();
    ASSERT_TRUE(qxtest::PumpUntil([&] { return GetTickCount() - afterA >= 60; }, 5000));
    TypeKey("b", 0, 7);
    ToggleRecording(false);
    const std::vector<MacroRecordRow>& steps = editor->Steps();
    ASSERT_EQ(steps.size(), 8u);  // a, delay, a, delay, b, delay, b, delay up to the Stop press
    EXPECT_EQ(steps[3].type, kMacroStepDelay);
    EXPECT_GE(steps[3].value, 60);
    EXPECT_LE(steps[3].value, kMaxRecordedDelayMs);
    EXPECT_EQ(steps[7].type, kMacroStepDelay);
    for (int i : {0, 2, 4, 6}) EXPECT_NE(steps[i].type, kMacroStepDelay) << i;
}

// The pictures people look at: the editor while recording and after it, in both languages.
TEST_F(MacroEditorTest, ScreenshotsDuringAndAfterARecording) {
    for (int language : {kLangEnglish, kLangChinese}) {
        SetCurrentLanguage(language);
        ASSERT_NE(Open(0), nullptr);
        const bool chinese = language == kLangChinese;
        RecordKeysClickAndStop(chinese ? L"macro_editor_recording_zh.png" : L"macro_editor_recording_en.png");
        TypeIntoField(kNameX, kNameY, 34, "Combo");
        Screenshot(chinese ? L"macro_editor_recorded_zh.png" : L"macro_editor_recorded_en.png");
        editor.reset();
    }
}

}  // namespace
}  // namespace qx
