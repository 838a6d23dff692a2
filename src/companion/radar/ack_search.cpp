#include "ack_search.h"

#include "radar_protocol.h"

#include <algorithm>

AckSearch TakeAck(ReceiveBuffer& received, uint16_t word, std::vector<uint8_t>& afterWord) {
    const uint8_t* bytes = received.Data();
    const size_t size = received.Size();
    const uint16_t ackWord = uint16_t(word | radar::kAckFlag);
    size_t position = 0;
    size_t keepFrom = size; // the first header whose frame is still incomplete
    while (position < size) {
        radar::CommandFrameView frame;
        size_t consumed = 0;
        radar::ScanResult result =
            radar::FindCommandFrame(bytes + position, size - position, frame, consumed);
        if (result == radar::ScanResult::kNothing) {
            position += consumed;
            break;
        }
        if (result == radar::ScanResult::kNeedMore) {
            // Keep it, but look on: a header-like run in garbage may declare a length that
            // would otherwise hide the real acknowledgement behind it.
            keepFrom = std::min(keepFrom, position + consumed);
            position += consumed + 1;
            continue;
        }
        size_t frameEnd = position + consumed;
        if (frame.dataSize >= 2 && radar::ReadU16(frame.data) == ackWord) {
            radar::AckView ack;
            bool complete = radar::ParseAck(frame, ack);
            if (complete)
                afterWord.assign(ack.afterWord, ack.afterWord + ack.afterWordSize);
            received.Drop(frameEnd);
            return complete ? AckSearch::kFound : AckSearch::kMalformed;
        }
        position = frameEnd;
    }
    received.Drop(std::min(keepFrom, position));
    return AckSearch::kNotYet;
}
