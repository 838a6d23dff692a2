// The program's log: one file per start in the Log folder beside the program, fed by every
// DbgOutputA line from any thread.
#pragma once

#include <cstdio>
#include <string>

class LogFile {
public:
    LogFile() = default;
    ~LogFile() { Close(); }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Creates `folder` (with its parents), opens a new "Tevo512Tool_<date-time>.log" in it
    // with other writers kept out, and routes the log lines into it with local time stamps.
    // Without a file the program runs on and the lines go nowhere. Returns whether a file
    // is open.
    bool Open(const std::string& folder);
    // Stops the routing and closes the file.
    void Close();
    const std::string& Path() const { return m_path; }
    bool IsOpen() const { return m_file != nullptr; }

    // The log callback: writes the bytes until all are out or the stream fails; returns how
    // many were written. A null file or no bytes write nothing.
    static int WriteLine(std::FILE* file, const char* bytes, int length);

private:
    static void Callback(void* context, int level, const char* bytes, int length);

    std::FILE* m_file = nullptr;
    bool m_routed = false;
    std::string m_path;
};
