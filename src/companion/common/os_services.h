// The handful of operating-system facts the portable code needs; one implementation per OS.
#pragma once

#include <cstdint>
#include <ctime>

namespace os {
uint32_t CurrentProcessId();
uint32_t CurrentThreadId();
// Local calendar time now, with milliseconds.
void LocalTimeNow(std::tm* out, int* milliseconds);
// Hands a finished log line to the system debugger channel, if there is one.
void DebuggerOutput(const char* line);
} // namespace os
