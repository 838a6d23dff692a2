#include "number_parse.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Sign and magnitude of an integer text; false when it is not one or exceeds 2^32.
bool ParseInteger(std::string_view text, bool& negative, uint64_t& magnitude) {
    negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    magnitude = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(digit);
        if (magnitude > (uint64_t(1) << 32))
            return false;
    }
    return true;
}

bool ParseDouble(std::string_view text, double& value) {
    bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    // from_chars would also take "inf" and "nan", and a '-' after our '+'; a setting is a
    // plain decimal number with at most one sign.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) ||
                          (text.front() == '-' && !plus) || text.front() == '.'))
        return false;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
}

} // namespace

int DigitalValueSize(int type) {
    switch (type) {
    case DIGITAL_TYPE_UINT16:
        return 2;
    case DIGITAL_TYPE_INT32:
    case DIGITAL_TYPE_COLOR32:
        return 4;
    case DIGITAL_TYPE_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

BOOL DigtalStringToValue(const char* text, int length, void* destination, int type) {
    if (text == nullptr || destination == nullptr || DigitalValueSize(type) == 0)
        return FALSE;
    size_t size = length < 0 ? std::strlen(text) : size_t(length);
    std::string_view trimmed = Trim(std::string_view(text, size));

    if (type == DIGITAL_TYPE_DOUBLE) {
        double value = 0;
        if (!ParseDouble(trimmed, value))
            return FALSE;
        std::memcpy(destination, &value, sizeof value);
        return TRUE;
    }

    bool negative = false;
    uint64_t magnitude = 0;
    if (!ParseInteger(trimmed, negative, magnitude))
        return FALSE;
    if (type == DIGITAL_TYPE_UINT16) {
        if (magnitude > 0xFFFF || (negative && magnitude != 0))
            return FALSE;
        uint16_t value = static_cast<uint16_t>(magnitude);
        std::memcpy(destination, &value, sizeof value);
        return TRUE;
    }
    if (negative ? magnitude > 0x80000000ull : magnitude > 0xFFFFFFFFull)
        return FALSE;
    uint32_t value = negative ? uint32_t(0u - uint32_t(magnitude)) : uint32_t(magnitude);
    std::memcpy(destination, &value, sizeof value);
    return TRUE;
}

int ParseDigitalArrayValue(const char* text, int length, const char* separators, int separatorCount,
                           int flags, int type, void* destination, int capacity) {
    (void)flags;
    int elementSize = DigitalValueSize(type);
    if (text == nullptr || destination == nullptr || elementSize == 0 || capacity <= 0)
        return 0;
    std::string_view all(text, length < 0 ? std::strlen(text) : size_t(length));
    std::string_view separatorSet;
    if (separators != nullptr && separatorCount > 0)
        separatorSet = std::string_view(separators, size_t(separatorCount));

    auto* entries = static_cast<unsigned char*>(destination);
    int written = 0;
    int index = 0;
    size_t start = 0;
    while (index < capacity) {
        size_t end = separatorSet.empty() ? std::string_view::npos : all.find_first_of(separatorSet, start);
        std::string_view piece =
            all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (DigtalStringToValue(piece.data(), int(piece.size()),
                                entries + size_t(index) * size_t(elementSize), type))
            ++written;
        ++index;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return written;
}
