// The shipped binaries carry the project's version (project(QxKB VERSION ...)) and the skin's
// program icon as resources, as Explorer and Add/Remove Programs read them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

std::wstring Widen(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

struct VersionInfo {
    std::vector<char> data;
    bool Load(const std::wstring& file) {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
        if (size == 0) return false;
        data.resize(size);
        return GetFileVersionInfoW(file.c_str(), 0, size, data.data()) != FALSE;
    }
    const VS_FIXEDFILEINFO* Fixed() {
        void* p = nullptr;
        UINT len = 0;
        if (!VerQueryValueW(data.data(), L"\\", &p, &len) || len < sizeof(VS_FIXEDFILEINFO)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(p);
    }
    std::wstring String(const wchar_t* name) {
        void* p = nullptr;
        UINT len = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(data.data(), key.c_str(), &p, &len) || !p) return L"<none>";
        return static_cast<const wchar_t*>(p);
    }
};

#ifdef QX_SKIN_ICO
// Images in the skin's .ico: idCount of its ICONDIR header.
int IcoImageCount(const char* unixPath) {
    FILE* f = _wfopen(WindowsPath(unixPath).c_str(), L"rb");
    if (!f) return -1;
    unsigned char header[6] = {};
    const size_t n = std::fread(header, 1, 6, f);
    std::fclose(f);
    if (n != 6 || header[2] != 1) return -1;
    return header[4] | (header[5] << 8);
}

// Images in the module's icon group 1 (GRPICONDIR: reserved, type, count).
int GroupIconImageCount(const std::wstring& module) {
    HMODULE m = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!m) return -1;
    int count = -1;
    if (HRSRC r = FindResourceW(m, MAKEINTRESOURCEW(1), RT_GROUP_ICON)) {
        if (HGLOBAL g = LoadResource(m, r)) {
            const auto* bytes = static_cast<const unsigned char*>(LockResource(g));
            if (bytes && SizeofResource(m, r) >= 6) count = bytes[4] | (bytes[5] << 8);
        }
    }
    FreeLibrary(m);
    return count;
}
#endif

void ExpectVersion(const char* file, const wchar_t* originalName, DWORD fileType) {
    SCOPED_TRACE(file);
    VersionInfo info;
    ASSERT_TRUE(info.Load(WindowsPath(file)));
    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), QX_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), QX_VERSION_MINOR);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), QX_VERSION_PATCH);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), QX_VERSION_TWEAK);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, fileType);
    EXPECT_EQ(info.String(L"ProductVersion"), Widen(QX_VERSION));
    EXPECT_EQ(info.String(L"FileVersion"), Widen(QX_VERSION));
    EXPECT_EQ(info.String(L"ProductName"), L"QxKB");
    EXPECT_EQ(info.String(L"CompanyName"), L"QxKB");
    EXPECT_EQ(info.String(L"OriginalFilename"), originalName);
}

TEST(VersionResource, ProgramCarriesTheProjectVersion) {
    ExpectVersion(QX_DRIVER_EXE, L"QxKBDriver.exe", VFT_APP);
}

TEST(VersionResource, ToolkitCarriesTheProjectVersion) { ExpectVersion(QX_TOOLKIT_DLL, L"QxUI.dll", VFT_DLL); }

#ifdef QX_SKIN_ICO
TEST(VersionResource, BothCarryTheSkinsProgramIcon) {
    const int images = IcoImageCount(QX_SKIN_ICO);
    ASSERT_GT(images, 0) << QX_SKIN_ICO;
    EXPECT_EQ(GroupIconImageCount(WindowsPath(QX_DRIVER_EXE)), images);
    EXPECT_EQ(GroupIconImageCount(WindowsPath(QX_TOOLKIT_DLL)), images);
    // What Explorer shows: the first icon of the exe.
    HICON large = nullptr;
    EXPECT_EQ(ExtractIconExW(WindowsPath(QX_DRIVER_EXE).c_str(), 0, &large, nullptr, 1), 1u);
    EXPECT_NE(large, nullptr);
    if (large) DestroyIcon(large);
}
#endif

}  // namespace
