// The parameters the module keeps, with the defaults it starts with.
#pragma once

#include <cstdint>
#include <vector>

namespace radarsim {

inline constexpr int kMinGates = 1;
inline constexpr int kMaxGates = 256; // the gate index travels in one byte
inline constexpr int kGateCm = 75;    // one range gate is 0.75 m
inline constexpr uint8_t kMaxSensitivity = 100;

// Firmware version the module reports for 0x00A0: a host shows "V1.02.22062416".
inline constexpr uint16_t kFirmwareType = 0x0000;
inline constexpr uint16_t kFirmwareMajor = 0x0102;
inline constexpr uint32_t kFirmwareMinor = 0x22062416;
// What 0x00FF returns: protocol version and the module's buffer size.
inline constexpr uint16_t kProtocolVersion = 1;
inline constexpr uint16_t kBufferSize = 64;

struct ModuleParameters {
    int gates = 9;
    uint8_t farthestMovingGate = 8;
    uint8_t farthestMotionlessGate = 8;
    uint16_t offTimeSeconds = 5;
    std::vector<uint8_t> movingSensitivity;     // one per gate, 0..100
    std::vector<uint8_t> motionlessSensitivity; // one per gate, 0..100
    bool engineering = false;                   // engineering reports instead of basic ones

    // The factory settings of a module with `gates` gates (1..256): the nine-gate tables,
    // their last value repeated for further gates, both farthest gates at the highest gate.
    static ModuleParameters Defaults(int gates);

    bool operator==(const ModuleParameters&) const = default;
};

// The parameters plus what a host can observe of the module's mode.
struct ModuleState {
    ModuleParameters parameters;
    bool commandMode = false;
};

inline ModuleParameters ModuleParameters::Defaults(int gates) {
    static constexpr uint8_t kMoving[9] = {50, 50, 40, 40, 40, 40, 30, 30, 30};
    static constexpr uint8_t kMotionless[9] = {0, 0, 40, 40, 40, 40, 15, 15, 15};
    ModuleParameters p;
    p.gates = gates;
    p.farthestMovingGate = uint8_t(gates - 1);
    p.farthestMotionlessGate = uint8_t(gates - 1);
    p.offTimeSeconds = 5;
    for (int g = 0; g < gates; ++g) {
        int i = g < 9 ? g : 8;
        p.movingSensitivity.push_back(kMoving[i]);
        p.motionlessSensitivity.push_back(kMotionless[i]);
    }
    return p;
}

} // namespace radarsim
