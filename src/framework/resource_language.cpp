#include "resource_language.h"

#include "win_app.h"

namespace {

LANGID g_resourceLanguage = 0;

} // namespace

LANGID AfxGetResourceLanguage() {
    return g_resourceLanguage;
}

void AfxSetResourceLanguage(LANGID language) {
    g_resourceLanguage = language;
}

HRSRC AfxFindResourceInLanguage(LPCWSTR name, LPCWSTR type) {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = nullptr;
    if (g_resourceLanguage != 0)
        found = FindResourceExW(instance, type, name, g_resourceLanguage);
    if (found == nullptr)
        found = FindResourceW(instance, name, type);
    return found;
}

const void* AfxLoadResourceData(LPCWSTR name, LPCWSTR type, DWORD* size) {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = AfxFindResourceInLanguage(name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    if (size != nullptr)
        *size = loaded != nullptr ? SizeofResource(instance, found) : 0;
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

const DLGTEMPLATE* AfxLoadDialogTemplate(UINT id) {
    return static_cast<const DLGTEMPLATE*>(AfxLoadResourceData(MAKEINTRESOURCEW(id), RT_DIALOG));
}

std::wstring StringFromTableBlock(const void* block, DWORD size, UINT id) {
    // Strings live in blocks of sixteen, each a length-prefixed run of UTF-16 units.
    if (block == nullptr)
        return {};
    auto* entry = static_cast<const WCHAR*>(block);
    const WCHAR* end = entry + size / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && entry < end; --skip)
        entry += 1 + *entry;
    if (entry >= end || *entry > end - entry - 1)
        return {};
    return std::wstring(entry + 1, *entry);
}

std::wstring AfxLoadString(UINT id) {
    DWORD size = 0;
    const void* block = AfxLoadResourceData(MAKEINTRESOURCEW(id / 16 + 1), RT_STRING, &size);
    return StringFromTableBlock(block, size, id);
}
