// ping: how quickly the dialog answers, measured the way a user's click would wait on it.
#include "commands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

constexpr UINT kGiveUpMs = 10000;
constexpr double kSlowMs = 100.0;

double NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return double(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / perMs;
}

} // namespace

// ping SECONDS [INTERVAL_MS] [STOP-FILE]: sends WM_NULL every interval (default 100 ms) until
// SECONDS have passed, the dialog is gone or STOP-FILE exists (before closing the program, whose
// window stops answering while it ends); prints each slow answer on stderr and then "pings=N max_ms=X
// p99_ms=Y slow=K" (K: answers over 100 ms, or none at all). Fails only when there was no dialog to begin
// with.
int Ping(const Args& args) {
    HWND dialog = Dialog();
    const double seconds = ParseInt(args[0], "seconds");
    const DWORD interval = TimeoutArg(args, 1, 100);
    std::vector<double> answers;
    int slow = 0;
    const double start = NowMs();
    const double end = start + seconds * 1000.0;
    const std::wstring stopFile = args.size() > 2 ? args[2] : std::wstring();
    auto stopAsked = [&] {
        return !stopFile.empty() && GetFileAttributesW(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    while (NowMs() < end && IsWindow(dialog) && !stopAsked()) {
        const double sent = NowMs();
        DWORD_PTR result = 0;
        const bool answered =
            SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &result) != 0;
        const double took = answered ? NowMs() - sent : double(kGiveUpMs);
        answers.push_back(took);
        if (took > kSlowMs) {
            ++slow;
            std::fprintf(stderr, "ping: %.1f ms at %.3f s\n", took, (sent - start) / 1000.0);
        }
        Sleep(interval);
    }
    std::sort(answers.begin(), answers.end());
    const double max = answers.empty() ? 0.0 : answers.back();
    const double p99 = answers.empty() ? 0.0 : answers[answers.size() * 99 / 100];
    char line[128];
    std::snprintf(line, sizeof line, "pings=%zu max_ms=%.1f p99_ms=%.1f slow=%d", answers.size(), max, p99,
                  slow);
    PrintLine(line);
    return 0;
}

} // namespace e2e
