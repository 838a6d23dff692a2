// The module's answer to the read-parameters command.
#pragma once

#include "KOVA_DataProcess.h"

#include <cstdint>
#include <vector>

struct ParameterReadResult {
    int32_t gateCount = 0;                       // gates the module has
    int32_t movingGateCount = 0;                 // farthest moving gate + 1
    int32_t motionlessGateCount = 0;             // farthest motionless gate + 1
    std::vector<uint16_t> movingSensitivity;     // gateCount entries
    std::vector<uint16_t> motionlessSensitivity; // gateCount entries
    int32_t offTime = 0;                         // seconds
};

// The acknowledgement callback of the read-parameters command; `context` is the address of
// a ParameterReadResult. Returns 0, the module's nonzero status as it came, or 0xA004 for a
// malformed payload (which leaves the record unchanged).
uint16_t ReadParameterAck(eRADAR_PROTOCOL_VERSION version, const uint8_t* bytes, int count, uint64_t context);
