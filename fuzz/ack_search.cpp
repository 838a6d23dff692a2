// The device library's acknowledgement search and check on arbitrary received bytes, fed in
// two pieces: an answer is found whole or not at all, the buffer only ever shrinks by what
// was looked at, and the check never reads past what the acknowledgement holds.
#include "KOVA_DataProcess.h"
#include "ack_search.h"
#include "radar_protocol.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const uint16_t word = radar::ReadU16(data);
    const size_t cut = data[2] % (size - 2);
    const uint8_t* stream = data + 3;
    const size_t streamSize = size - 3;

    ReceiveBuffer received;
    std::vector<uint8_t> afterWord;
    AckSearch result = AckSearch::kNotYet;
    size_t fed = 0;
    for (size_t piece : {cut, streamSize - cut}) {
        if (piece > streamSize - fed)
            piece = streamSize - fed;
        received.Append(stream + fed, piece);
        fed += piece;
        size_t before = received.Size();
        result = TakeAck(received, word, afterWord);
        if (received.Size() > before)
            std::abort();
        if (result != AckSearch::kNotYet)
            break;
    }
    if (result == AckSearch::kFound) {
        if (afterWord.size() < 2 || afterWord.size() > radar::kMaxCommandData)
            std::abort();
        // An exact-size copy so that a read past the acknowledgement is caught.
        std::vector<uint8_t> exact(afterWord);
        uint16_t code =
            CheckCmdAckData_RetCode(eRADAR_PROTOCOL_VERSION_1, exact.data(), int(exact.size()), 0);
        if (code != radar::ReadU16(exact.data()))
            std::abort();
    }
    return 0;
}
