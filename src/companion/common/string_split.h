// Splitting wide text into pieces.
#pragma once

#include "ptr_containers.h"

#include <cwchar>

// Splits `length` characters of `text` (-1: zero-terminated) at every character found in
// the first `separatorCount` of `separators`, and appends a pointer to each zero-terminated
// piece to `pieces`, in order. Empty pieces between separators are kept; an empty text gives
// no piece. `maxPieces` > 0 caps the count: the last piece then holds the rest unsplit.
// `flags` is reserved (0). Returns the block that holds the pieces (free it with
// Internal_DelArrayW once the pointers are no longer used), or null for a null text.
wchar_t* DevideStringByCharListW(const wchar_t* text, int length, const wchar_t* separators,
                                 int separatorCount, int flags, CPtrArrayCtrl* pieces, int maxPieces);
void Internal_DelArrayW(wchar_t* block);
