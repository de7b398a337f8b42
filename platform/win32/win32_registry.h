#pragma once
// HKEY_CURRENT_USER\SOFTWARE\<key name> through advapi32.
#include <windows.h>

#include "platform/app_registry.h"

namespace qx {

class Win32Registry : public AppRegistry {
public:
    explicit Win32Registry(std::wstring keyName = L"QxKB");
    ~Win32Registry() override { CloseKey(); }
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    long OpenKey() override;
    long CreateKey() override;
    long QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) override;
    long SetText(const std::wstring& name, const std::wstring& text) override;
    void CloseKey() override;

private:
    std::wstring subKey_;
    HKEY key_ = nullptr;
};

}  // namespace qx
