#include "frame_scanner.h"

#include "radar_protocol.h"

#include <cstring>

namespace {

constexpr uint32_t WordOf(const uint8_t (&b)[4]) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

constexpr uint32_t kHeaderWord = WordOf(radar::kReportHeader); // 0xF1F2F3F4
constexpr uint32_t kTailWord = WordOf(radar::kReportTail);     // 0xF5F6F7F8

// Byte by byte so that it is independent of alignment and host order; compilers fuse it
// into one load.
inline uint32_t LoadWord(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

size_t ScanReportFrames(const uint8_t* bytes, size_t size, IFrameHandler& handler) {
    size_t p = 0;
    while (size - p >= kReportFrameOverhead) {
        if (LoadWord(bytes + p) != kHeaderWord) {
            // Resynchronise: a header can only start at its first byte value, and only where
            // ten bytes still fit. Same outcome as stepping one byte at a time, much faster.
            size_t candidates = size - kReportFrameOverhead - p;
            const void* next = std::memchr(bytes + p + 1, radar::kReportHeader[0], candidates);
            p = next ? size_t(static_cast<const uint8_t*>(next) - bytes) : size - kReportFrameOverhead + 1;
            continue;
        }
        size_t length = size_t(bytes[p + 4]) | size_t(bytes[p + 5]) << 8;
        if (size - p < length + kReportFrameOverhead)
            break; // wait for the rest of the frame
        const uint8_t* frame = bytes + p;
        if (LoadWord(frame + length + 6) != kTailWord) {
            handler.OnBadTail();
            p += length + 6;
            continue;
        }
        if (length >= 4 && frame[7] == radar::kReportHeadMark && frame[length + 4] == radar::kReportTailMark)
            handler.OnReportFrame(frame[6] == radar::kReportTypeEngineering, frame + 8, length - 4);
        p += length + kReportFrameOverhead;
    }
    return p;
}
