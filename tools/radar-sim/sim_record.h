// The command record: every command frame the module received, one JSON object per line:
//   {"t_ms":1234,"cmd":"0x0061","value":"","status":0}
// t_ms counts from the start, value is the bytes after the command word in lower-case hex,
// and status is null when the module did not answer (outside command mode, or a fault).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace radarsim {

struct CommandEvent {
    uint64_t tMs = 0;
    uint16_t word = 0;
    std::vector<uint8_t> value;
    std::optional<uint16_t> status; // none: not answered

    bool operator==(const CommandEvent&) const = default;
};

// One line of the record, without its line feed.
std::string FormatRecordLine(const CommandEvent& event);

// Keeps the events and, when a file is open, writes each as a line at once (flushed), so
// a test may read the file while the simulator runs. Not thread-safe by itself.
class CommandRecord {
public:
    CommandRecord() = default;
    ~CommandRecord();
    CommandRecord(const CommandRecord&) = delete;
    CommandRecord& operator=(const CommandRecord&) = delete;

    // Creates (or empties) the file; false with the system's reason.
    bool OpenFile(const std::string& path, std::string& error);
    void Add(const CommandEvent& event);
    const std::vector<CommandEvent>& Events() const { return m_events; }

private:
    std::vector<CommandEvent> m_events;
    std::FILE* m_file = nullptr;
};

} // namespace radarsim
