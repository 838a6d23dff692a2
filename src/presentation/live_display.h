// What the main dialog shows of the live reports and of its own state, as plain decisions
// that the Win32 side carries out.
#pragma once

#include <cstdint>

// The moving and motionless target energies of the last 50 reports, and how many reports
// came since the history was reset. The current-sensitivity readouts show the maxima once a
// full window of reports has arrived.
class EnergyHistory {
public:
    static constexpr int kLength = 50;

    void Reset();
    // Drops the oldest entry of each history and stores the newest at the end.
    void Push(uint16_t moving, uint16_t motionless);
    // Reports that came but were not kept (older than a full window of newer ones): they
    // count, and no longer matter for the maxima.
    void CountUnkept(uint64_t reports) { m_reports += reports; }
    uint64_t ReportCount() const { return m_reports; }
    bool Full() const { return m_reports >= kLength; }
    uint16_t MaxMoving() const { return Max(m_moving); }
    uint16_t MaxMotionless() const { return Max(m_motionless); }

private:
    static uint16_t Max(const uint16_t (&history)[kLength]);

    uint64_t m_reports = 0;
    uint16_t m_moving[kLength] = {};
    uint16_t m_motionless[kLength] = {};
};

// The presence indicator for a target state: which picture, and which of the two radio
// buttons is selected.
enum class IndicatorPicture { None, Nobody, Motion, Motionless };
enum class IndicatorRadio { Unchanged, Neither, Moving, Motionless };
struct TargetIndicator {
    IndicatorPicture picture;
    IndicatorRadio radio;
};
TargetIndicator IndicatorForState(int32_t state);

// The serial link as the dialog knows it: closed, open, or open but found gone by the device
// library (an unplugged adapter) and not yet closed.
enum class LinkState { Closed, Open, Lost };
// The state after asking the library: only an open link can be lost.
LinkState ObserveLinkState(LinkState known, bool libraryConnected);

// Which controls are enabled in a connection and reporting state. The parameter controls also
// decide the sensitivity dialog's Confirm: nothing is written while reporting runs.
struct ControlStates {
    bool engineeringMode; // the "Engineering Mode" check box
    bool parameters;      // gate and off-time edits, statistics length and unit, Read, Config,
                          // Reset, Sens...
    bool apply;           // Apply of the current sensitivities
    bool startStop;       // Start/Stop: only over an open link
    bool connect;         // Connect/Disconnect: not while reporting runs
};
ControlStates ComputeControlStates(bool connected, bool reporting);

// The limits of the statistics length edit for a unit entry of the list (0 s, 1 m, 2 h).
struct StatisticsLengthLimits {
    bool known; // false: no entry selected, nothing changes
    int32_t minimum;
    int32_t maximum;
    bool fixed; // seconds: the length is always 120 and the edit is disabled
};
StatisticsLengthLimits StatisticsLengthLimitsFor(int entry);
