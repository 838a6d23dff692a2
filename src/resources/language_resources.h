// Resources looked up in one explicit language. Wine picks resources without regard to the
// process's preferred UI languages, so the program names the language (1033 or 2052) itself.
#pragma once

#include <windows.h>

#include <string>

constexpr LANGID kLanguageEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);         // 1033
constexpr LANGID kLanguageChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED); // 2052

struct ResourceBytes {
    const BYTE* data = nullptr; // lives as long as the module; null when there is no such resource
    DWORD size = 0;
};

ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);

// String `id` of the string table in `language`; empty when there is no such string.
std::wstring LoadStringForLanguage(HMODULE module, UINT id, LANGID language);
