#include "file_replace_os.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace replaceos {

bool MayReplace(const char* path) {
    if (access(path, F_OK) != 0)
        return errno == ENOENT;
    return access(path, W_OK) == 0;
}

bool FlushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool MoveOver(const char* temporary, const char* path) {
    struct stat old {};
    if (stat(path, &old) == 0 && chmod(temporary, old.st_mode & 07777) != 0)
        return false;
    if (rename(temporary, path) != 0)
        return false;
    // The new name is on the disk too once the folder is; a failure here changes nothing
    // about the replacement that has happened.
    std::string folder(path);
    size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
    return true;
}

bool EntryExists(const char* path) {
    struct stat info {};
    return lstat(path, &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

} // namespace replaceos
