#include "digital_value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

DigitalSlot DigitalSlotFromFloat(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return DigitalSlot(bits);
}

DigitalSlot DigitalSlotFromDouble(double value) {
    DigitalSlot bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

namespace controls {

bool IsKnownKind(int kind) {
    return kind >= DigitalInt32 && kind <= DigitalDouble;
}

bool IsUnsignedKind(int kind) {
    return kind == DigitalUInt32 || kind == DigitalUInt64;
}

bool IsFloatingKind(int kind) {
    return kind == DigitalFloat || kind == DigitalDouble;
}

bool SlotToDouble(int kind, DigitalSlot slot, double& value) {
    switch (kind) {
    case DigitalInt32:
        value = double(int32_t(uint32_t(slot)));
        return true;
    case DigitalUInt32:
        value = double(uint32_t(slot));
        return true;
    case DigitalInt64:
        value = double(int64_t(slot));
        return true;
    case DigitalUInt64:
        value = double(slot);
        return true;
    case DigitalFloat: {
        const uint32_t bits = uint32_t(slot);
        float single = 0;
        std::memcpy(&single, &bits, sizeof single);
        value = double(single);
        return true;
    }
    case DigitalDouble:
        std::memcpy(&value, &slot, sizeof value);
        return true;
    default:
        return false;
    }
}

double LimitTolerance(int kind) {
    return IsFloatingKind(kind) ? 1e-16 : 0.5;
}

int DecimalCount(double x) {
    // std::trunc rather than a cast through a 32-bit integer: a limit beyond its range
    // (a Double of 1e12) would make that cast undefined.
    const double smallest = 1 / std::pow(10.0, 10);
    int i = 0;
    for (;;) {
        x = std::fabs(x - std::trunc(x));
        if (x < smallest)
            return i;
        ++i;
        if (i >= 10)
            return i;
        x *= 10;
    }
}

namespace {

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// printf of one value into a string as long as it needs (a Double of 1e300 with ten
// decimals runs past 300 characters).
template <typename T> std::string Printed(const char* format, T value) {
    const int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(size_t(length));
    return text;
}

} // namespace

std::wstring FormatLimitValue(int kind, DigitalSlot slot) {
    switch (kind) {
    case DigitalInt32:
        return Widen(Printed("%d", int(int32_t(uint32_t(slot)))));
    case DigitalUInt32:
        return Widen(Printed("%u", unsigned(uint32_t(slot))));
    case DigitalInt64:
        return Widen(Printed("%lld", static_cast<long long>(int64_t(slot))));
    case DigitalUInt64:
        return Widen(Printed("%llu", static_cast<unsigned long long>(slot)));
    case DigitalFloat:
    case DigitalDouble: {
        double value = 0;
        SlotToDouble(kind, slot, value);
        const std::string format = Printed("%%.%df", DecimalCount(value));
        return Widen(Printed(format.c_str(), value));
    }
    default:
        return {};
    }
}

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// A decimal that from_chars could not hold: infinite when its magnitude is at least 1,
// zero otherwise. `digits` holds the mantissa without its sign.
double OutOfRange(const std::string& digits, bool negative) {
    long long exponent = 0;
    const size_t e = digits.find_first_of("eE");
    if (e != std::string::npos) {
        const char* first = digits.c_str() + e + 1;
        const bool minus = *first == '-';
        if (*first == '+' || *first == '-')
            ++first;
        for (; *first >= '0' && *first <= '9' && exponent < 100000; ++first)
            exponent = exponent * 10 + (*first - '0');
        if (minus)
            exponent = -exponent;
    }
    // The position of the first significant digit relative to the decimal point.
    const std::string mantissa = digits.substr(0, e);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0;
    const long long magnitude = first < point ? (long long)(point - first) : -(long long)(first - point) + 1;
    const double value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

double LeadingNumber(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    // Digits, an optional fraction, and an exponent only when digits follow it.
    std::string number;
    size_t mantissaDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits)
        number += char(text[i]);
    if (i < text.size() && text[i] == L'.') {
        number += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits)
            number += char(text[i]);
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            exponent += char(text[j++]);
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                exponent += char(text[j]);
            number += exponent;
        }
    }
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return OutOfRange(number, negative);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

} // namespace controls
