// Finding one command's acknowledgement among whatever else the module sent.
#pragma once

#include "receive_buffer.h"

#include <cstdint>
#include <vector>

enum class AckSearch {
    kFound,     // `afterWord` holds the status word and the returned value
    kMalformed, // a frame carries the acknowledged word but is too short to be an acknowledgement
    kNotYet,    // no acknowledgement of the word among the bytes so far
};

// Looks in `received` for the acknowledgement of `word`. Report frames, acknowledgements of
// other words and garbage before it are dropped; the bytes after it stay in `received`.
// Without a result, only the bytes that may still begin a frame are kept.
AckSearch TakeAck(ReceiveBuffer& received, uint16_t word, std::vector<uint8_t>& afterWord);
