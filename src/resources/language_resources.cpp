#include "language_resources.h"

ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language) {
    HRSRC found = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr)
        return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

std::wstring LoadStringForLanguage(HMODULE module, UINT id, LANGID language) {
    // Strings live in blocks of sixteen, each entry a length-prefixed run of UTF-16 units.
    ResourceBytes block = FindResourceBytes(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (block.data == nullptr)
        return {};
    auto* entry = reinterpret_cast<const WCHAR*>(block.data);
    const WCHAR* end = entry + block.size / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && entry < end; --skip)
        entry += 1 + *entry;
    if (entry >= end || *entry > end - entry - 1)
        return {};
    return std::wstring(entry + 1, *entry);
}
