#pragma once
// The interface language: one process-wide Windows language id, chosen at start-up from the
// "LCID" value of the application key or, when none is stored, from the system's UI language.
#include "platform/app_registry.h"

namespace qx {

constexpr int kLangChinese = 2052;
constexpr int kLangEnglish = 1033;

// The language every text lookup uses. 2052 selects Chinese, every other value English.
int CurrentLanguage();
void SetCurrentLanguage(int languageId);

// Reads "LCID". A missing or non-numeric value gives 0; a missing key is created (0 when that
// works, 2052 when it does not); a key that cannot be opened for another reason gives 2052.
int ReadLanguageId(AppRegistry& registry);
// Writes "LCID" as decimal text when the key can be opened.
void WriteLanguageId(AppRegistry& registry, int languageId);
// The start-up rule: a stored non-zero id is used unchanged; otherwise 2052 on a Chinese system
// UI language and 1033 on any other, which is then stored. Sets and returns the current language.
int ChooseStartupLanguage(AppRegistry& registry, int systemUiLanguage);

}  // namespace qx
