#pragma once
// The numbered interface texts of the program's own windows, in Simplified Chinese and English.
#include <string>

namespace qx {

// The entry at index in languageId's column: Chinese for 2052, English for every other id.
// An index that is not in the table gives an empty text.
std::wstring GetUIText(int index, int languageId);

// The same in the process-wide interface language (CurrentLanguage()).
std::wstring GetUIText(int index);

}  // namespace qx
