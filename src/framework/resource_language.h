// Resources of one chosen language. Wine ignores the process's preferred UI languages when
// it picks a resource, so dialog templates and strings are looked up in the language the
// program chose, explicitly.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

// The language (1033 English, 2052 Simplified Chinese) that templates and strings load in;
// 0, the start value, leaves the choice to the system.
LANGID AfxGetResourceLanguage();
void AfxSetResourceLanguage(LANGID language);

// The resource in the chosen language, or in any language when it has no such version.
HRSRC AfxFindResourceInLanguage(LPCWSTR name, LPCWSTR type);
// The bytes of that resource (they live as long as the module); null when it is missing.
const void* AfxLoadResourceData(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr);

// A dialog template (DLGTEMPLATE or DLGTEMPLATEEX) of the chosen language, or null.
const DLGTEMPLATE* AfxLoadDialogTemplate(UINT id);

// String `id` of the string table in the chosen language; empty when it is missing.
std::wstring AfxLoadString(UINT id);

// String `id` out of the bytes of its string-table block (block id / 16 + 1); empty when the
// block does not hold it.
std::wstring StringFromTableBlock(const void* block, DWORD size, UINT id);
