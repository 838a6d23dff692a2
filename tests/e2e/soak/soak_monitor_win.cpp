// The program as shipped, plus a thread that tells what the process holds when asked, for the
// soak: it feeds nothing (the reports come from the serial port). Asked by creating
// soak-stats.ask beside the program, it appends one line to soak-stats.txt there and deletes
// the question:
//   handles gdi-objects threads working-set-KiB private-KiB (the committed private bytes)
//   and the handles by type (Event:12 File:3 ...)
#include "in_process_feeder_win.h"
#include "process_counts_win.h"

#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace {

std::wstring BesideProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

void AppendCounts(const std::wstring& file) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    FILE* out = _wfopen(file.c_str(), L"ab"); // "\n" alone: the soak reads it with awk
    if (out == nullptr)
        return;
    std::fprintf(out, "%d %d %d %zu %zu %s\n", HandleCount(), GdiObjectCount(), ThreadCount(),
                 size_t(memory.WorkingSetSize / 1024), size_t(memory.PagefileUsage / 1024),
                 HandleTypes().c_str());
    std::fclose(out);
}

void AnswerWhenAsked(CKOVATevo512ToolDlg&, const std::atomic<bool>& stop) {
    const std::wstring question = BesideProgram(L"soak-stats.ask");
    const std::wstring answers = BesideProgram(L"soak-stats.txt");
    while (!stop) {
        if (GetFileAttributesW(question.c_str()) != INVALID_FILE_ATTRIBUTES) {
            AppendCounts(answers);
            DeleteFileW(question.c_str());
        }
        Sleep(100);
    }
}

InProcessFeederApp g_application(&AnswerWhenAsked);

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
