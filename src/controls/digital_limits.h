// The limits of a numeric edit and the check of its text against them when the user leaves
// it: a value beyond a hard ("Must") limit is replaced by that limit, one beyond an advisory
// ("Suggest") limit stays; both are explained in a tip.
#pragma once

#include "digital_value.h"
#include "ptr_containers.h"

#include <cstdint>
#include <string>

// One limit, owned by the list that holds it.
struct LimitEntry {
    int32_t kind;         // the edit's value kind when the limit was set
    DigitalSlot value;    // the limit in the form of its kind
    std::wstring caption; // shown in front of the message, e.g. "最小值"
};

namespace controls {

// Frees every LimitEntry of `list` and empties it.
void FreeLimits(CPtrArrayCtrl& list);
// Replaces the limits of `list` by one.
void ReplaceLimit(CPtrArrayCtrl& list, int kind, DigitalSlot value, std::wstring caption);
// Appends one limit to `list`.
void AppendLimit(CPtrArrayCtrl& list, int kind, DigitalSlot value, std::wstring caption);

enum LimitSide { kLowerLimit, kUpperLimit };
enum LimitStrength { kMustLimit, kSuggestLimit };

// Checks `x` against each limit of `list` in order, read as `kind` (the edit's, not the
// entry's; entries of another layout are skipped). At the first violated one, fills
// `replacement` with the limit's text and `message` with "<caption> <relation> <limit>",
// and returns false.
bool CheckLimits(int kind, double x, const CPtrArrayCtrl& list, LimitSide side, LimitStrength strength,
                 std::wstring& replacement, std::wstring& message);

// Tip icons the check asks for (the balloon's warning and error).
constexpr int kWarningTipIcon = 2;
constexpr int kErrorTipIcon = 3;

struct ValidationResult {
    bool ok = true; // false: the text is to be replaced by `replacement`
    std::wstring replacement;
    bool showTip = false; // a tip "Data Invalid" with `message` and `icon`
    std::wstring message;
    int icon = 0;
};

struct DigitalLimits {
    const CPtrArrayCtrl& mustMin;
    const CPtrArrayCtrl& mustMax;
    const CPtrArrayCtrl& suggestMin;
    const CPtrArrayCtrl& suggestMax;
};

// The text's numeric prefix (0 for none) against the hard limits, then the advisory ones.
ValidationResult Validate(int kind, const std::wstring& text, const DigitalLimits& limits);

} // namespace controls
