#include "process_counts_win.h"

#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <map>

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// Wine's handles are small multiples of 4 that can be asked one by one.
int HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return int(count);
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x40000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    return int(count);
}

// Wine's GDI handle table takes a bare index.
int GdiObjectCount() {
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return int(counted);
    int live = 0;
    for (uintptr_t slot = 1; slot < 0x10000; ++slot)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

std::string HandleTypes() {
    std::map<std::wstring, int> types;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x40000; value += 4) {
        HANDLE handle = reinterpret_cast<HANDLE>(value);
        if (!GetHandleInformation(handle, &flags))
            continue;
        alignas(8) unsigned char buffer[512] = {};
        ULONG size = 0;
        std::wstring name = L"?";
        if (NtQueryObject(handle, ObjectTypeInformation, buffer, sizeof buffer, &size) >= 0) {
            const auto* info = reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer);
            name.assign(info->TypeName.Buffer, info->TypeName.Length / sizeof(wchar_t));
        }
        ++types[name];
    }
    std::string text;
    for (const auto& [name, count] : types) {
        if (!text.empty())
            text += ' ';
        text += std::string(name.begin(), name.end()) + ':' + std::to_string(count);
    }
    return text;
}
