#include "file_replace.h"
#include "file_replace_os.h"

#include "os_services.h"

std::string ReplacementTempPath(const char* path) {
    return std::string(path != nullptr ? path : "") + "." + std::to_string(os::CurrentProcessId()) + ".tmp";
}

bool ReplaceFileContents(const char* path, const std::function<bool(std::FILE*)>& write) {
    if (path == nullptr || *path == '\0' || !write || !replaceos::MayReplace(path))
        return false;
    const std::string temporary = ReplacementTempPath(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = write(file);
    ok = ok && std::ferror(file) == 0 && replaceos::FlushToDisk(file);
    ok = std::fclose(file) == 0 && ok;
    ok = ok && replaceos::MoveOver(temporary.c_str(), path);
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

bool PathEntryExists(const char* path) {
    return path != nullptr && *path != '\0' && replaceos::EntryExists(path);
}
