#include "language_resources.h"

#include "resource_language.h"

ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language) {
    HRSRC found = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr)
        return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

std::wstring LoadStringForLanguage(HMODULE module, UINT id, LANGID language) {
    ResourceBytes block = FindResourceBytes(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    return StringFromTableBlock(block.data, block.size, id);
}
