#pragma once
#include <vector>

#include "toolkit/core/qxui_export.h"

namespace QxUI {

// One entry of a window's font cache as the lookup sees it: the name it was registered under
// and the family name the font file itself carries.
struct CachedFontName {
    const wchar_t* key;
    const wchar_t* family;
};

// Which cached font answers a lookup of `name` (index into `cached`, walked in key order), or
// -1 when none does and a system family of that name is to be tried. A font registered under
// `name` answers on every system: the shipped skin font is registered as "Arial" but carries
// the family name of the font it really is. Otherwise a family named exactly `name` answers;
// on systems before Windows 10 the first cached font answers whatever its names.
QXUI_API int PickTempFont(const std::vector<CachedFontName>& cached, const wchar_t* name, bool win10);

}  // namespace QxUI
