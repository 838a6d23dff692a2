#include "string_split.h"

#include <cstring>

static bool IsSeparator(wchar_t c, const wchar_t* separators, int separatorCount) {
    for (int i = 0; i < separatorCount; ++i) {
        if (separators[i] == c)
            return true;
    }
    return false;
}

wchar_t* DevideStringByCharListW(const wchar_t* text, int length, const wchar_t* separators,
                                 int separatorCount, int flags, CPtrArrayCtrl* pieces, int maxPieces) {
    (void)flags;
    if (text == nullptr || pieces == nullptr)
        return nullptr;
    size_t size = length < 0 ? std::wcslen(text) : size_t(length);
    auto* block = new wchar_t[size + 1];
    std::memcpy(block, text, size * sizeof(wchar_t));
    block[size] = L'\0';
    if (size == 0)
        return block;
    if (separators == nullptr)
        separatorCount = 0;

    int count = 1;
    pieces->Add(block);
    for (size_t i = 0; i < size; ++i) {
        if (maxPieces > 0 && count >= maxPieces)
            break;
        if (IsSeparator(block[i], separators, separatorCount)) {
            block[i] = L'\0';
            pieces->Add(block + i + 1);
            ++count;
        }
    }
    return block;
}

void Internal_DelArrayW(wchar_t* block) {
    delete[] block;
}
