#include "parameter_ack.h"

#include <utility>

namespace {

uint16_t LoadU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

} // namespace

// Payload after the optional status word: one unexamined byte, N (highest gate index),
// farthest moving gate, farthest motionless gate, N + 1 moving and N + 1 motionless
// sensitivities, off time (u16): exactly 2N + 8 bytes.
uint16_t ReadParameterAck(eRADAR_PROTOCOL_VERSION version, const uint8_t* bytes, int count,
                          uint64_t context) {
    auto* result = reinterpret_cast<ParameterReadResult*>(static_cast<uintptr_t>(context));
    if (bytes == nullptr || result == nullptr || count < 2)
        return RADAR_ERR_MALFORMED_ACK;
    size_t n = size_t(count);
    size_t p = 0;
    if (version != eRADAR_PROTOCOL_VERSION_0) {
        uint16_t status = LoadU16(bytes);
        if (status != 0)
            return status;
        p = 2;
    }
    if (n - p < 6)
        return RADAR_ERR_MALFORMED_ACK;
    const uint8_t* payload = bytes + p;
    size_t highestGate = payload[1];
    size_t gates = highestGate + 1;
    if (n != p + 2 * highestGate + 8)
        return RADAR_ERR_MALFORMED_ACK;

    // Built aside and moved in, so that the record changes only on success.
    ParameterReadResult read;
    read.gateCount = int32_t(gates);
    read.movingGateCount = payload[2] + 1;
    read.motionlessGateCount = payload[3] + 1;
    read.movingSensitivity.assign(payload + 4, payload + 4 + gates);
    read.motionlessSensitivity.assign(payload + 4 + gates, payload + 4 + 2 * gates);
    read.offTime = LoadU16(payload + 4 + 2 * gates);
    *result = std::move(read);
    return 0;
}
