#include "platform/app_registry.h"

#include <climits>
#include <cwctype>

namespace qx {

int DecimalTextToInt(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int ReadDecimalValue(AppRegistry& registry, const std::wstring& name) {
    if (registry.OpenKey() != kRegOk) return 0;
    std::wstring text;
    const long rc = registry.QueryText(name, 255, text);
    registry.CloseKey();
    return rc == kRegOk ? DecimalTextToInt(text) : 0;
}

void WriteDecimalValue(AppRegistry& registry, const std::wstring& name, int value) {
    if (registry.OpenKey() != kRegOk) return;
    registry.SetText(name, std::to_wstring(value));
    registry.CloseKey();
}

}  // namespace qx
