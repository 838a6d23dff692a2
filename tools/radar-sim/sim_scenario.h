// The built-in report scenario: one person walks in from beyond the module's range, moves
// about, stands still, and leaves; the cycle repeats every 40 s. The per-gate energies rise
// and fall around the person's gate over a noise floor, and what the module reports follows
// its parameters: a target is seen only up to the farthest gate and when its gate's energy
// exceeds that gate's sensitivity. A report is a function of the seed, the time and the
// parameters alone.
#pragma once

#include "sim_parameters.h"
#include "sim_report_frame.h"

#include <cstdint>

namespace radarsim {

class Scenario {
public:
    static constexpr uint64_t kCycleMs = 40000;

    struct Person {
        bool present = false; // in the room (maybe still beyond the module's range)
        bool moving = false;
        double distanceCm = 0;
    };

    Scenario(int gates, uint64_t seed);

    Person PersonAt(uint64_t ms) const;
    // The report at `ms` (time since the module started). The output pin is left 0: it
    // depends on the history, which the module keeps.
    ReportData ReportAt(uint64_t ms, const ModuleParameters& parameters) const;

private:
    double Noise(uint64_t ms, int gate, int channel) const;

    int m_gates;
    uint64_t m_seed;
};

} // namespace radarsim
