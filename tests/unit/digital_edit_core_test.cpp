// The numeric edit's rules without a window: which characters pass for each value kind, how
// a text is read as a number, how limits are read, compared and printed, and what the check
// on leaving the edit replaces and says.
#include "digital_input.h"
#include "digital_limits.h"
#include "digital_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace controls;

TEST(DigitalInput, CharactersEachKindAcceptsAndWhatItSaysOtherwise) {
    const struct {
        int kind;
        wchar_t c;
        const wchar_t* newText; // the edit's text after taking the character
        const wchar_t* message; // null: accepted
    } cases[] = {
        {DigitalUInt32, L'-', L"-12", L"Invalid character '-'"},
        {DigitalUInt64, L'-', L"-", L"Invalid character '-'"},
        {DigitalInt32, L'-', L"-5", nullptr},
        {DigitalInt64, L'-', L"-", nullptr},
        {DigitalInt32, L'-', L"--5", L"Invalid character '-'"}, // a second sign in front
        {DigitalInt32, L'-', L"-5-", L"Invalid character '-'"}, // a second sign behind
        {DigitalInt32, L'-', L"5-", L"Invalid character '-'"},  // not in front
        {DigitalDouble, L'-', L"-1.5", nullptr},
        {DigitalInt32, L'.', L"1.", L"Invalid character '.'"},
        {DigitalUInt64, L'.', L".", L"Invalid character '.'"},
        {DigitalFloat, L'.', L"1.2", nullptr},
        {DigitalDouble, L'.', L".", nullptr},
        {DigitalFloat, L'.', L"1.2.", L"Invalid character '.'"},
        {DigitalDouble, L'.', L"1..2", L"Invalid character '.'"},
        {DigitalUInt32, L'7', L"17", nullptr},
        {DigitalInt32, L'a', L"1a", L"Invalid character 'a'"},
        {DigitalInt32, L'+', L"+1", L"Invalid character '+'"},
        {DigitalDouble, L'e', L"1e", L"Invalid character 'e'"},
        {DigitalFloat, L' ', L"1 ", L"Invalid character ' '"},
        {DigitalInt32, L'\x4E00', L"\x4E00", L"Invalid character '\x4E00'"},
        {DigitalUInt32, L'\b', L"1", nullptr},   // Backspace
        {DigitalUInt32, 0x16, L"abc-", nullptr}, // Ctrl+V: the paste is checked on leaving
        {DigitalUInt32, 0x18, L"", nullptr},     // Ctrl+X
    };
    for (const auto& c : cases) {
        const CharVerdict verdict = JudgeChar(c.kind, c.c, c.newText);
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", char " << int(c.c));
        EXPECT_EQ(verdict.accepted, c.message == nullptr);
        EXPECT_EQ(verdict.message, c.message != nullptr ? c.message : L"");
        EXPECT_FALSE(verdict.movesFocus);
    }
}

TEST(DigitalInput, TabAndEnterPassAndMoveTheFocusOn) {
    for (wchar_t c : {L'\t', L'\r'}) {
        const CharVerdict verdict = JudgeChar(DigitalUInt32, c, L"12");
        EXPECT_TRUE(verdict.accepted);
        EXPECT_TRUE(verdict.movesFocus) << int(c);
    }
}

TEST(DigitalValue, LeadingNumberReadsTheLongestDecimalPrefix) {
    const struct {
        const wchar_t* text;
        double value;
    } cases[] = {
        {L"", 0},        {L"abc", 0},
        {L"12", 12},     {L"  \t-7", -7},
        {L"+3", 3},      {L"7x", 7},
        {L"1.5.2", 1.5}, {L".5", 0.5},
        {L"5.", 5},      {L"-.25e1", -2.5},
        {L"1e3", 1000},  {L"2e", 2},
        {L"2e+", 2},     {L"3E-1", 0.3},
        {L"0x10", 0},    {L"inf", 0},
        {L"nan", 0},     {L"-", 0},
        {L".", 0},       {L"- 5", 0},
        {L"1e-400", 0},  {L"4294967295", 4294967295.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(LeadingNumber(L"1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber(L"-9e99999999999"), -std::numeric_limits<double>::infinity());
}

TEST(DigitalValue, DecimalCountOfExactAndInexactValues) {
    const struct {
        double x;
        int decimals;
    } cases[] = {
        {0, 0},
        {12, 0},
        {-3, 0},
        {0.5, 1},
        {-2.25, 2},
        {1.125, 3},
        {double(0.1f), 10},
        {0.1, 1},  // ten times the double 0.1 rounds to exactly 1
        {1e12, 0}, // beyond a 32-bit integer
        {1e12 + 0.5, 1},
        {std::numeric_limits<double>::infinity(), 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalCount(c.x), c.decimals) << c.x;
    EXPECT_EQ(DecimalCount(std::nan("")), 10);
}

TEST(DigitalValue, FormatLimitValueReadsTheSlotAsItsKind) {
    const struct {
        int kind;
        DigitalSlot slot;
        const wchar_t* text;
    } cases[] = {
        {DigitalInt32, DigitalSlot(-5), L"-5"},
        {DigitalInt32, 0xFFFFFFFF00000007ull, L"7"}, // only the low half counts
        {DigitalUInt32, DigitalSlot(-1), L"4294967295"},
        {DigitalUInt32, 0, L"0"},
        {DigitalInt64, DigitalSlot(-9000000000ll), L"-9000000000"},
        {DigitalUInt64, 18446744073709551615ull, L"18446744073709551615"},
        {DigitalFloat, DigitalSlotFromFloat(2.5f), L"2.5"},
        {DigitalFloat, DigitalSlotFromFloat(0.1f), L"0.1000000015"},
        {DigitalDouble, DigitalSlotFromDouble(-0.125), L"-0.125"},
        {DigitalDouble, DigitalSlotFromDouble(120), L"120"},
        {9, 5, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLimitValue(c.kind, c.slot), c.text) << "kind " << c.kind;
    // A huge Double prints in full rather than into a fixed buffer.
    const std::wstring huge = FormatLimitValue(DigitalDouble, DigitalSlotFromDouble(1e300));
    EXPECT_EQ(huge.size(), 301u);
    EXPECT_EQ(huge.substr(0, 2), L"10");
}

namespace {

// The four limit lists of an edit, freed at the end.
struct Limits {
    CPtrArrayCtrl mustMin, mustMax, suggestMin, suggestMax;
    ~Limits() {
        for (CPtrArrayCtrl* list : {&mustMin, &mustMax, &suggestMin, &suggestMax})
            FreeLimits(*list);
    }
    DigitalLimits View() const { return DigitalLimits{mustMin, mustMax, suggestMin, suggestMax}; }
};

} // namespace

TEST(DigitalLimitsCheck, AHardLimitReplacesTheTextAndSaysWhy) {
    const struct {
        int kind;
        const wchar_t* text;
        DigitalSlot min, max;
        bool ok;
        const wchar_t* replacement;
        const wchar_t* message;
    } cases[] = {
        {DigitalUInt32, L"", 1, 8, false, L"1", L"最小值 Must >= 1"}, // empty counts as 0
        {DigitalUInt32, L"abc", 1, 8, false, L"1", L"最小值 Must >= 1"},
        {DigitalUInt32, L"1", 1, 8, true, L"", L""}, // the limit itself passes
        {DigitalUInt32, L"8", 1, 8, true, L"", L""},
        {DigitalUInt32, L"9", 1, 8, false, L"8", L"最大值 Must <= 8"},
        {DigitalUInt32, L"8.4", 1, 8, true, L"", L""}, // within half a unit
        {DigitalUInt32, L"8.6", 1, 8, false, L"8", L"最大值 Must <= 8"},
        {DigitalInt32, L"-3", DigitalSlot(-2), 5, false, L"-2", L"最小值 Must >= -2"},
        {DigitalInt32, L"-2", DigitalSlot(-2), 5, true, L"", L""},
        {DigitalUInt64, L"18446744073709551615", 0, 9223372036854775808ull, false, L"9223372036854775808",
         L"最大值 Must <= 9223372036854775808"},
        {DigitalDouble, L"0.5", DigitalSlotFromDouble(0.5), DigitalSlotFromDouble(1.5), true, L"", L""},
        {DigitalDouble, L"0.49", DigitalSlotFromDouble(0.5), DigitalSlotFromDouble(1.5), false, L"0.5",
         L"最小值 Must >= 0.5"},
        {DigitalFloat, L"2", DigitalSlotFromFloat(0.5f), DigitalSlotFromFloat(1.5f), false, L"1.5",
         L"最大值 Must <= 1.5"},
    };
    for (const auto& c : cases) {
        Limits limits;
        ReplaceLimit(limits.mustMin, c.kind, c.min, L"最小值");
        ReplaceLimit(limits.mustMax, c.kind, c.max, L"最大值");
        const ValidationResult result = Validate(c.kind, c.text, limits.View());
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.replacement, c.replacement);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.showTip, !c.ok);
        EXPECT_EQ(result.icon, c.ok ? 0 : kErrorTipIcon);
    }
}

TEST(DigitalLimitsCheck, TheFirstViolatedLimitInListOrderWinsAndLowerLimitsComeFirst) {
    Limits limits;
    AppendLimit(limits.mustMin, DigitalInt32, 3, L"a");
    AppendLimit(limits.mustMin, DigitalInt32, 10, L"b");
    AppendLimit(limits.mustMax, DigitalInt32, 0, L"c");
    ValidationResult result = Validate(DigitalInt32, L"5", limits.View());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, L"b Must >= 10");
    result = Validate(DigitalInt32, L"1", limits.View());
    EXPECT_EQ(result.message, L"a Must >= 3");
    EXPECT_EQ(result.replacement, L"3");

    ReplaceLimit(limits.mustMin, DigitalInt32, 2, L"");
    EXPECT_EQ(limits.mustMin.GetCount(), 1);
    EXPECT_EQ(Validate(DigitalInt32, L"5", limits.View()).message, L"c Must <= 0");
    FreeLimits(limits.mustMax);
    EXPECT_EQ(limits.mustMax.GetCount(), 0);
    EXPECT_TRUE(Validate(DigitalInt32, L"5", limits.View()).ok);
}

TEST(DigitalLimitsCheck, AnAdvisoryLimitWarnsAndKeepsTheValue) {
    const struct {
        const wchar_t* text;
        bool showTip;
        const wchar_t* message;
    } cases[] = {
        {L"2", true, L"建议 Suggest >= 5"},
        {L"50", true, L"建议 Suggest <= 20"},
        {L"10", false, L""},
    };
    for (const auto& c : cases) {
        Limits limits;
        ReplaceLimit(limits.mustMin, DigitalUInt32, 1, L"最小值");
        ReplaceLimit(limits.suggestMin, DigitalUInt32, 5, L"建议");
        ReplaceLimit(limits.suggestMax, DigitalUInt32, 20, L"建议");
        const ValidationResult result = Validate(DigitalUInt32, c.text, limits.View());
        EXPECT_TRUE(result.ok) << testing::PrintToString(std::wstring(c.text));
        EXPECT_TRUE(result.replacement.empty());
        EXPECT_EQ(result.showTip, c.showTip);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.icon, c.showTip ? kWarningTipIcon : 0);
    }
    // A hard violation goes first and says nothing of the advisory one.
    Limits limits;
    ReplaceLimit(limits.mustMin, DigitalUInt32, 1, L"最小值");
    ReplaceLimit(limits.suggestMin, DigitalUInt32, 5, L"建议");
    const ValidationResult result = Validate(DigitalUInt32, L"0", limits.View());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, L"最小值 Must >= 1");
}

TEST(DigitalLimitsCheck, LimitsAreReadAsTheEditsKindAndUnknownKindsSkipThem) {
    Limits limits;
    // Set while the edit was Int32 (-1 in the low half): read as UInt32 it is 4294967295.
    ReplaceLimit(limits.mustMax, DigitalInt32, DigitalSlot(-1), L"max");
    EXPECT_TRUE(Validate(DigitalUInt32, L"70000", limits.View()).ok);
    EXPECT_FALSE(Validate(DigitalInt32, L"0", limits.View()).ok);
    EXPECT_TRUE(Validate(42, L"70000", limits.View()).ok);
}
