// The skin font is registered as "Arial" but carries its own family name: it must answer
// "Arial" on every Windows version, Windows 10 and 11 included.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/temp_font_lookup.h"

namespace {

using QxUI::CachedFontName;
using QxUI::PickTempFont;

TEST(PickTempFont, RegisteredNameAnswersOnEveryVersion) {
    const std::vector<CachedFontName> shipped = {{L"Arial", L"WenQuanYi Micro Hei"}};
    const std::vector<CachedFontName> two = {{L"Arial", L"WenQuanYi Micro Hei"}, {L"Caption", L"Open Sans"}};
    const std::vector<CachedFontName> none;
    struct Case {
        const std::vector<CachedFontName>* cached;
        const wchar_t* name;
        bool win10;
        int expected;
    };
    const Case cases[] = {
        {&shipped, L"Arial", true, 0},
        {&shipped, L"Arial", false, 0},
        {&shipped, L"WenQuanYi Micro Hei", true, 0},
        {&shipped, L"Tahoma", true, -1},  // a system family is tried next
        {&shipped, L"Tahoma", false, 0},  // older systems take the first cached font
        {&shipped, L"arial", true, -1},   // names are compared exactly
        {&two, L"Open Sans", true, 1},
        {&two, L"Caption", true, 1},
        {&two, L"Open Sans", false, 0},
        {&none, L"Arial", false, -1},
        {&shipped, nullptr, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickTempFont(*c.cached, c.name, c.win10), c.expected)
            << testing::PrintToString(std::wstring(c.name ? c.name : L"(null)")) << " win10=" << c.win10;
}

bool ReportsWindows10() {
    using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetNtVersionNumbers")));
    DWORD major = 0, minor = 0, build = 0;
    if (fn) fn(&major, &minor, &build);
    return major == 10 && minor == 0;
}

// Dark pixels of one string drawn in black on white with the font that answers "Arial".
std::set<std::pair<int, int>> Ink(QxUI::PaintManager& manager, const wchar_t* text) {
    QxUI::OffScreenSurface surface;
    surface.Resize(nullptr, 80, 60);
    Gdiplus::Graphics g(surface.GetDC());
    g.Clear(Gdiplus::Color(0xFFFFFFFF));
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    Gdiplus::FontFamily* family = manager.FindTempFont(L"Arial");
    std::set<std::pair<int, int>> ink;
    if (!family) return ink;
    Gdiplus::Font font(family, 32, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
    g.DrawString(text, -1, &font, Gdiplus::PointF(4, 4), &black);
    g.Flush(Gdiplus::FlushIntentionSync);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            if (((surface.GetPixel(x, y) >> 16) & 0xFF) < 100) ink.insert({x, y});
    return ink;
}

std::string ReadAll(const std::wstring& path) {
    std::string text;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
    ::CloseHandle(file);
    return text;
}

constexpr wchar_t kWin10Marker[] = L"QX_TEST_REPORTS_WIN10";

// Runs only inside the copy of this program that Wine is told to report as Windows 10 (see
// SkinFontAnswersArialOnWindows10); in the ordinary run it is skipped.
TEST(FontLookupOnWindows10, SkinFontAnswersArialAndDrawsChinese) {
    if (::GetEnvironmentVariableW(kWin10Marker, nullptr, 0) == 0)
        GTEST_SKIP() << "runs in the Windows 10 copy started by FontLookup.SkinFontAnswersArialOnWindows10";
    ASSERT_TRUE(ReportsWindows10()) << "Wine did not report Windows 10 to this process";
    QxUI::PaintManager manager;
    Gdiplus::FontFamily* shipped = manager.AddTempFont(L"Arial", qxtest::TestFontPath());
    ASSERT_NE(shipped, nullptr);
    EXPECT_EQ(manager.FindTempFont(L"Arial"), shipped);
    EXPECT_TRUE(QxUI::Manager::m_win10system);
    // Distinct Chinese characters give distinct ink: the glyphs are there, not boxes.
    auto first = Ink(manager, L"\u4E2D");
    auto second = Ink(manager, L"\u6587");
    EXPECT_GT(first.size(), 40u);
    EXPECT_GT(second.size(), 40u);
    EXPECT_NE(first, second);
}

// Wine reports the Windows version per program name when HKCU\Software\Wine\AppDefaults\<exe>
// holds Version = "win10": a copy of this program under its own name runs the test above as
// Windows 10, while every other test process keeps the prefix's default.
TEST(FontLookup, SkinFontAnswersArialOnWindows10) {
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L'\\') + 1);
    const std::wstring exeName = L"toolkit_test_win10_fonts.exe";
    const std::wstring copy = dir + exeName;
    ASSERT_TRUE(::CopyFileW(self, copy.c_str(), FALSE)) << ::GetLastError();

    const std::wstring keyPath = L"Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    const wchar_t version[] = L"win10";
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof(version));
    ::RegCloseKey(key);

    // The child's report shows that its test ran to the end rather than being skipped.
    const std::wstring report = dir + L"toolkit_test_win10_fonts.xml";
    ::DeleteFileW(report.c_str());
    std::wstring command =
        L"\"" + copy + L"\" --gtest_filter=FontLookupOnWindows10.* --gtest_output=xml:" + report;
    ::SetEnvironmentVariableW(kWin10Marker, L"1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = ::CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                                    &startup, &process);
    ::SetEnvironmentVariableW(kWin10Marker, nullptr);
    DWORD exitCode = 1;
    if (started) {
        // Bounded: a child that hangs fails the test instead of holding the suite.
        DWORD waited = ::WaitForSingleObject(process.hProcess, 120000);
        EXPECT_EQ(waited, WAIT_OBJECT_0) << "the Windows 10 copy did not finish";
        if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());
    ::DeleteFileW(copy.c_str());
    ASSERT_TRUE(started) << ::GetLastError();
    EXPECT_EQ(exitCode, 0u) << "the font lookup failed in the process Wine reports as Windows 10";
    std::string xml = ReadAll(report);
    ::DeleteFileW(report.c_str());
    EXPECT_NE(xml.find("tests=\"1\" failures=\"0\""), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<skipped"), std::string::npos) << xml;
}

}  // namespace
