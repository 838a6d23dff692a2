// The module's serial command protocol, shared by the device library and the simulator.
//
// Command frame (host to module): FD FC FB FA, length n (u16 LE, = 2 + value bytes),
// command word (u16 LE), value (n - 2 bytes), 04 03 02 01.
// Acknowledgement (module to host): same header and tail; data = command word | 0x0100,
// status (u16, 0 success, 1 failure), then the returned value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace radar {

inline constexpr uint8_t kCommandHeader[4] = {0xFD, 0xFC, 0xFB, 0xFA};
inline constexpr uint8_t kCommandTail[4] = {0x04, 0x03, 0x02, 0x01};
inline constexpr size_t kCommandOverhead = 10; // header, length, tail
inline constexpr uint16_t kAckFlag = 0x0100;
// No command or acknowledgement carries more data than this (a 256-gate parameter read is
// 524 bytes); a header that declares more is garbage, not a frame to wait for.
inline constexpr uint16_t kMaxCommandData = 1024;

enum CommandWord : uint16_t {
    kCmdEnterCommandMode = 0x00FF,
    kCmdLeaveCommandMode = 0x00FE,
    kCmdSetGatesAndOffTime = 0x0060,
    kCmdReadParameters = 0x0061,
    kCmdEngineeringOn = 0x0062,
    kCmdEngineeringOff = 0x0063,
    kCmdSetGateSensitivity = 0x0064,
    kCmdReadFirmwareVersion = 0x00A0,
};

inline constexpr uint16_t kAllGates = 0xFFFF;

// Report frames (module to host, outside command mode).
inline constexpr uint8_t kReportHeader[4] = {0xF4, 0xF3, 0xF2, 0xF1};
inline constexpr uint8_t kReportTail[4] = {0xF8, 0xF7, 0xF6, 0xF5};
inline constexpr uint8_t kReportHeadMark = 0xAA;
inline constexpr uint8_t kReportTailMark = 0x55;
inline constexpr uint8_t kReportTypeEngineering = 0x01;
inline constexpr uint8_t kReportTypeBasic = 0x02;

// One command frame: word and value.
std::vector<uint8_t> BuildCommandFrame(uint16_t word, const uint8_t* value, size_t valueSize);
// An acknowledgement frame for `word`: status and returned value.
std::vector<uint8_t> BuildAckFrame(uint16_t word, uint16_t status, const uint8_t* value, size_t valueSize);
// The value of the parameter commands 0x0060 and 0x0064: count x (word u16, value u32).
std::vector<uint8_t> BuildParameterValue(const uint16_t* words, const uint32_t* values, size_t count);

// A complete frame with the command header and tail found in a byte stream.
struct CommandFrameView {
    size_t offset = 0;             // where the header starts
    size_t size = 0;               // whole frame, header to tail
    const uint8_t* data = nullptr; // the n bytes after the length field
    uint16_t dataSize = 0;         // n
};

enum class ScanResult {
    kFrame,    // a frame was found; `consumed` ends after it
    kNeedMore, // a header was found but the frame is incomplete; `consumed` ends before it
    kNothing,  // no header; `consumed` covers all but a possible partial header at the end
};

// Looks for the next well-formed command-protocol frame (header, length, tail) in
// bytes[0..size). Bytes before it (report frames, garbage) are skipped; a header whose tail
// does not match is skipped as garbage. `consumed` is how many bytes the caller may drop.
ScanResult FindCommandFrame(const uint8_t* bytes, size_t size, CommandFrameView& frame, size_t& consumed);

// Like FindCommandFrame, but a header whose frame is still incomplete does not hide a
// complete frame behind it: a cut frame, or a header-like run in garbage that declares a long
// length, would otherwise hold up every answer until its length had arrived. A complete frame
// after such a header shows the header was not a frame's. kFrame: `consumed` ends after the
// frame. kNeedMore: `consumed` ends before the first incomplete candidate. kNothing: as above.
ScanResult FindNextCompleteCommandFrame(const uint8_t* bytes, size_t size, CommandFrameView& frame,
                                        size_t& consumed);

// The parts of an acknowledgement frame's data.
struct AckView {
    uint16_t word = 0;                  // the acknowledged command word (without the 0x0100 flag)
    const uint8_t* afterWord = nullptr; // status word first, then the returned value
    size_t afterWordSize = 0;
};

// Reads an acknowledgement out of a frame's data; false when the data is not one.
bool ParseAck(const CommandFrameView& frame, AckView& ack);

uint16_t ReadU16(const uint8_t* p);
uint32_t ReadU32(const uint8_t* p);
void AppendU16(std::vector<uint8_t>& out, uint16_t value);
void AppendU32(std::vector<uint8_t>& out, uint32_t value);

} // namespace radar
