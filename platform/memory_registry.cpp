#include "platform/memory_registry.h"

namespace qx {

long MemoryRegistry::OpenKey() {
    if (openFailure != kRegOk) return openFailure;
    if (!keyExists) return kRegFileNotFound;
    open_ = true;
    return kRegOk;
}

long MemoryRegistry::CreateKey() {
    if (createFails) return 5;  // ERROR_ACCESS_DENIED
    keyExists = true;
    return kRegOk;
}

long MemoryRegistry::QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) {
    text.clear();
    if (!open_) return 6;  // ERROR_INVALID_HANDLE
    auto it = values.find(name);
    if (it == values.end()) return kRegFileNotFound;
    if (!it->second.isText) return kRegOk;
    // Stored as UTF-16 with its terminating zero, as Windows counts the data size.
    const std::size_t bytes = (it->second.text.size() + 1) * 2;
    if (bytes > maxBytes) return kRegMoreData;
    text = it->second.text.substr(0, it->second.text.find(L'\0'));
    return kRegOk;
}

long MemoryRegistry::SetText(const std::wstring& name, const std::wstring& text) {
    if (!open_) return 6;
    values[name] = Value{true, text};
    ++writes;
    return kRegOk;
}

std::optional<std::wstring> MemoryRegistry::Text(const std::wstring& name) const {
    auto it = values.find(name);
    if (it == values.end() || !it->second.isText) return std::nullopt;
    return it->second.text;
}

}  // namespace qx
