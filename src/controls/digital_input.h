// Which characters a numeric edit lets through: judged on the text as it stands after the
// edit control has taken the character, so a rejected one can simply be undone.
#pragma once

#include <string>

namespace controls {

struct CharVerdict {
    bool accepted = true;
    std::wstring message;    // why it was rejected, e.g. "Invalid character '-'"
    bool movesFocus = false; // Tab or Enter: the focus goes on to the next control
};

// The verdict on character `c` of a WM_CHAR for an edit of `kind` whose text became `newText`.
// Control codes (Backspace, Ctrl+V, Ctrl+X...) always pass; a pasted text is checked when
// the edit is left.
CharVerdict JudgeChar(int kind, wchar_t c, const std::wstring& newText);

} // namespace controls
