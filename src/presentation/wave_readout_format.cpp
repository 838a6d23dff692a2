#include "wave_readout_format.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

enum class Conversion { Integer, Floating, Invalid };

// Reads up to three digits; false when there are more.
bool SkipNumber(const char*& p) {
    int digits = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        ++p;
        if (++digits > 3)
            return false;
    }
    return true;
}

// Reads one conversion after its '%'.
Conversion ReadConversion(const char*& p) {
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr)
        ++p;
    if (!SkipNumber(p))
        return Conversion::Invalid;
    if (*p == '.') {
        ++p;
        if (!SkipNumber(p))
            return Conversion::Invalid;
    }
    const char c = *p;
    if (c == '\0')
        return Conversion::Invalid;
    ++p;
    if (std::strchr("diuoxX", c) != nullptr)
        return Conversion::Integer;
    if (std::strchr("fFeEgGaA", c) != nullptr)
        return Conversion::Floating;
    return Conversion::Invalid;
}

} // namespace

bool FormatReadout(const std::string& format, int sample, double value, std::string* out) {
    if (out == nullptr || std::strlen(format.c_str()) != format.size())
        return false;
    int integers = 0, floats = 0;
    for (const char* p = format.c_str(); *p != '\0';) {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        switch (ReadConversion(p)) {
        case Conversion::Integer:
            if (integers > 0 || floats > 0)
                return false; // the sample number comes first, once
            ++integers;
            break;
        case Conversion::Floating:
            if (floats > 0)
                return false;
            ++floats;
            break;
        case Conversion::Invalid:
            return false;
        }
    }

    auto print = [&](char* buffer, size_t size) {
        if (integers > 0 && floats > 0)
            return std::snprintf(buffer, size, format.c_str(), sample, value);
        if (integers > 0)
            return std::snprintf(buffer, size, format.c_str(), sample);
        if (floats > 0)
            return std::snprintf(buffer, size, format.c_str(), value);
        return std::snprintf(buffer, size, format.c_str(), 0); // only "%%" to undo
    };
    const int length = print(nullptr, 0);
    if (length < 0)
        return false;
    std::string text(size_t(length) + 1, '\0');
    print(text.data(), text.size());
    text.resize(size_t(length));
    *out = std::move(text);
    return true;
}
