#include "port_names.h"

#include <cwchar>

int PortNumberFromName(const wchar_t* name) {
    if (name == nullptr || std::wcslen(name) < 4)
        return -1;
    long number = 0;
    const wchar_t* digit = name + 3;
    if (*digit < L'0' || *digit > L'9')
        return -1;
    for (; *digit >= L'0' && *digit <= L'9'; ++digit) {
        number = number * 10 + (*digit - L'0');
        if (number > 0x7FFFFFFF)
            return -1;
    }
    return int(number);
}
