#include "dbg_output.h"

#include "ms_time.h"
#include "os_services.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Registration {
    DbgOutputCallback callback;
    void* context;
};

struct LogState {
    std::mutex mutex; // guards everything below and orders the lines
    std::vector<Registration> callbacks;
    std::string tag;
    bool tagEnabled = false;
    int timeType = DBG_TIME_NONE;
    bool includePidTid = false;
    int minimumLevel = 0;
};

LogState& State() {
    static LogState state;
    return state;
}

void AppendPrefix(const LogState& state, std::string& line) {
    char part[64];
    if (state.timeType == DBG_TIME_LOCAL) {
        std::tm now{};
        int ms = 0;
        os::LocalTimeNow(&now, &ms);
        std::snprintf(part, sizeof part, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", now.tm_year + 1900,
                      now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec, ms);
        line += part;
    } else if (state.timeType == DBG_TIME_TICK) {
        std::snprintf(part, sizeof part, "[%8u] ", MS_GetTime());
        line += part;
    }
    if (state.tagEnabled && !state.tag.empty()) {
        line += '[';
        line += state.tag;
        line += "] ";
    }
    if (state.includePidTid) {
        std::snprintf(part, sizeof part, "[%u:%u] ", os::CurrentProcessId(), os::CurrentThreadId());
        line += part;
    }
}

} // namespace

void DbgOutputVA(int level, const char* format, va_list args) {
    if (format == nullptr)
        return;
    char stackText[1024];
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(stackText, sizeof stackText, format, copy);
    va_end(copy);
    if (length < 0)
        return;
    std::string text;
    if (size_t(length) < sizeof stackText) {
        text.assign(stackText, size_t(length));
    } else {
        text.resize(size_t(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(size_t(length));
    }

    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    if (level < state.minimumLevel)
        return;
    std::string line;
    AppendPrefix(state, line);
    line += text;
    os::DebuggerOutput(line.c_str());
    for (const Registration& r : state.callbacks)
        r.callback(r.context, level, line.data(), static_cast<int>(line.size()));
}

void DbgOutputA(int level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    DbgOutputVA(level, format, args);
    va_end(args);
}

bool DbgOutputAddCallback(DbgOutputCallback callback, void* context) {
    if (callback == nullptr)
        return false;
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    state.callbacks.push_back({callback, context});
    return true;
}

bool DbgOutputDelCallback(DbgOutputCallback callback, void* context) {
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    auto found = std::find_if(state.callbacks.begin(), state.callbacks.end(), [&](const Registration& r) {
        return r.callback == callback && r.context == context;
    });
    if (found == state.callbacks.end())
        return false;
    state.callbacks.erase(found);
    return true;
}

void DbgOutputSetTag(const char* tag, int enabled) {
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    state.tag = tag ? tag : "";
    state.tagEnabled = enabled != 0;
}

void DbgOutputSetTimeType(int timeType) {
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    state.timeType = timeType;
}

void DbgOutputSetIncludePIDTID(int include) {
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    state.includePidTid = include != 0;
}

void DbgOutputSetLevel(int minimumLevel) {
    LogState& state = State();
    std::lock_guard<std::mutex> guard(state.mutex);
    state.minimumLevel = minimumLevel;
}
