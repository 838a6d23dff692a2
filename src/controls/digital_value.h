// Numbers of a numeric edit: which kind a text stands for, how a limit of that kind is kept
// in one 64-bit slot, and how it is read, compared and printed.
#pragma once

#include <cstdint>
#include <string>

// The number a numeric edit's text stands for.
enum DigitalValueKind : int32_t {
    DigitalInt32 = 0,
    DigitalUInt32 = 1,
    DigitalInt64 = 2,
    DigitalUInt64 = 3,
    DigitalFloat = 4,
    DigitalDouble = 5,
};

// A limit in the form of its kind: a 32-bit integer in the low half for Int32/UInt32, a
// 64-bit integer for Int64/UInt64, an IEEE single in the low half for Float, an IEEE double
// for Double. An integer literal converts as it is (SetMinimum(0, ...), SetMinimum(-5, ...)).
using DigitalSlot = uint64_t;

DigitalSlot DigitalSlotFromFloat(float value);
DigitalSlot DigitalSlotFromDouble(double value);

namespace controls {

bool IsKnownKind(int kind);
bool IsUnsignedKind(int kind);
bool IsFloatingKind(int kind);

// The slot read as a number of `kind`, widened to a double; false for an unknown kind.
bool SlotToDouble(int kind, DigitalSlot slot, double& value);

// How far a number may pass a limit and still meet it: half a unit for the integer kinds,
// so a limit itself always passes.
double LimitTolerance(int kind);

// Decimals needed to print `x` exactly, 0..10: values without an exact binary form (a Float
// 0.1) give 10.
int DecimalCount(double x);

// The limit as the edit shows it: "%d", "%u", "%lld", "%llu", or fixed-point with
// DecimalCount decimals for Float and Double; empty for an unknown kind.
std::wstring FormatLimitValue(int kind, DigitalSlot slot);

// The text as a number, in the manner of wcstod: leading white space skipped, the longest
// decimal prefix (sign, digits, fraction, exponent) used, 0.0 when there is none. Hexadecimal,
// "inf" and "nan" are not numbers here.
double LeadingNumber(const std::wstring& text);

} // namespace controls
