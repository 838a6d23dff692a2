// The module itself: bytes in, bytes out. It keeps the parameters, enters and leaves
// command mode, answers or refuses commands, and streams reports at its rate outside
// command mode. No I/O and no clock of its own: the caller passes the time (milliseconds
// since the module started), and the same seed, times and input give the same output.
#pragma once

#include "radar_protocol.h"
#include "sim_faults.h"
#include "sim_parameters.h"
#include "sim_record.h"
#include "sim_replay.h"
#include "sim_scenario.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace radarsim {

using Frame = std::vector<uint8_t>;

struct ModelOptions {
    int gates = 9;   // 1..256
    int rateHz = 10; // reports per second, 1..1000
    bool engineering = false;
    uint64_t seed = 1;
};

class ModuleModel {
public:
    explicit ModuleModel(const ModelOptions& options);

    // Bytes from the host at `nowMs`. Acknowledgements go to `out` (one frame each) and
    // every complete command frame to `events`. Garbage and cut frames are tolerated: the
    // unconsumed input never exceeds one command frame (see BufferedInputSize).
    void Receive(const uint8_t* data, size_t size, uint64_t nowMs, std::vector<Frame>& out,
                 std::vector<CommandEvent>& events);

    // How much later than now the acknowledgements of the last Receive go out (late:), and
    // whether it asked for the line to be hung up (unplug:); both reset by the call.
    uint32_t TakeAckDelayMs() { return std::exchange(m_ackDelayMs, 0); }
    bool TakeUnplugRequest() { return std::exchange(m_unplugRequested, false); }

    // The report due at `nowMs`, if one is (nothing in command mode unless chatty, when silent, or before
    // its time). A late call sends one report and skips the missed ones. Garbage injected
    // before a report is a frame of its own.
    void Tick(uint64_t nowMs, std::vector<Frame>& out);
    // When the next report is due; nullopt while none will come without a change.
    std::optional<uint64_t> NextReportMs() const;

    // Streams this capture instead of the scenario.
    void SetReplay(std::vector<uint8_t> capture);

    void SetFaults(const FaultSet& faults) { m_faults.Set(faults); }
    const FaultSet& Faults() const { return m_faults.Faults(); }

    ModuleState State() const { return {m_parameters, m_commandMode}; }
    const ModuleParameters& Parameters() const { return m_parameters; }
    bool CommandMode() const { return m_commandMode; }
    size_t BufferedInputSize() const { return m_input.size(); }

    // The largest BufferedInputSize after any Receive: a command frame short of one byte.
    static constexpr size_t kMaxBufferedInput = radar::kMaxCommandData + radar::kCommandOverhead - 1;

private:
    void HandleFrame(const uint8_t* data, size_t size, uint64_t nowMs, std::vector<Frame>& out,
                     std::vector<CommandEvent>& events);
    // Runs a command in command mode; the status, with the returned value in `reply`.
    uint16_t Execute(uint16_t word, const uint8_t* value, size_t size, uint64_t nowMs,
                     std::vector<uint8_t>& reply);
    bool SetGatesAndOffTime(const uint8_t* value, size_t size);
    bool SetGateSensitivity(const uint8_t* value, size_t size);
    void RestartReports(uint64_t nowMs);
    uint64_t ReportTime(uint64_t index) const;

    ModelOptions m_options;
    ModuleParameters m_parameters;
    bool m_commandMode = false;
    std::vector<uint8_t> m_input;
    uint32_t m_ackDelayMs = 0;
    bool m_unplugRequested = false;

    Scenario m_scenario;
    FaultInjector m_faults;
    bool m_replaying = false;
    ReplayStream m_replay;

    uint64_t m_reportAnchorMs = 0; // reports fall at anchor + k / rate
    uint64_t m_reportIndex = 1;
    std::optional<uint64_t> m_lastSeenMs; // the last report with a target
};

} // namespace radarsim
