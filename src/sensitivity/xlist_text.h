// Texts of the editable list and the sensitivity table: numbers put into format texts, and
// what a cell's tool tip says.
#pragma once

#include <string>

namespace xlist {

// `format` with each "%d" replaced by `value` and each "%%" by "%". Any other '%' stays as it
// is, so a format from a resource or a caller can never read an argument that is not there.
std::wstring FormatWithInt(const std::wstring& format, long long value);

// The text a progress bar shows: its format ("%d%%" when empty) with the value.
std::wstring ProgressText(const std::wstring& format, int value);

// The longest tip text: the tool tip's 80-character buffer less its terminator.
constexpr size_t kToolTipMaxLength = 79;
// A cell's tip: its own tooltip, or its text when that is empty, cut to kToolTipMaxLength.
std::wstring ToolTipText(const std::wstring& tooltip, const std::wstring& cellText);

} // namespace xlist
