// The user-interface language chosen by AppConfig's Language attribute.
#pragma once

#include "xml_config.h"

#include <cstdint>

struct UiLanguage {
    uint16_t languageId;       // for SetProcessPreferredUILanguages
    uint16_t resourceLanguage; // 1033 English or 2052 Simplified Chinese
    // "%04x" of languageId and two zero characters: a one-entry language list.
    wchar_t preferredList[6];
};

// "ENG" (any case) chooses English; "CHT" traditional Chinese, shown with the simplified
// resources; anything else, and a null text, simplified Chinese.
UiLanguage ChooseUiLanguage(const char* languageText);
// The same for the Language attribute of the document's AppConfig ("CHS" when missing).
UiLanguage ChooseUiLanguage(const XMLParser& document);
