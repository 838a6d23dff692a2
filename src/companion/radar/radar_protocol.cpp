#include "radar_protocol.h"

#include <algorithm>
#include <cstring>

namespace radar {

uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void AppendU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

static std::vector<uint8_t> Frame(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> frame(kCommandHeader, kCommandHeader + 4);
    AppendU16(frame, uint16_t(data.size()));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.insert(frame.end(), kCommandTail, kCommandTail + 4);
    return frame;
}

std::vector<uint8_t> BuildCommandFrame(uint16_t word, const uint8_t* value, size_t valueSize) {
    std::vector<uint8_t> data;
    AppendU16(data, word);
    if (value != nullptr)
        data.insert(data.end(), value, value + valueSize);
    return Frame(data);
}

std::vector<uint8_t> BuildAckFrame(uint16_t word, uint16_t status, const uint8_t* value, size_t valueSize) {
    std::vector<uint8_t> data;
    AppendU16(data, uint16_t(word | kAckFlag));
    AppendU16(data, status);
    if (value != nullptr)
        data.insert(data.end(), value, value + valueSize);
    return Frame(data);
}

std::vector<uint8_t> BuildParameterValue(const uint16_t* words, const uint32_t* values, size_t count) {
    std::vector<uint8_t> value;
    for (size_t i = 0; i < count; ++i) {
        AppendU16(value, words[i]);
        AppendU32(value, values[i]);
    }
    return value;
}

ScanResult FindCommandFrame(const uint8_t* bytes, size_t size, CommandFrameView& frame, size_t& consumed) {
    size_t position = 0;
    while (position < size) {
        const uint8_t* found =
            static_cast<const uint8_t*>(std::memchr(bytes + position, kCommandHeader[0], size - position));
        if (found == nullptr) {
            consumed = size;
            return ScanResult::kNothing;
        }
        position = size_t(found - bytes);
        size_t available = size - position;
        // A header cut by the end of the data may still complete with the next bytes.
        if (available < 4) {
            if (std::memcmp(found, kCommandHeader, available) == 0) {
                consumed = position;
                return ScanResult::kNothing;
            }
            ++position;
            continue;
        }
        if (std::memcmp(found, kCommandHeader, 4) != 0) {
            ++position;
            continue;
        }
        if (available < 6) {
            consumed = position;
            return ScanResult::kNeedMore;
        }
        uint16_t length = ReadU16(found + 4);
        if (length > kMaxCommandData) {
            ++position;
            continue;
        }
        size_t total = size_t(length) + kCommandOverhead;
        if (available < total) {
            consumed = position;
            return ScanResult::kNeedMore;
        }
        if (std::memcmp(found + 6 + length, kCommandTail, 4) != 0) {
            ++position; // a header-like run inside other bytes
            continue;
        }
        frame.offset = position;
        frame.size = total;
        frame.data = found + 6;
        frame.dataSize = length;
        consumed = position + total;
        return ScanResult::kFrame;
    }
    consumed = size;
    return ScanResult::kNothing;
}

ScanResult FindNextCompleteCommandFrame(const uint8_t* bytes, size_t size, CommandFrameView& frame,
                                        size_t& consumed) {
    size_t position = 0;
    bool incomplete = false;
    size_t keepFrom = 0;
    while (position < size) {
        size_t used = 0;
        ScanResult result = FindCommandFrame(bytes + position, size - position, frame, used);
        if (result == ScanResult::kFrame) {
            frame.offset += position;
            consumed = position + used;
            return ScanResult::kFrame;
        }
        if (result == ScanResult::kNothing) {
            position += used;
            break;
        }
        if (!incomplete) {
            incomplete = true;
            keepFrom = position + used;
        }
        position += used + 1;
    }
    consumed = incomplete ? keepFrom : std::min(position, size);
    return incomplete ? ScanResult::kNeedMore : ScanResult::kNothing;
}

bool ParseAck(const CommandFrameView& frame, AckView& ack) {
    if (frame.data == nullptr || frame.dataSize < 4)
        return false;
    uint16_t word = ReadU16(frame.data);
    if ((word & kAckFlag) == 0)
        return false;
    ack.word = uint16_t(word & ~kAckFlag);
    ack.afterWord = frame.data + 2;
    ack.afterWordSize = frame.dataSize - 2u;
    return true;
}

} // namespace radar
