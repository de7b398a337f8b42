// Image and font caches.
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/temp_font_lookup.h"

#include <string>
#include <vector>

namespace QxUI {

namespace {
ImgResInfo* MakeInfo(Gdiplus::Image* image, int count) {
    auto* info = new ImgResInfo;
    info->image = image;
    info->count = count > 0 ? count : 1;
    info->width = static_cast<int>(image->GetWidth()) / info->count;
    info->height = static_cast<int>(image->GetHeight());
    return info;
}

void DeleteInfos(std::map<CString, ImgResInfo*>& m) {
    for (auto& e : m) {
        delete e.second->image;
        delete e.second;
    }
    m.clear();
}

void DeleteInfos(std::map<UINT, ImgResInfo*>& m) {
    for (auto& e : m) {
        delete e.second->image;
        delete e.second;
    }
    m.clear();
}
}  // namespace

ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* file, int count) {
    if (!file || !*file) return nullptr;
    CriticalSectionLock lock(m_imageLock);
    CString key(file);
    auto it = m_imagesByName.find(key);
    if (it != m_imagesByName.end()) return it->second;  // a hit keeps its first state count
    Gdiplus::Image* image = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + key);
    if (!image) return nullptr;
    ImgResInfo* info = MakeInfo(image, count);
    info->file = key;
    m_imagesByName[key] = info;
    return info;
}

ImgResInfo* PaintManager::AddImgResInfo(UINT resId, CString type, int count, BOOL fromApplication) {
    CriticalSectionLock lock(m_imageLock);
    auto& cache = fromApplication ? m_imagesByAppId : m_imagesByToolkitId;
    auto it = cache.find(resId);
    if (it != cache.end()) return it->second;
    HINSTANCE module = fromApplication ? Manager::m_hInstance : Manager::GetToolkitModule();
    Gdiplus::Image* image = MRender::LoadImageFromIDResource(resId, type, module);
    if (!image) return nullptr;
    ImgResInfo* info = MakeInfo(image, count);
    info->resId = resId;
    cache[resId] = info;
    return info;
}

void PaintManager::ClearImgResInfo() {
    CriticalSectionLock lock(m_imageLock);
    DeleteInfos(m_imagesByName);
    DeleteInfos(m_imagesByAppId);
    DeleteInfos(m_imagesByToolkitId);
}

namespace {
// The first family of a collection, or NULL.
Gdiplus::FontFamily* FirstFamily(Gdiplus::PrivateFontCollection& collection) {
    if (collection.GetFamilyCount() <= 0) return nullptr;
    auto* family = new Gdiplus::FontFamily;
    INT found = 0;
    if (collection.GetFamilies(1, family, &found) != Gdiplus::Ok || found < 1) {
        delete family;
        return nullptr;
    }
    return family;
}

const void* FindToolkitFont(UINT resId, DWORD* size) {
    HINSTANCE module = Manager::GetToolkitModule();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resId), L"ttf");
    if (!resource) return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    *size = ::SizeofResource(module, resource);
    return loaded ? ::LockResource(loaded) : nullptr;
}
}  // namespace

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* name, const wchar_t* path) {
    if (!name || !path) return nullptr;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddFontFile(path) != Gdiplus::Ok) return nullptr;
    Gdiplus::FontFamily* family = FirstFamily(*collection);
    if (!family) return nullptr;
    CriticalSectionLock lock(m_fontLock);
    CString key(name);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) delete it->second;
    m_fonts[key] = family;
    m_fontCollections.push_back(std::move(collection));  // the family needs its collection
    return family;
}

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* name, UINT resId) {
    if (!name) return nullptr;
    DWORD size = 0;
    const void* data = FindToolkitFont(resId, &size);
    if (!data || size == 0) return nullptr;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddMemoryFont(data, static_cast<INT>(size)) != Gdiplus::Ok) return nullptr;
    Gdiplus::FontFamily* family = FirstFamily(*collection);
    if (!family) return nullptr;
    CriticalSectionLock lock(m_fontLock);
    CString key(name);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) delete it->second;
    m_fonts[key] = family;
    m_fontCollections.push_back(std::move(collection));
    return family;
}

void PaintManager::AddGDITempFont(UINT resId) {
    DWORD size = 0;
    const void* data = FindToolkitFont(resId, &size);
    if (!data || size == 0) return;
    DWORD installed = 0;
    HANDLE handle = ::AddFontMemResourceEx(const_cast<void*>(data), size, nullptr, &installed);
    if (!handle) return;
    CriticalSectionLock lock(m_fontLock);
    m_gdiFonts.push_back(handle);
}

namespace {
bool IsWindows10() {
    using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
    static const Fn fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetNtVersionNumbers")));
    if (!fn) return false;
    DWORD major = 0, minor = 0, build = 0;
    fn(&major, &minor, &build);
    return major == 10 && minor == 0;
}
}  // namespace

Gdiplus::FontFamily* PaintManager::FindTempFont(const wchar_t* name) {
    if (!name) return nullptr;
    Manager::m_win10system = IsWindows10();
    CriticalSectionLock lock(m_fontLock);
    if (!m_fonts.empty()) {
        std::vector<std::wstring> families;
        std::vector<Gdiplus::FontFamily*> fonts;
        families.reserve(m_fonts.size());
        for (auto& entry : m_fonts) {
            wchar_t familyName[LF_FACESIZE] = {};
            entry.second->GetFamilyName(familyName);
            families.emplace_back(familyName);
            fonts.push_back(entry.second);
        }
        std::vector<CachedFontName> names;
        size_t i = 0;
        for (auto& entry : m_fonts) names.push_back(CachedFontName{entry.first, families[i++].c_str()});
        int picked = PickTempFont(names, name, Manager::m_win10system);
        if (picked >= 0) return fonts[static_cast<size_t>(picked)];
    }
    CString key(name);
    auto cached = m_systemFonts.find(key);
    if (cached != m_systemFonts.end()) return cached->second;
    auto* family = new Gdiplus::FontFamily(name);
    if (family->GetLastStatus() != Gdiplus::Ok || !family->IsAvailable()) {
        delete family;
        return nullptr;
    }
    // Kept apart from the registered fonts, so a file registered under the same key survives.
    m_systemFonts[key] = family;
    return family;
}

void PaintManager::ClearTempFont() { CriticalSectionLock lock(m_fontLock); }

}  // namespace QxUI
