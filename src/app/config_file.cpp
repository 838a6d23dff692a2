#include "config_file.h"

#include "file_helpers.h"

#include <cstdio>
#include <string>

namespace {
bool WriteCopy(const std::string& path, const unsigned char* data, int64_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(data, 1, size_t(size), file) == size_t(size);
    return std::fclose(file) == 0 && ok;
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
        if (!result.parsed)
            result.backedUp = WriteCopy(std::string(path) + ".bak", data, size);
        ReleaseFileData(data);
    }
    if (FindAppConfig(document).IsNull()) {
        document.Document().AppendChild("AppConfig");
        result.rootCreated = true;
        result.saved = document.SaveFile(path);
    }
    return result;
}
