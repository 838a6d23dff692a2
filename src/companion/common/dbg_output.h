// Process-wide logging. Each call of DbgOutputA makes one line (prefix + formatted text)
// and hands it whole to every registered callback; lines from different threads never
// interleave, and once DbgOutputDelCallback has returned its callback is not called again.
#pragma once

#include <cstdarg>

// context: as registered; level: the line's level; bytes/length: the line, not terminated.
typedef void (*DbgOutputCallback)(void* context, int level, const char* bytes, int length);

enum DbgOutputTimeType {
    DBG_TIME_NONE = 0,
    DBG_TIME_LOCAL = 1, // "2026-12-09 22:20:30.123 "
    DBG_TIME_TICK = 2,  // "[  123456] " milliseconds of MS_GetTime
};

#if defined(__GNUC__)
#define KOVA_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KOVA_PRINTF_FORMAT(fmt, args)
#endif

// Lines below the minimum level (0 by default) are dropped.
void DbgOutputA(int level, const char* format, ...) KOVA_PRINTF_FORMAT(2, 3);
void DbgOutputVA(int level, const char* format, va_list args);

bool DbgOutputAddCallback(DbgOutputCallback callback, void* context);
bool DbgOutputDelCallback(DbgOutputCallback callback, void* context);

// A tag printed in brackets before each line when `enabled` is nonzero and `tag` not empty.
void DbgOutputSetTag(const char* tag, int enabled);
void DbgOutputSetTimeType(int timeType);
void DbgOutputSetIncludePIDTID(int include);
void DbgOutputSetLevel(int minimumLevel);
