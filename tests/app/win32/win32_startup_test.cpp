// The start-up rules against the real registry and file system (under Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include "app/directory_path.h"
#include "app/language.h"
#include "platform/win32/win32_directory_ops.h"
#include "platform/win32/win32_registry.h"

namespace qx {
namespace {

const wchar_t kTestKey[] = L"QxKBStartupTest";
const wchar_t kTestSubKey[] = L"SOFTWARE\\QxKBStartupTest";

class Win32Startup : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubKey); }

    static void Store(const wchar_t* text) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (text) {
            RegSetValueExW(key, L"LCID", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
    static std::wstring StoredRaw(DWORD* bytes = nullptr) {
        wchar_t data[64] = {};
        DWORD size = sizeof data, type = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kTestSubKey, L"LCID", RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) {
            return L"<none>";
        }
        if (bytes) *bytes = size;
        return type == REG_SZ ? std::wstring(data) : L"<not text>";
    }
};

TEST_F(Win32Startup, MissingKeyIsCreatedAndTheSystemRuleWritten) {
    Win32Registry registry(kTestKey);
    EXPECT_EQ(ChooseStartupLanguage(registry, 2052), 2052);
    DWORD bytes = 0;
    EXPECT_EQ(StoredRaw(&bytes), L"2052");
    EXPECT_EQ(bytes, 10u) << "four characters and the terminating zero";

    RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubKey);
    EXPECT_EQ(ChooseStartupLanguage(registry, 1031), 1033);
    EXPECT_EQ(StoredRaw(), L"1033");
}

TEST_F(Win32Startup, StoredValuesWin) {
    struct Case { const wchar_t* stored; int system; int expected; const wchar_t* after; };
    for (const Case& c : {Case{L"2052", 1033, 2052, L"2052"}, Case{L"1031", 2052, 1031, L"1031"},
                          Case{nullptr, 2052, 2052, L"2052"}, Case{L"", 1033, 1033, L"1033"}}) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubKey);
        Store(c.stored);
        Win32Registry registry(kTestKey);
        EXPECT_EQ(ChooseStartupLanguage(registry, c.system), c.expected);
        EXPECT_EQ(StoredRaw(), c.after);
    }
}

TEST_F(Win32Startup, DwordValueReadsAsNoLanguage) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD value = 2052;
    RegSetValueExW(key, L"LCID", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    Win32Registry registry(kTestKey);
    EXPECT_EQ(ReadLanguageId(registry), 0);
}

TEST_F(Win32Startup, DataDirectoryIsCreatedWithItsParents) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"qxkb-dir-test-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring target = root + L"\\QxKB Files\\db";
    Win32DirectoryOps ops;
    ASSERT_FALSE(ops.IsDirectory(root));
    EXPECT_TRUE(EnsureDirectoryPath(target, ops));
    EXPECT_TRUE(ops.IsDirectory(root + L"\\QxKB Files"));
    EXPECT_TRUE(ops.IsDirectory(target));
    EXPECT_TRUE(EnsureDirectoryPath(target, ops)) << "an existing directory is fine";
    RemoveDirectoryW(target.c_str());
    RemoveDirectoryW((root + L"\\QxKB Files").c_str());
    RemoveDirectoryW(root.c_str());
}

}  // namespace
}  // namespace qx
