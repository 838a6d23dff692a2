#include "file_helpers.h"
#include "file_helpers_os.h"

#include <cstdio>
#include <share.h>
#include <cstring>
#include <string>
#include <vector>

namespace oshelp {
bool IsDirectory(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0;
}
} // namespace oshelp

BOOL GetProgramPathA(DWORD processId, char* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return FALSE;
    out[0] = '\0';
    char path[32768];
    DWORD length = 0;
    if (processId == 0 || processId == GetCurrentProcessId()) {
        length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length >= sizeof path)
            length = 0;
    } else {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (process == nullptr)
            return FALSE;
        length = sizeof path;
        if (!QueryFullProcessImageNameA(process, 0, path, &length))
            length = 0;
        CloseHandle(process);
    }
    if (length == 0)
        return FALSE;
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    if (slash == std::string::npos)
        return FALSE;
    folder.resize(slash);
    if (folder.size() >= size_t(outSize))
        return FALSE;
    std::memcpy(out, folder.c_str(), folder.size() + 1);
    return TRUE;
}

BOOL GetFileVersionW(const wchar_t* path, wchar_t* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return FALSE;
    out[0] = L'\0';
    if (path == nullptr)
        return FALSE;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return FALSE;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data()))
        return FALSE;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO))
        return FALSE;
    wchar_t text[64];
    std::swprintf(text, 64, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    if (std::wcslen(text) >= size_t(outSize))
        return FALSE;
    std::wcscpy(out, text);
    return TRUE;
}

BOOL IsFileExistW(const wchar_t* path) {
    if (path == nullptr || *path == L'\0')
        return FALSE;
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::FILE* OpenFileDenyWrite(const char* path, const char* mode) {
    return path && mode ? _fsopen(path, mode, _SH_DENYWR) : nullptr;
}
