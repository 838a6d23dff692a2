#include "os_services.h"

#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

namespace os {
uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(getpid());
}

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(syscall(SYS_gettid));
}

void LocalTimeNow(std::tm* out, int* milliseconds) {
    timeval now{};
    gettimeofday(&now, nullptr);
    time_t seconds = now.tv_sec;
    localtime_r(&seconds, out);
    *milliseconds = static_cast<int>(now.tv_usec / 1000);
}

void DebuggerOutput(const char*) {}
} // namespace os
