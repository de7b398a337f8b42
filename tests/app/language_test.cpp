// The start-up language rule against an in-memory application key.
#include <gtest/gtest.h>

#include "app/language.h"
#include "platform/memory_registry.h"

namespace qx {
namespace {

struct LanguageCase {
    const char* name;
    bool keyExists;
    long openFailure;
    bool createFails;
    std::optional<MemoryRegistry::Value> stored;
    int systemLanguage;
    int expectedLanguage;
    std::optional<std::wstring> expectedStored;   // "LCID" afterwards; nullopt: absent
};

TEST(StartupLanguage, FollowsTheStoredValueOrTheSystemLanguage) {
    const std::wstring tooLong(200, L'7');   // 402 bytes: more than the 255 the read allows
    const LanguageCase cases[] = {
        {"no key, Chinese system", false, kRegOk, false, {}, 2052, 2052, L"2052"},
        {"no key, English system", false, kRegOk, false, {}, 1033, 1033, L"1033"},
        {"no key, German system", false, kRegOk, false, {}, 1031, 1033, L"1033"},
        {"key without LCID", true, kRegOk, false, {}, 2052, 2052, L"2052"},
        {"stored Chinese beats system", true, kRegOk, false, MemoryRegistry::Value{true, L"2052"}, 1033, 2052, L"2052"},
        {"stored 1031 used unchanged", true, kRegOk, false, MemoryRegistry::Value{true, L"1031"}, 2052, 1031, L"1031"},
        {"stored 1033", true, kRegOk, false, MemoryRegistry::Value{true, L"1033"}, 2052, 1033, L"1033"},
        {"non-numeric text", true, kRegOk, false, MemoryRegistry::Value{true, L"abc"}, 1033, 1033, L"1033"},
        {"leading spaces and digits", true, kRegOk, false, MemoryRegistry::Value{true, L"  2052xyz"}, 1033, 2052,
         L"  2052xyz"},
        {"value of another type", true, kRegOk, false, MemoryRegistry::Value{false, L""}, 2052, 2052, L"2052"},
        {"value too long to read", true, kRegOk, false, MemoryRegistry::Value{true, tooLong}, 1033, 1033, L"1033"},
        {"key denied", true, 5, false, {}, 1033, 2052, std::nullopt},
        {"key cannot be created", false, kRegOk, true, {}, 1033, 2052, std::nullopt},
    };
    for (const LanguageCase& c : cases) {
        MemoryRegistry registry;
        registry.keyExists = c.keyExists;
        registry.openFailure = c.openFailure;
        registry.createFails = c.createFails;
        if (c.stored) registry.values[L"LCID"] = *c.stored;
        EXPECT_EQ(ChooseStartupLanguage(registry, c.systemLanguage), c.expectedLanguage) << c.name;
        EXPECT_EQ(CurrentLanguage(), c.expectedLanguage) << c.name;
        EXPECT_EQ(registry.Text(L"LCID"), c.expectedStored) << c.name;
        if (!c.keyExists && !c.createFails && c.openFailure == kRegOk) EXPECT_TRUE(registry.keyExists) << c.name;
    }
}

TEST(DecimalText, ReadsLikeTheRuntimeAndNeverOverflows) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"", 0},           {L"0", 0},          {L"1", 1},           {L"  42", 42},
        {L"-7", -7},        {L"+9", 9},         {L"12ab", 12},       {L"ab12", 0},
        {L"- 3", 0},        {L"2147483647", 2147483647},             {L"99999999999999999999", 2147483647},
        {L"-2147483648", -2147483647 - 1},      {L"-99999999999999999999", -2147483647 - 1},
        {L"\t5\n", 5},
    };
    for (auto [text, expected] : cases) EXPECT_EQ(DecimalTextToInt(text), expected) << "'" << text << "'";
}

TEST(DecimalValues, WriteNothingWhenTheKeyCannotBeOpened) {
    MemoryRegistry missing;
    WriteDecimalValue(missing, L"DevType", 3);
    EXPECT_EQ(missing.writes, 0);
    EXPECT_EQ(ReadDecimalValue(missing, L"DevType"), 0);

    MemoryRegistry present;
    present.keyExists = true;
    WriteDecimalValue(present, L"DevType", 3);
    EXPECT_EQ(present.Text(L"DevType"), L"3");
    EXPECT_EQ(ReadDecimalValue(present, L"DevType"), 3);
}

}  // namespace
}  // namespace qx
