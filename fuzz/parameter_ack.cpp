// The read-parameters acknowledgement of arbitrary bytes, in both protocol versions: a
// success gives arrays as long as the gate count says, a failure leaves the record alone.
#include "parameter_ack.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(eRADAR_PROTOCOL_VERSION version, const uint8_t* data, size_t size) {
    ParameterReadResult result;
    result.offTime = -1;
    uint16_t code = ReadParameterAck(version, data, int(size), uint64_t(uintptr_t(&result)));
    if (code != 0) {
        if (result.offTime != -1 || result.gateCount != 0 || !result.movingSensitivity.empty())
            std::abort();
        return;
    }
    if (result.gateCount < 1 || result.gateCount > 256 || result.movingGateCount < 1 ||
        result.motionlessGateCount < 1 || result.offTime < 0 || result.offTime > 0xFFFF)
        std::abort();
    if (result.movingSensitivity.size() != size_t(result.gateCount) ||
        result.motionlessSensitivity.size() != size_t(result.gateCount))
        std::abort();
    size_t payload = size - (version == eRADAR_PROTOCOL_VERSION_0 ? 0 : 2);
    if (payload != 2 * size_t(result.gateCount) + 6)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    Check(eRADAR_PROTOCOL_VERSION_0, data, size);
    Check(eRADAR_PROTOCOL_VERSION_1, data, size);
    return 0;
}
