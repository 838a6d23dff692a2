// Output, argument parsing and waiting for the driver's subcommands.
#include "driver.h"

#include <cstdio>
#include <cwchar>

namespace e2e {

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "e2e-driver: %s\n", message.c_str());
    std::fflush(stderr);
    ExitProcess(1);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return text;
}

void Print(const std::string& utf8) {
    // Raw bytes: the console code page must not touch UTF-8 text on its way to a pipe.
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void PrintLine(const std::string& utf8) {
    Print(utf8 + "\n");
}

int ParseInt(const std::wstring& text, const char* what) {
    wchar_t* end = nullptr;
    long value = std::wcstol(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0')
        Fail(std::string("not a number for ") + what + ": " + Utf8(text));
    return int(value);
}

DWORD TimeoutArg(const Args& args, size_t index, DWORD fallback) {
    if (args.size() <= index)
        return fallback;
    int ms = ParseInt(args[index], "a time-out in ms");
    if (ms < 0)
        Fail("negative time-out");
    return DWORD(ms);
}

bool WaitFor(DWORD ms, const std::function<bool()>& condition) {
    ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
}

} // namespace e2e
