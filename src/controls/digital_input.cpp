#include "digital_input.h"

#include "digital_value.h"

#include <algorithm>

namespace controls {

namespace {

CharVerdict Rejected(wchar_t c) {
    CharVerdict verdict;
    verdict.accepted = false;
    verdict.message = std::wstring(L"Invalid character '") + c + L"'";
    return verdict;
}

} // namespace

CharVerdict JudgeChar(int kind, wchar_t c, const std::wstring& newText) {
    if (c == L'.') {
        if (!IsFloatingKind(kind) || std::count(newText.begin(), newText.end(), L'.') > 1)
            return Rejected(c);
        return {};
    }
    if (c == L'-') {
        // One sign, and only in front.
        if (IsUnsignedKind(kind) || newText.empty() || newText.front() != L'-' ||
            newText.find(L'-', 1) != std::wstring::npos)
            return Rejected(c);
        return {};
    }
    if (c >= L'0' && c <= L'9')
        return {};
    if (c >= 0x20)
        return Rejected(c);
    CharVerdict verdict;
    verdict.movesFocus = c == L'\t' || c == L'\r';
    return verdict;
}

} // namespace controls
