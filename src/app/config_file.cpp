#include "config_file.h"

#include "file_helpers.h"
#include "file_replace.h"

#include <cstdio>
#include <string>

namespace {
// Whether there is nothing at `path` to lose: no entry at all, or an empty file.
bool NothingToLose(const char* path) {
    if (!PathEntryExists(path))
        return true;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    bool empty = std::fgetc(file) == EOF && std::ferror(file) == 0;
    std::fclose(file);
    return empty;
}

// An earlier copy is replaced only by a complete one.
bool WriteCopy(const std::string& path, const unsigned char* data, int64_t size) {
    return ReplaceFileContents(path.c_str(), [&](std::FILE* file) {
        return std::fwrite(data, 1, size_t(size), file) == size_t(size);
    });
}
} // namespace

XMLNode FindAppConfig(const XMLParser& document) {
    return document.Document().FindChild("AppConfig");
}

ConfigLoadResult LoadConfigFile(XMLParser& document, const char* path) {
    ConfigLoadResult result;
    unsigned char* data = nullptr;
    int64_t size = ReadFileDataA(path, &data);
    if (data != nullptr) {
        result.fileRead = true;
        result.parsed = document.LoadBuffer(data, size_t(size));
        if (!result.parsed) {
            result.backedUp = WriteCopy(std::string(path) + ".bak", data, size);
            // Without a copy the file is the only place its unparsed part is kept.
            if (!result.backedUp)
                document.BlockSaving();
        }
        ReleaseFileData(data);
    } else if (!NothingToLose(path)) {
        result.unreadable = true;
        document.BlockSaving();
    }
    if (FindAppConfig(document).IsNull()) {
        document.Document().AppendChild("AppConfig");
        result.rootCreated = true;
        result.saved = document.SaveFile(path);
    }
    return result;
}
