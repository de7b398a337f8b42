#include "platform/win32/win32_registry.h"

#include <vector>

namespace qx {

Win32Registry::Win32Registry(std::wstring keyName) : subKey_(L"SOFTWARE\\" + keyName) {}

long Win32Registry::OpenKey() {
    CloseKey();
    return RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_ALL_ACCESS, &key_);
}

long Win32Registry::CreateKey() {
    HKEY created = nullptr;
    const long rc = RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (rc == ERROR_SUCCESS) RegCloseKey(created);
    return rc;
}

long Win32Registry::QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) {
    text.clear();
    if (!key_) return ERROR_INVALID_HANDLE;
    // A zeroed buffer larger than the data limit, so the text always ends in a zero character.
    std::vector<wchar_t> buffer(256 + maxBytes / sizeof(wchar_t), L'\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(maxBytes);
    const long rc = RegQueryValueExW(key_, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (rc != ERROR_SUCCESS) return rc;
    if (type == REG_SZ || type == REG_EXPAND_SZ) text.assign(buffer.data());
    return rc;
}

long Win32Registry::SetText(const std::wstring& name, const std::wstring& text) {
    if (!key_) return ERROR_INVALID_HANDLE;
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

void Win32Registry::CloseKey() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

}  // namespace qx
