#pragma once
// Character-set names as XML declarations and HTML meta elements give them, mapped to Windows
// code page numbers. Names compare ignoring ASCII case; an unknown name maps to 0.
#include <string_view>

namespace qx {

constexpr unsigned kCodePageUtf16Le = 1200;
constexpr unsigned kCodePageUtf16Be = 1201;
constexpr unsigned kCodePageUtf32Le = 12000;
constexpr unsigned kCodePageUtf32Be = 12001;
constexpr unsigned kCodePageUtf8 = 65001;
constexpr unsigned kCodePageUtf32 = 65005;   // the name "UTF-32"; read as little-endian

unsigned CodePageOfCharset(std::string_view name);

}  // namespace qx
