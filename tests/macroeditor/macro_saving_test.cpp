// Storing a macro from the editor: the macro row, its steps in order, and a second save that
// replaces the steps of the same macro.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/storage/storage_test_support.h"
#include "windows/macro_recording.h"
#include "windows/macro_saving.h"

namespace qx {
namespace {

MacroRecordRow Step(int type, int value, const wchar_t* desc) {
    MacroRecordRow step;
    step.type = type;
    step.value = value;
    step.desc = desc;
    return step;
}

class MacroSaving : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.Path() / "db");  // made by the program at start-up
        ASSERT_TRUE(database.OpenForModel(dir.DataDir(), L"QxKB52"));
    }
    std::vector<MacroRecordRow> Steps(int macroId) {
        std::vector<MacroRecordRow> rows;
        database.GetMacroRecords(macroId, rows);
        return rows;
    }
    test::ScratchDir dir;
    ConfigDatabase database;
};

TEST_F(MacroSaving, ANewMacroGetsItsRowAndOneStepRowPerStepInOrder) {
    MacroToSave macro{L"Combo", 255, 40,
                      {Step(kMacroStepKeyDown, 0x41, L"A"), DelayStep(31000), Step(kMacroStepKeyUp, 0x41, L"A")}};
    int macroId = 0;
    SaveMacro(database, macroId, macro);
    ASSERT_GT(macroId, 0);
    MacroRow row;
    ASSERT_TRUE(database.GetMacro(macroId, row));
    EXPECT_EQ(row.name, L"Combo");
    EXPECT_EQ(row.playTimes, 255);
    EXPECT_EQ(row.delayType, 1);
    EXPECT_EQ(row.delayTime, 40);
    const std::vector<MacroRecordRow> steps = Steps(macroId);
    ASSERT_EQ(steps.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(steps[i].macroId, macroId);
        EXPECT_EQ(steps[i].recordIndex, i);
        EXPECT_EQ(steps[i].type, macro.steps[i].type);
        EXPECT_EQ(steps[i].value, macro.steps[i].value);
        EXPECT_EQ(steps[i].desc, macro.steps[i].desc);
    }
}

TEST_F(MacroSaving, SavingAgainUpdatesTheSameMacroAndReplacesItsSteps) {
    int macroId = 0;
    SaveMacro(database, macroId, {L"First", 1, 1, {Step(kMacroStepKeyDown, 0x41, L"A"), Step(kMacroStepKeyUp, 0x41, L"A")}});
    const int firstId = macroId;
    SaveMacro(database, macroId, {L"Second", 3, 9, {Step(kMacroStepMouseDown, 1, L"Left")}});
    EXPECT_EQ(macroId, firstId);
    std::vector<MacroRow> macros;
    ASSERT_EQ(database.GetMacros(macros), 1);
    EXPECT_EQ(macros[0].name, L"Second");
    EXPECT_EQ(macros[0].playTimes, 3);
    EXPECT_EQ(macros[0].delayTime, 9);
    const std::vector<MacroRecordRow> steps = Steps(macroId);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].type, kMacroStepMouseDown);
    EXPECT_EQ(database.CountMacroRecords(), 1);
}

TEST(MacroSavingWithoutDatabase, NothingIsStoredAndTheMacroStaysNew) {
    ConfigDatabase closed;
    int macroId = 0;
    SaveMacro(closed, macroId, {L"Lost", 1, 1, {DelayStep(5)}});
    EXPECT_EQ(macroId, 0);
}

}  // namespace
}  // namespace qx
