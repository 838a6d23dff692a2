#include "app_document.h"

#include "file_helpers.h"

namespace {
XMLParser g_appConfig; // made before start-up runs, destroyed at exit
} // namespace

XMLParser& AppConfigDocument() {
    return g_appConfig;
}

std::string ProgramFolder() {
    char folder[MAX_PATH];
    return GetProgramPathA(0, folder) ? folder : ".";
}

std::string ProgramFile(const char* relativeName) {
    char path[MAX_PATH];
    return CombinePathNameA(path, ProgramFolder().c_str(), relativeName) ? path : relativeName;
}

std::string AppConfigPath() {
    return ProgramFile("appConfig.xml");
}

std::string LogFolder() {
    return ProgramFile("Log");
}
