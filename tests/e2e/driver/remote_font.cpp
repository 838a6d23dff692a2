// Wine answers WM_GETFONT from another process with nothing, and a font handle would be of no use
// outside its process anyway. So a few instructions run in the program's process, on a thread of
// their own: SendMessageW(control, WM_GETFONT) and GetObjectW into a LOGFONTW there.
#include "remote_font.h"

#include "driver.h"
#include "remote_buffer.h"

#include <tlhelp32.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace e2e {
namespace {

constexpr DWORD kRunMs = 5000;

// Where a function of a system library is in the other process: the same offset from the
// library's base there as here.
uint64_t RemoteAddress(DWORD pid, const wchar_t* library, const char* function) {
    HMODULE local = GetModuleHandleW(library);
    FARPROC address = local != nullptr ? GetProcAddress(local, function) : nullptr;
    if (address == nullptr)
        return 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    uint64_t remote = 0;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        if (_wcsicmp(module.szModule, library) == 0) {
            remote = uint64_t(uintptr_t(module.modBaseAddr)) +
                     (uint64_t(uintptr_t(address)) - uint64_t(uintptr_t(local)));
            break;
        }
    CloseHandle(snapshot);
    return remote;
}

void Append(std::vector<uint8_t>& code, std::initializer_list<uint8_t> bytes) {
    code.insert(code.end(), bytes);
}

void Append64(std::vector<uint8_t>& code, uint64_t value) {
    for (int i = 0; i < 8; ++i)
        code.push_back(uint8_t(value >> (8 * i)));
}

// x86-64: GetObjectW(SendMessageW(control, WM_GETFONT, 0, 0), sizeof(LOGFONTW), out); return.
std::vector<uint8_t> Code(HWND control, uint64_t sendMessage, uint64_t getObject, uint64_t out) {
    std::vector<uint8_t> code;
    Append(code, {0x48, 0x83, 0xEC, 0x28}); // sub rsp, 40: shadow space, stack aligned
    Append(code, {0x48, 0xB9});             // mov rcx, control
    Append64(code, uint64_t(uintptr_t(control)));
    Append(code, {0xBA, WM_GETFONT, 0, 0, 0}); // mov edx, WM_GETFONT
    Append(code, {0x4D, 0x31, 0xC0});          // xor r8, r8
    Append(code, {0x4D, 0x31, 0xC9});          // xor r9, r9
    Append(code, {0x48, 0xB8});                // mov rax, SendMessageW
    Append64(code, sendMessage);
    Append(code, {0xFF, 0xD0});                               // call rax
    Append(code, {0x48, 0x89, 0xC1});                         // mov rcx, rax
    Append(code, {0xBA, uint8_t(sizeof(LOGFONTW)), 0, 0, 0}); // mov edx, sizeof(LOGFONTW)
    Append(code, {0x49, 0xB8});                               // mov r8, out
    Append64(code, out);
    Append(code, {0x48, 0xB8}); // mov rax, GetObjectW
    Append64(code, getObject);
    Append(code, {0xFF, 0xD0});             // call rax
    Append(code, {0x48, 0x83, 0xC4, 0x28}); // add rsp, 40
    Append(code, {0xC3});                   // ret
    return code;
}

} // namespace

bool RemoteFont(HWND control, LOGFONTW& font) {
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    LoadLibraryW(L"gdi32.dll");
    uint64_t sendMessage = RemoteAddress(pid, L"user32.dll", "SendMessageW");
    uint64_t getObject = RemoteAddress(pid, L"gdi32.dll", "GetObjectW");
    if (sendMessage == 0 || getObject == 0)
        return false;
    constexpr size_t kCodeOffset = 128; // the LOGFONTW comes first
    RemoteBuffer remote(control, 512, PAGE_EXECUTE_READWRITE);
    std::vector<uint8_t> code = Code(control, sendMessage, getObject, uint64_t(uintptr_t(remote.Address())));
    remote.Write(kCodeOffset, code.data(), code.size());
    FlushInstructionCache(remote.Process(), remote.Address() + kCodeOffset, code.size());
    HANDLE thread = CreateRemoteThread(
        remote.Process(), nullptr, 0,
        reinterpret_cast<LPTHREAD_START_ROUTINE>(remote.Address() + kCodeOffset), nullptr, 0, nullptr);
    if (thread == nullptr)
        return false;
    DWORD copied = 0;
    bool finished =
        WaitForSingleObject(thread, kRunMs) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &copied);
    CloseHandle(thread);
    if (!finished)
        Fail("the program did not answer the question for a font"); // its memory must stay
    if (copied != sizeof(LOGFONTW))
        return false;
    remote.Read(0, &font, sizeof font);
    return true;
}

} // namespace e2e
