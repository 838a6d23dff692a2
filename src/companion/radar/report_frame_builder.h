// Builds report frames as the module sends them (for the simulator, tests, benchmarks and
// seed files).
#pragma once

#include <cstdint>
#include <vector>

struct ReportFields {
    uint8_t state = 0;
    uint16_t movingCm = 0;
    uint8_t movingEnergy = 0;
    uint16_t motionlessCm = 0;
    uint8_t motionlessEnergy = 0;
    uint16_t distanceCm = 0;
};

// The nine bytes of a basic report's data.
std::vector<uint8_t> BuildReportData(const ReportFields& fields);
// An engineering report's data: the basic fields, M and S, then the energies of gates 0..M
// and 0..S (M + 1 = moving.size(), S + 1 = motionless.size(); both 1..256 entries).
std::vector<uint8_t> BuildReportData(const ReportFields& fields, const std::vector<uint8_t>& moving,
                                     const std::vector<uint8_t>& motionless);
// The frame around report data (L = data.size() + 4, at most 65535) with correct marks.
std::vector<uint8_t> BuildReportFrame(uint8_t type, const std::vector<uint8_t>& data);
