#include "ack_search.h"

#include "radar_protocol.h"

AckSearch TakeAck(ReceiveBuffer& received, uint16_t word, std::vector<uint8_t>& afterWord) {
    const uint8_t* bytes = received.Data();
    const size_t size = received.Size();
    const uint16_t ackWord = uint16_t(word | radar::kAckFlag);
    size_t position = 0;
    for (;;) {
        radar::CommandFrameView frame;
        size_t consumed = 0;
        radar::ScanResult result =
            radar::FindNextCompleteCommandFrame(bytes + position, size - position, frame, consumed);
        if (result != radar::ScanResult::kFrame) {
            // Only what may still begin a frame is kept.
            received.Drop(position + consumed);
            return AckSearch::kNotYet;
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
        position = frameEnd; // a report, another word's acknowledgement: not ours
    }
}
