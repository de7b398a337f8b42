#include "toolkit/core/temp_font_lookup.h"

#include <cwchar>

namespace QxUI {

int PickTempFont(const std::vector<CachedFontName>& cached, const wchar_t* name, bool win10) {
    if (!name) return -1;
    for (size_t i = 0; i < cached.size(); ++i) {
        const CachedFontName& entry = cached[i];
        if (entry.key && std::wcscmp(entry.key, name) == 0) return static_cast<int>(i);
        if (entry.family && std::wcscmp(entry.family, name) == 0) return static_cast<int>(i);
        if (!win10) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace QxUI
