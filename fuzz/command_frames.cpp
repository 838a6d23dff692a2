// Command-protocol frame search and acknowledgement parsing of arbitrary bytes: every frame
// found lies inside the input with its tail in place, `consumed` never passes the end, and a
// search always makes progress.
#include "radar_protocol.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t position = 0;
    while (position <= size) {
        const uint8_t* rest = data + position;
        size_t restSize = size - position;
        radar::CommandFrameView frame;
        size_t consumed = restSize + 1;
        radar::ScanResult result = radar::FindCommandFrame(rest, restSize, frame, consumed);
        if (consumed > restSize)
            std::abort();
        if (result != radar::ScanResult::kFrame)
            break;
        if (frame.offset + frame.size > restSize || frame.size != frame.dataSize + radar::kCommandOverhead ||
            consumed != frame.offset + frame.size)
            std::abort();
        if (std::memcmp(rest + frame.offset, radar::kCommandHeader, 4) != 0 ||
            std::memcmp(rest + frame.offset + frame.size - 4, radar::kCommandTail, 4) != 0 ||
            frame.data != rest + frame.offset + 6)
            std::abort();
        radar::AckView ack;
        if (radar::ParseAck(frame, ack)) {
            if (ack.afterWord < frame.data ||
                ack.afterWord + ack.afterWordSize != frame.data + frame.dataSize)
                std::abort();
            if (ack.word & radar::kAckFlag)
                std::abort();
        }
        position += consumed;
    }
    return 0;
}
