#include "app/language.h"

namespace qx {
namespace {
int g_language = kLangEnglish;
const wchar_t kLanguageValue[] = L"LCID";
}  // namespace

int CurrentLanguage() { return g_language; }
void SetCurrentLanguage(int languageId) { g_language = languageId; }

int ReadLanguageId(AppRegistry& registry) {
    const long rc = registry.OpenKey();
    if (rc == kRegOk) {
        std::wstring text;
        const long query = registry.QueryText(kLanguageValue, 255, text);
        registry.CloseKey();
        return query == kRegOk ? DecimalTextToInt(text) : 0;
    }
    if (rc == kRegFileNotFound) return registry.CreateKey() == kRegOk ? 0 : kLangChinese;
    return kLangChinese;
}

void WriteLanguageId(AppRegistry& registry, int languageId) {
    WriteDecimalValue(registry, kLanguageValue, languageId);
}

int ChooseStartupLanguage(AppRegistry& registry, int systemUiLanguage) {
    int language = ReadLanguageId(registry);
    if (language == 0) {
        language = systemUiLanguage == kLangChinese ? kLangChinese : kLangEnglish;
        WriteLanguageId(registry, language);
    }
    SetCurrentLanguage(language);
    return language;
}

}  // namespace qx
