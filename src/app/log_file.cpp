#include "log_file.h"

#include "dbg_output.h"
#include "file_helpers.h"

int LogFile::WriteLine(std::FILE* file, const char* bytes, int length) {
    if (file == nullptr || bytes == nullptr || length <= 0)
        return 0;
    size_t written = 0;
    while (written < size_t(length)) {
        size_t now = std::fwrite(bytes + written, 1, size_t(length) - written, file);
        if (now == 0)
            break;
        written += now;
    }
    // Each line reaches the file at once: a log that stops with the program would lose the
    // lines that explain why it stopped.
    std::fflush(file);
    return int(written);
}

void LogFile::Callback(void* context, int, const char* bytes, int length) {
    WriteLine(static_cast<std::FILE*>(context), bytes, length);
}

bool LogFile::Open(const std::string& folder) {
    Close();
    RecursiveCreateDirectoryA(folder.c_str());
    char name[MAX_PATH];
    char path[MAX_PATH];
    if (GetFileNameByDateA(name, ".log", "Tevo512Tool_", "", 0, 1, 0) &&
        CombinePathNameA(path, folder.c_str(), name)) {
        m_file = OpenFileDenyWrite(path, "wb");
        if (m_file != nullptr)
            m_path = path;
    }
    m_routed = DbgOutputAddCallback(Callback, m_file);
    DbgOutputSetTag(nullptr, 0);
    DbgOutputSetTimeType(DBG_TIME_LOCAL);
    DbgOutputSetIncludePIDTID(0);
    return m_file != nullptr;
}

void LogFile::Close() {
    if (m_routed)
        DbgOutputDelCallback(Callback, m_file);
    m_routed = false;
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_path.clear();
}
