// live-watch: what bench/live-path.sh needs seen from inside Wine, in another process than the
// program: when its window shows, what its distance readout says and when, and a close. Every
// time is wall-clock microseconds since 1970 (GetSystemTimePreciseAsFileTime, which Wine takes
// from the Linux realtime clock), so the harness can set them against the simulator's log.
//   live-watch clock COUNT                  COUNT readings 20 ms apart, one a line
//   live-watch window CLASS MS              prints "watching", then the time a visible window
//                                           of CLASS is there (exit 1 after MS without one)
//   live-watch readout CLASS ID SECONDS FILE  polls control ID's text with WM_GETTEXT about
//                                           every millisecond; FILE gets "seen T0 T1 TEXT" per
//                                           change (read between T0 and T1) and "poll T0 T1" per poll
//   live-watch close CLASS                  posts WM_CLOSE; prints the time it was posted
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

uint64_t NowUs() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const uint64_t ticks = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000ull) / 10; // 100 ns since 1601 to us since 1970
}

void PrintTime(uint64_t us) {
    std::printf("%llu\n", static_cast<unsigned long long>(us));
    std::fflush(stdout);
}

HWND VisibleWindow(const wchar_t* windowClass) {
    HWND window = FindWindowW(windowClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

int Clock(int count) {
    for (int i = 0; i < count; ++i) {
        PrintTime(NowUs());
        Sleep(20);
    }
    return 0;
}

int Window(const wchar_t* windowClass, int timeoutMs) {
    std::printf("watching\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + ULONGLONG(timeoutMs);
    while (VisibleWindow(windowClass) == nullptr) {
        if (GetTickCount64() > end)
            return 1;
        Sleep(1);
    }
    PrintTime(NowUs());
    return 0;
}

int Readout(const wchar_t* windowClass, int id, int seconds, const wchar_t* path) {
    HWND window = VisibleWindow(windowClass);
    HWND control = window != nullptr ? GetDlgItem(window, id) : nullptr;
    if (control == nullptr) {
        std::fprintf(stderr, "live-watch: no control %d in a visible window\n", id);
        return 1;
    }
    struct Poll {
        uint64_t before, after;
        bool changed;
        std::wstring text;
    };
    std::vector<Poll> polls;
    polls.reserve(size_t(seconds) * 2000);
    std::wstring last = L"\x1";
    const uint64_t end = NowUs() + uint64_t(seconds) * 1000000;
    for (uint64_t before = NowUs(); before < end; before = NowUs()) {
        wchar_t text[64] = L"";
        DWORD_PTR copied = 0;
        // The round trip through the program's GUI thread is what is timed: a busy dialog
        // answers late, one that hangs is given up after a second.
        if (!SendMessageTimeoutW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000,
                                 &copied))
            text[0] = L'\0';
        const uint64_t after = NowUs();
        const bool changed = last != text;
        if (changed)
            last = text;
        polls.push_back({before, after, changed, changed ? last : std::wstring()});
        Sleep(1);
    }
    FILE* out = _wfopen(path, L"w");
    if (out == nullptr)
        return 1;
    for (const Poll& poll : polls) {
        if (poll.changed) {
            std::fprintf(out, "seen %llu %llu %ls\n", static_cast<unsigned long long>(poll.before),
                         static_cast<unsigned long long>(poll.after), poll.text.c_str());
        }
        std::fprintf(out, "poll %llu %llu\n", static_cast<unsigned long long>(poll.before),
                     static_cast<unsigned long long>(poll.after));
    }
    std::fclose(out);
    return 0;
}

int Close(const wchar_t* windowClass) {
    HWND window = FindWindowW(windowClass, nullptr);
    if (window == nullptr)
        return 1;
    const uint64_t at = NowUs();
    PostMessageW(window, WM_CLOSE, 0, 0);
    PrintTime(at);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"clock" && argc == 3)
        return Clock(_wtoi(argv[2]));
    if (command == L"window" && argc == 4)
        return Window(argv[2], _wtoi(argv[3]));
    if (command == L"readout" && argc == 6)
        return Readout(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), argv[5]);
    if (command == L"close" && argc == 3)
        return Close(argv[2]);
    std::fputs(
        "usage: live-watch clock COUNT | window CLASS MS | readout CLASS ID SECONDS FILE | close CLASS\n",
        stderr);
    return 2;
}
