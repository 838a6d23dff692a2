// Report frames, the module's stream outside command mode.
//
// F4 F3 F2 F1, L (u16), type (1 engineering, 2 basic), AA, data (L - 4 bytes), 55, a check
// byte (0), F8 F7 F6 F5. Basic data: state, moving distance cm (u16), moving energy,
// motionless distance cm (u16), motionless energy, detection distance cm (u16). Engineering
// data: the same, then M, S (highest gates), M + 1 moving energies, S + 1 motionless
// energies, a light level and the output pin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace radarsim {

enum TargetState : uint8_t {
    kNoTarget = 0,
    kMovingTarget = 1,
    kMotionlessTarget = 2,
    kBothTargets = 3,
};

struct ReportData {
    uint8_t state = kNoTarget;
    uint16_t movingDistanceCm = 0;
    uint8_t movingEnergy = 0;
    uint16_t motionlessDistanceCm = 0;
    uint8_t motionlessEnergy = 0;
    uint16_t detectionDistanceCm = 0;
    // Engineering reports only: one energy per gate (at least one gate), light, output pin.
    std::vector<uint8_t> movingGateEnergy;
    std::vector<uint8_t> motionlessGateEnergy;
    uint8_t lightLevel = 0;
    uint8_t outputPin = 0;

    bool operator==(const ReportData&) const = default;
};

inline constexpr size_t kReportOverhead = 10; // header, length, tail
inline constexpr size_t kBasicDataSize = 9;

// The whole frame of one report.
std::vector<uint8_t> BuildReportFrame(const ReportData& report, bool engineering);
// Its size for a module with `gates` gates: 23 bytes basic, 45 engineering with nine gates.
size_t ReportFrameSize(bool engineering, int gates);

// Reads one frame of exactly `size` bytes back; false when it is not a well-formed report
// (header, length, marks, tail, and a data size that fits its type).
bool ParseReportFrame(const uint8_t* frame, size_t size, bool& engineering, ReportData& report);

// Whether a complete report frame (header, length, tail) starts at `at`, and its size.
bool ReportFrameAt(const uint8_t* bytes, size_t size, size_t at, size_t& frameSize);
// Where a complete report frame (header, length, tail) starts at or after `from`, and its
// size; false when none is complete in bytes[from..size).
bool FindReportFrame(const uint8_t* bytes, size_t size, size_t from, size_t& offset, size_t& frameSize);

} // namespace radarsim
