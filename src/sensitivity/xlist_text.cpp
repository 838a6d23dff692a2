#include "xlist_text.h"

namespace xlist {

std::wstring FormatWithInt(const std::wstring& format, long long value) {
    std::wstring text;
    const std::wstring number = std::to_wstring(value);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size()) {
            if (format[i + 1] == L'd') {
                text += number;
                ++i;
                continue;
            }
            if (format[i + 1] == L'%') {
                text += L'%';
                ++i;
                continue;
            }
        }
        text += format[i];
    }
    return text;
}

std::wstring ProgressText(const std::wstring& format, int value) {
    return FormatWithInt(format.empty() ? L"%d%%" : format, value);
}

std::wstring ToolTipText(const std::wstring& tooltip, const std::wstring& cellText) {
    const std::wstring& text = tooltip.empty() ? cellText : tooltip;
    return text.substr(0, kToolTipMaxLength);
}

} // namespace xlist
