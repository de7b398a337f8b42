// Win32 implementation of the code page seam.
#include <windows.h>

#include <string>

#include "resources/code_page_converter.h"
#include "resources/utf_text.h"

namespace qx {
namespace {

int Convert(unsigned codePage, DWORD flags, std::string_view bytes, std::u16string* text)
{
    const int n = static_cast<int>(bytes.size());
    const int need = MultiByteToWideChar(codePage, flags, bytes.data(), n, nullptr, 0);
    if (need <= 0 || text == nullptr) return need;
    std::wstring wide(static_cast<size_t>(need), L'\0');
    const int got = MultiByteToWideChar(codePage, flags, bytes.data(), n, wide.data(), need);
    if (got <= 0) return got;
    text->assign(wide.begin(), wide.begin() + got);
    return got;
}

}  // namespace

CodePageConversion ConvertCodePageToUtf16(unsigned codePage, std::string_view bytes, std::u16string& text)
{
    CodePageConversion result;
    text.clear();
    if (!IsValidCodePage(codePage)) return result;
    result.supported = true;
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return result;
    // Strict first, so invalid bytes are noticed; then with the system's replacement characters.
    // Some code pages (the ISO-2022 family and a few others) refuse the strict flag outright.
    if (Convert(codePage, MB_ERR_INVALID_CHARS, bytes, &text) > 0) return result;
    const DWORD strictError = GetLastError();
    if (Convert(codePage, 0, bytes, &text) > 0) {
        if (strictError == ERROR_NO_UNICODE_TRANSLATION) result.invalid = 1;   // at least one
        return result;
    }
    result.supported = false;
    return result;
}

unsigned SystemAnsiCodePage()
{
    return GetACP();
}

}  // namespace qx
