#pragma once

#include <cstdint>

// Milliseconds from a fixed start, monotonic; wraps after about 49 days like a tick count.
uint32_t MS_GetTime();
