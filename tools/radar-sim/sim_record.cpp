#include "sim_record.h"

#include <cerrno>
#include <cstring>

namespace radarsim {

std::string FormatRecordLine(const CommandEvent& event) {
    static const char kHex[] = "0123456789abcdef";
    char word[8];
    std::snprintf(word, sizeof word, "0x%04X", unsigned(event.word));
    std::string line = "{\"t_ms\":" + std::to_string(event.tMs) + ",\"cmd\":\"" + word + "\",\"value\":\"";
    for (uint8_t byte : event.value) {
        line += kHex[byte >> 4];
        line += kHex[byte & 15];
    }
    line += "\",\"status\":";
    line += event.status ? std::to_string(*event.status) : "null";
    line += "}";
    return line;
}

CommandRecord::~CommandRecord() {
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool CommandRecord::OpenFile(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "we");
    if (file == nullptr) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = file;
    return true;
}

void CommandRecord::Add(const CommandEvent& event) {
    m_events.push_back(event);
    if (m_file != nullptr) {
        std::string line = FormatRecordLine(event) + "\n";
        std::fwrite(line.data(), 1, line.size(), m_file);
        std::fflush(m_file);
    }
}

} // namespace radarsim
