#include "file_helpers.h"
#include "file_helpers_os.h"

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace oshelp {
bool IsDirectory(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const char* path) {
    return mkdir(path, 0777) == 0;
}
} // namespace oshelp

namespace {
std::string Utf8FromWide(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) {
        auto c = static_cast<uint32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}
} // namespace

BOOL GetProgramPathA(DWORD processId, char* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return FALSE;
    out[0] = '\0';
    std::string link = processId == 0 ? "/proc/self/exe" : "/proc/" + std::to_string(processId) + "/exe";
    char target[4096];
    ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return FALSE;
    std::string path(target, size_t(length));
    size_t slash = path.rfind('/');
    path = slash == 0 ? "/" : path.substr(0, slash);
    if (path.size() >= size_t(outSize))
        return FALSE;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return TRUE;
}

BOOL GetFileVersionW(const wchar_t* path, wchar_t* out, int outSize) {
    (void)path;
    if (out != nullptr && outSize > 0)
        out[0] = L'\0';
    return FALSE;
}

BOOL IsFileExistW(const wchar_t* path) {
    if (path == nullptr || *path == L'\0')
        return FALSE;
    struct stat info {};
    return stat(Utf8FromWide(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::FILE* OpenFileDenyWrite(const char* path, const char* mode) {
    return path && mode ? std::fopen(path, mode) : nullptr;
}
