#include "os_services.h"
#include "win_types.h"

namespace os {
uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

uint32_t CurrentThreadId() {
    return GetCurrentThreadId();
}

void LocalTimeNow(std::tm* out, int* milliseconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    *out = std::tm{};
    out->tm_year = now.wYear - 1900;
    out->tm_mon = now.wMonth - 1;
    out->tm_mday = now.wDay;
    out->tm_hour = now.wHour;
    out->tm_min = now.wMinute;
    out->tm_sec = now.wSecond;
    out->tm_wday = now.wDayOfWeek;
    *milliseconds = now.wMilliseconds;
}

void DebuggerOutput(const char* line) {
    if (IsDebuggerPresent())
        OutputDebugStringA(line);
}
} // namespace os
