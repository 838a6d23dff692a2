#include "digital_limits.h"

#include <utility>

namespace controls {

void FreeLimits(CPtrArrayCtrl& list) {
    for (int i = 0; i < list.GetCount(); ++i)
        delete static_cast<LimitEntry*>(list.GetAt(i));
    list.RemoveAll();
}

void ReplaceLimit(CPtrArrayCtrl& list, int kind, DigitalSlot value, std::wstring caption) {
    FreeLimits(list);
    AppendLimit(list, kind, value, std::move(caption));
}

void AppendLimit(CPtrArrayCtrl& list, int kind, DigitalSlot value, std::wstring caption) {
    list.Add(new LimitEntry{kind, value, std::move(caption)});
}

bool CheckLimits(int kind, double x, const CPtrArrayCtrl& list, LimitSide side, LimitStrength strength,
                 std::wstring& replacement, std::wstring& message) {
    const wchar_t* relation = strength == kMustLimit ? (side == kLowerLimit ? L"Must >=" : L"Must <=")
                                                     : (side == kLowerLimit ? L"Suggest >=" : L"Suggest <=");
    const double tolerance = LimitTolerance(kind);
    for (int i = 0; i < list.GetCount(); ++i) {
        const auto* entry = static_cast<const LimitEntry*>(list.GetAt(i));
        double limit = 0;
        if (entry == nullptr || !SlotToDouble(kind, entry->value, limit))
            continue;
        const bool violated = side == kLowerLimit ? x < limit - tolerance : x > limit + tolerance;
        if (!violated)
            continue;
        replacement = FormatLimitValue(kind, entry->value);
        message = entry->caption + L" " + relation + L" " + replacement;
        return false;
    }
    return true;
}

ValidationResult Validate(int kind, const std::wstring& text, const DigitalLimits& limits) {
    const double x = LeadingNumber(text);
    ValidationResult result;
    if (!CheckLimits(kind, x, limits.mustMin, kLowerLimit, kMustLimit, result.replacement, result.message) ||
        !CheckLimits(kind, x, limits.mustMax, kUpperLimit, kMustLimit, result.replacement, result.message)) {
        result.ok = false;
        result.showTip = true;
        result.icon = kErrorTipIcon;
        return result;
    }
    // An advisory limit only warns: the typed value stays.
    std::wstring unused;
    if (!CheckLimits(kind, x, limits.suggestMin, kLowerLimit, kSuggestLimit, unused, result.message) ||
        !CheckLimits(kind, x, limits.suggestMax, kUpperLimit, kSuggestLimit, unused, result.message)) {
        result.showTip = true;
        result.icon = kWarningTipIcon;
    }
    return result;
}

} // namespace controls
