#include "ui_language.h"

#include "config_file.h"

#include <cwchar>

namespace {
constexpr uint16_t kEnglishUs = 0x0409;
constexpr uint16_t kChineseTraditional = 0x0404;
constexpr uint16_t kChineseFallback = 0x1004;
constexpr uint16_t kEnglishResources = 1033;
constexpr uint16_t kChineseResources = 2052;
} // namespace

UiLanguage ChooseUiLanguage(const char* languageText) {
    const char* text = languageText ? languageText : "CHS";
    UiLanguage language{};
    if (NamesEqualNoCase(text, "ENG")) {
        language.languageId = kEnglishUs;
        language.resourceLanguage = kEnglishResources;
    } else {
        language.languageId = NamesEqualNoCase(text, "CHT") ? kChineseTraditional : kChineseFallback;
        language.resourceLanguage = kChineseResources;
    }
    std::swprintf(language.preferredList, 6, L"%04x", unsigned(language.languageId));
    language.preferredList[4] = L'\0';
    language.preferredList[5] = L'\0';
    return language;
}

UiLanguage ChooseUiLanguage(const XMLParser& document) {
    return ChooseUiLanguage(FindAppConfig(document).FindAttribute("Language"));
}
