#pragma once
// An in-memory application key for tests: values, a missing key, and keys that refuse to open.
#include <map>
#include <optional>
#include <string>

#include "platform/app_registry.h"

namespace qx {

class MemoryRegistry : public AppRegistry {
public:
    struct Value {
        bool isText = true;       // false: a value of another type (DWORD, binary)
        std::wstring text;        // REG_SZ data without the terminating zero
    };

    bool keyExists = false;
    long openFailure = kRegOk;    // when not kRegOk, OpenKey fails with this code
    bool createFails = false;
    std::map<std::wstring, Value> values;
    int writes = 0;               // number of SetText calls that stored something

    long OpenKey() override;
    long CreateKey() override;
    long QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) override;
    long SetText(const std::wstring& name, const std::wstring& text) override;
    void CloseKey() override { open_ = false; }

    std::optional<std::wstring> Text(const std::wstring& name) const;

private:
    bool open_ = false;
};

}  // namespace qx
