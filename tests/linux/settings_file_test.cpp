// The settings file serves the controller's registry rules: missing values, round trips, a
// damaged file, and a chosen model that is read but never remembered.
#include <gtest/gtest.h>

#include <fstream>

#include "linux/settings_file.h"
#include "tests/linux/qxkb_process.h"

namespace qx::linux_cli {
namespace {

std::filesystem::path Fresh(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    return dir / "nested" / "settings";
}

TEST(SettingsFile, ValuesSurviveANewReader) {
    const auto file = Fresh("qxkb-settings-roundtrip");
    {
        SettingsFile settings(file);
        EXPECT_EQ(ReadDecimalValue(settings, L"DevType"), 0) << "missing file: no value";
        WriteDecimalValue(settings, L"DevType", 5);
        WriteDecimalValue(settings, L"QxKB74", 3);
        WriteDecimalValue(settings, L"QxKB74", 4);
    }
    SettingsFile again(file);
    EXPECT_EQ(ReadDecimalValue(again, L"DevType"), 5);
    EXPECT_EQ(ReadDecimalValue(again, L"QxKB74"), 4);
    EXPECT_EQ(test::ReadFile(file), "DevType=5\nQxKB74=4\n");
}

TEST(SettingsFile, DamagedLinesAreSkippedAndValuesWithLineBreaksRefused) {
    const auto file = Fresh("qxkb-settings-damaged");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "garbage\n=7\nDevType=3\n\xff\xfe=1\nQxKB74=2";
    SettingsFile settings(file);
    EXPECT_EQ(ReadDecimalValue(settings, L"DevType"), 3);
    EXPECT_EQ(ReadDecimalValue(settings, L"QxKB74"), 2) << "a last line without its line break";
    ASSERT_EQ(settings.OpenKey(), kRegOk);
    EXPECT_NE(settings.SetText(L"DevType", L"5\nQxKB74=9"), kRegOk);
    settings.CloseKey();
    EXPECT_EQ(ReadDecimalValue(settings, L"QxKB74"), 2);
}

TEST(SettingsFile, ChosenModelIsReadButNotRemembered) {
    const auto file = Fresh("qxkb-settings-chosen");
    SettingsFile settings(file);
    WriteDecimalValue(settings, L"DevType", 5);
    OverriddenSettings chosen(settings, L"DevType", L"3");
    EXPECT_EQ(ReadDecimalValue(chosen, L"DevType"), 3);
    WriteDecimalValue(chosen, L"DevType", 3);
    WriteDecimalValue(chosen, L"QxKBRS40-24G", 2);
    EXPECT_EQ(ReadDecimalValue(settings, L"DevType"), 5);
    EXPECT_EQ(ReadDecimalValue(settings, L"QxKBRS40-24G"), 2) << "other values pass through";
}

}  // namespace
}  // namespace qx::linux_cli
