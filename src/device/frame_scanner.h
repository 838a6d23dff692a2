// Cuts the accumulated report stream into frames.
//
// Report frame: F4 F3 F2 F1, L (u16 LE), type (1 engineering), 0xAA, L - 4 data bytes,
// 0x55, one unexamined byte, F8 F7 F6 F5; L + 10 bytes in all.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kReportFrameOverhead = 10; // header, length, type, marks, tail

class IFrameHandler {
public:
    virtual ~IFrameHandler() = default;
    // A complete frame with both marks and L >= 4: its report data (D = L - 4 bytes).
    virtual void OnReportFrame(bool engineering, const uint8_t* data, size_t size) = 0;
    // A header whose tail is not where its length says; the scan resumes there.
    virtual void OnBadTail() = 0;
};

// Scans bytes[0..size) and returns how many bytes are consumed; the rest (an incomplete
// frame, or fewer than 10 bytes) must be kept for the next call. Every decision needs only
// bytes that are already there, so any cut of a stream into calls gives the same frames.
size_t ScanReportFrames(const uint8_t* bytes, size_t size, IFrameHandler& handler);
