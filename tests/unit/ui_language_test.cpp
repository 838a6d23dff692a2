#include "ui_language.h"

#include <gtest/gtest.h>

#include <string>

TEST(UiLanguage, TextChoosesLanguageIdListAndResources) {
    struct Case {
        const char* text;
        uint16_t id;
        const wchar_t* list;
        uint16_t resources;
    } cases[] = {
        {"ENG", 0x0409, L"0409", 1033}, {"eng", 0x0409, L"0409", 1033},     {"CHS", 0x1004, L"1004", 2052},
        {"DEU", 0x1004, L"1004", 2052}, {"", 0x1004, L"1004", 2052},        {nullptr, 0x1004, L"1004", 2052},
        {"cht", 0x0404, L"0404", 2052}, {"ENGLISH", 0x1004, L"1004", 2052},
    };
    for (const Case& c : cases) {
        UiLanguage language = ChooseUiLanguage(c.text);
        std::string label = c.text ? c.text : "(null)";
        EXPECT_EQ(language.languageId, c.id) << label;
        EXPECT_EQ(language.resourceLanguage, c.resources) << label;
        EXPECT_EQ(std::wstring(language.preferredList), c.list) << label;
        // A one-entry list: the id, then two terminating zeros.
        EXPECT_EQ(language.preferredList[4], L'\0') << label;
        EXPECT_EQ(language.preferredList[5], L'\0') << label;
    }
}

TEST(UiLanguage, ReadFromTheDocument) {
    XMLParser document;
    EXPECT_EQ(ChooseUiLanguage(document).languageId, 0x1004); // no root at all

    const char text[] = "<AppConfig language='Eng'/>";
    document.LoadBuffer(text, sizeof text - 1);
    EXPECT_EQ(ChooseUiLanguage(document).resourceLanguage, 1033);
}
