#include "sim_scenario.h"

#include "sim_random.h"

#include <algorithm>
#include <cmath>

namespace radarsim {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Timeline of one cycle, in milliseconds.
constexpr uint64_t kEnterMs = 3000;   // the room is empty before this
constexpr uint64_t kWanderMs = 11000; // walked in, moves about
constexpr uint64_t kStillMs = 17000;  // stands still
constexpr uint64_t kLeaveMs = 29000;  // walks out
constexpr uint64_t kGoneMs = 35000;   // beyond the range again; empty until the cycle ends

double Lerp(double a, double b, double u) {
    return a + (b - a) * u;
}
// Eases in and out, as a person starts and stops walking.
double Smooth(double u) {
    return u * u * (3 - 2 * u);
}

uint8_t ClampEnergy(double value) {
    if (value < 0)
        return 0;
    if (value > 100)
        return 100;
    return uint8_t(std::lround(value));
}

uint16_t ClampDistance(double cm) {
    if (cm < 1)
        return 1; // a seen target is never at 0, which means "no one"
    if (cm > 65535)
        return 65535;
    return uint16_t(std::lround(cm));
}

} // namespace

Scenario::Scenario(int gates, uint64_t seed) : m_gates(gates < 1 ? 1 : gates), m_seed(seed) {}

double Scenario::Noise(uint64_t ms, int gate, int channel) const {
    return HashUnit(m_seed, ms, uint64_t(gate), uint64_t(channel));
}

Scenario::Person Scenario::PersonAt(uint64_t ms) const {
    double range = double(m_gates) * kGateCm;
    double outside = std::min(range + 90.0, 900.0); // where the walk starts and ends
    double stand = std::clamp(range * 0.35, 30.0, 300.0);
    double wanderStart = stand * 1.3;
    double still = stand * 0.7;

    uint64_t t = ms % kCycleMs;
    Person p;
    if (t < kEnterMs || t >= kGoneMs)
        return p;
    p.present = true;
    p.moving = true;
    if (t < kWanderMs) {
        double u = double(t - kEnterMs) / double(kWanderMs - kEnterMs);
        p.distanceCm = Lerp(outside, wanderStart, Smooth(u));
    } else if (t < kStillMs) {
        double u = double(t - kWanderMs) / double(kStillMs - kWanderMs);
        p.distanceCm = stand * (1.0 + 0.3 * std::cos(3 * kPi * u)); // from 1.3 to 0.7 of it
    } else if (t < kLeaveMs) {
        p.moving = false;
        p.distanceCm = still + 2.0 * std::sin(2 * kPi * double(t - kStillMs) / 4000.0); // breathing
    } else {
        double u = double(t - kLeaveMs) / double(kGoneMs - kLeaveMs);
        p.distanceCm = Lerp(still, outside, Smooth(u));
    }
    return p;
}

ReportData Scenario::ReportAt(uint64_t ms, const ModuleParameters& parameters) const {
    Person person = PersonAt(ms);
    double position = person.distanceCm / kGateCm; // in gates
    double nearness = 1.0 - 0.35 * std::min(position / 12.0, 1.0);

    ReportData r;
    r.movingGateEnergy.resize(size_t(m_gates));
    r.motionlessGateEnergy.resize(size_t(m_gates));
    for (int g = 0; g < m_gates; ++g) {
        double moving = 2 + 10 * Noise(ms, g, 0);
        // The closest gates always see some static reflection.
        double motionless = 4 + 10 * Noise(ms, g, 1) + (g == 0 ? 20 : g == 1 ? 10 : 0);
        if (person.present) {
            double offset = (g + 0.5) - position;
            double falloff = std::exp(-offset * offset / (2 * 0.7 * 0.7));
            double movingPeak, motionlessPeak;
            if (person.moving) {
                movingPeak = (78 + 14 * Noise(ms, g, 2)) * nearness;
                motionlessPeak = (30 + 15 * Noise(ms, g, 3)) * nearness;
            } else {
                movingPeak = 12 + 14 * Noise(ms, g, 2); // breathing
                motionlessPeak = (62 + 18 * Noise(ms, g, 3)) * nearness;
            }
            moving += movingPeak * falloff;
            motionless += motionlessPeak * falloff;
        }
        r.movingGateEnergy[size_t(g)] = ClampEnergy(moving);
        r.motionlessGateEnergy[size_t(g)] = ClampEnergy(motionless);
    }
    r.lightLevel = uint8_t(80 + 20 * Noise(ms / 1000, 0, 4));

    if (!person.present || position >= double(m_gates))
        return r;
    size_t gate = size_t(position);
    bool movingSeen = int(gate) <= parameters.farthestMovingGate &&
                      gate < parameters.movingSensitivity.size() &&
                      r.movingGateEnergy[gate] > parameters.movingSensitivity[gate];
    bool motionlessSeen = int(gate) <= parameters.farthestMotionlessGate &&
                          gate < parameters.motionlessSensitivity.size() &&
                          r.motionlessGateEnergy[gate] > parameters.motionlessSensitivity[gate];
    if (movingSeen) {
        r.movingDistanceCm = ClampDistance(person.distanceCm + 10 * (Noise(ms, 0, 5) - 0.5));
        r.movingEnergy = r.movingGateEnergy[gate];
    }
    if (motionlessSeen) {
        r.motionlessDistanceCm = ClampDistance(person.distanceCm + 16 * (Noise(ms, 0, 6) - 0.5));
        r.motionlessEnergy = r.motionlessGateEnergy[gate];
    }
    r.state = uint8_t((movingSeen ? kMovingTarget : 0) | (motionlessSeen ? kMotionlessTarget : 0));
    r.detectionDistanceCm = movingSeen ? r.movingDistanceCm : r.motionlessDistanceCm;
    return r;
}

} // namespace radarsim
