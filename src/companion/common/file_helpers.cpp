// The platform-neutral half of the file helpers; file_helpers_posix.cpp and
// file_helpers_win.cpp supply the rest.
#include "file_helpers.h"

#include "file_helpers_os.h"
#include "os_services.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <string>

namespace {

template <class Ch> bool IsSeparator(Ch c) {
#ifdef _WIN32
    return c == Ch('\\') || c == Ch('/');
#else
    return c == Ch('/');
#endif
}

template <class Ch> BOOL CopyOut(const std::basic_string<Ch>& text, Ch* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return FALSE;
    if (text.size() >= size_t(outSize)) {
        out[0] = Ch(0);
        return FALSE;
    }
    std::memcpy(out, text.c_str(), (text.size() + 1) * sizeof(Ch));
    return TRUE;
}

template <class Ch> std::basic_string<Ch> Widen(const char* ascii) {
    std::basic_string<Ch> text;
    for (; *ascii; ++ascii)
        text += Ch(static_cast<unsigned char>(*ascii));
    return text;
}

template <class Ch>
BOOL FileNameByDate(Ch* out, const Ch* extension, const Ch* prefix, const Ch* suffix, int utc,
                    int withMilliseconds, int outSize) {
    std::tm now{};
    int ms = 0;
    os::LocalTimeNow(&now, &ms);
    if (utc) {
        std::time_t seconds = std::time(nullptr);
#ifdef _WIN32
        gmtime_s(&now, &seconds);
#else
        gmtime_r(&seconds, &now);
#endif
    }
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1,
                  now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    if (withMilliseconds)
        std::snprintf(stamp + std::strlen(stamp), 8, "_%03d", ms);
    std::basic_string<Ch> name;
    if (prefix)
        name += prefix;
    name += Widen<Ch>(stamp);
    if (suffix)
        name += suffix;
    if (extension)
        name += extension;
    return CopyOut(name, out, outSize);
}

template <class Ch> BOOL ExtensionOf(const Ch* path, Ch* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return FALSE;
    out[0] = Ch(0);
    if (path == nullptr)
        return FALSE;
    std::basic_string<Ch> text(path);
    size_t component = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSeparator(text[i]))
            component = i + 1;
    }
    size_t dot = text.rfind(Ch('.'));
    if (dot == std::basic_string<Ch>::npos || dot < component || dot + 1 == text.size())
        return FALSE;
    return CopyOut(text.substr(dot + 1), out, outSize);
}

} // namespace

BOOL CombinePathNameA(char* out, const char* folder, const char* name, int outSize) {
    std::string path = folder ? folder : "";
    if (!path.empty() && !IsSeparator(path.back()))
        path += KOVA_PATH_SEPARATOR;
    const char* rest = name ? name : "";
    while (!path.empty() && IsSeparator(*rest))
        ++rest;
    path += rest;
    return CopyOut(path, out, outSize);
}

// Length of the part of a path that names its root ("/", "C:\\", "\\\\server\\share\\").
static size_t RootLength(const std::string& path) {
#ifdef _WIN32
    if (path.size() >= 2 && path[1] == ':')
        return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t server = path.find_first_of("\\/", 2);
        if (server == std::string::npos)
            return path.size();
        size_t share = path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
#endif
    size_t length = 0;
    while (length < path.size() && IsSeparator(path[length]))
        ++length;
    return length;
}

BOOL RecursiveCreateDirectoryA(const char* path) {
    if (path == nullptr || *path == '\0')
        return FALSE;
    std::string text(path);
    size_t root = RootLength(text);
    while (text.size() > root && IsSeparator(text.back()))
        text.pop_back();
    // Create each missing component after the root, nearest to the root first.
    for (size_t i = root + 1; i <= text.size(); ++i) {
        if (i < text.size() && !IsSeparator(text[i]))
            continue;
        std::string part = text.substr(0, i);
        if (IsSeparator(part.back()) || oshelp::IsDirectory(part.c_str()))
            continue;
        if (!oshelp::MakeDirectory(part.c_str()) && !oshelp::IsDirectory(part.c_str()))
            return FALSE;
    }
    return oshelp::IsDirectory(text.c_str()) ? TRUE : FALSE;
}

BOOL GetFileNameByDateA(char* out, const char* extension, const char* prefix, const char* suffix, int utc,
                        int withMilliseconds, int reserved, int outSize) {
    (void)reserved;
    return FileNameByDate(out, extension, prefix, suffix, utc, withMilliseconds, outSize);
}

BOOL GetFileNameByDateW(wchar_t* out, const wchar_t* extension, const wchar_t* prefix, const wchar_t* suffix,
                        int utc, int withMilliseconds, int reserved, int outSize) {
    (void)reserved;
    return FileNameByDate(out, extension, prefix, suffix, utc, withMilliseconds, outSize);
}

int64_t ReadFileDataA(const char* path, unsigned char** data) {
    if (data == nullptr)
        return 0;
    *data = nullptr;
    if (path == nullptr)
        return 0;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return 0;
    std::string content;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || content.empty())
        return 0;
    auto* block = new (std::nothrow) unsigned char[content.size() + 1];
    if (block == nullptr)
        return 0;
    std::memcpy(block, content.data(), content.size());
    block[content.size()] = 0;
    *data = block;
    return int64_t(content.size());
}

void ReleaseFileData(unsigned char* data) {
    delete[] data;
}

BOOL GetFileExtNameA(const char* path, char* out, int outSize) {
    return ExtensionOf(path, out, outSize);
}

BOOL GetFileExtNameW(const wchar_t* path, wchar_t* out, int outSize) {
    return ExtensionOf(path, out, outSize);
}
