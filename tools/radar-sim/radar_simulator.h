// The simulator on a pseudo-terminal: the module model behind the master side, the slave
// side for the host (optionally linked to a fixed path). A worker thread waits in poll()
// for commands, answers them and writes reports at the rate. The program radar-sim is a thin
// shell around this class, and tests run it in-process.
//
// While no one has the slave open, nothing is written (a serial line with no listener), so a
// host that opens the port does not find a backlog of old reports, and a replay waits for
// its first listener.
#pragma once

#include "sim_faults.h"
#include "sim_model.h"
#include "sim_parameters.h"
#include "sim_record.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace radarsim {

struct SimulatorOptions {
    int gates = 9;
    int rateHz = 10;
    bool engineering = false;
    uint64_t seed = 1;
    FaultSet faults;
    bool replay = false; // stream `replayBytes` instead of the scenario
    std::vector<uint8_t> replayBytes;
    std::string recordPath; // command record as JSON lines; empty: none
    std::string sentPath;   // copy of every byte written; empty: none
    bool keepSent = true;   // also keep that copy in memory (Sent())
    // One line per report frame once its last byte is written: the wall-clock time in
    // microseconds since 1970 and the frame's detection distance in cm ("1712345678901234 150"),
    // so another process can time what it sees of each report. Empty: none.
    std::string reportTimesPath;
};

class RadarSimulator {
public:
    explicit RadarSimulator(SimulatorOptions options = {});
    ~RadarSimulator(); // stops
    RadarSimulator(const RadarSimulator&) = delete;
    RadarSimulator& operator=(const RadarSimulator&) = delete;

    // Opens the pseudo-terminal, links its slave to `linkPath` when one is given (replacing
    // a symbolic link already there, never another kind of file) and starts the worker.
    // Returns the slave's path, or "" with the reason in Error(). Once per object.
    std::string Start(const std::string& linkPath = std::string());
    // Stops the worker, closes the pseudo-terminal and removes the link if it still points
    // at this slave. Safe to call more than once.
    void Stop();

    const std::string& SlavePath() const { return m_slavePath; }
    const std::string& Error() const { return m_error; }
    // True once the hang-up fault has closed the pseudo-terminal; the worker has ended.
    bool HungUp() const { return m_hungUp.load(); }

    // Every command frame received so far, in order.
    std::vector<CommandEvent> Commands() const;
    // Waits up to `timeoutMs` until at least `count` command frames were received.
    bool WaitForCommands(size_t count, int timeoutMs) const;
    // Every byte written to the pseudo-terminal so far (empty unless keepSent).
    std::vector<uint8_t> Sent() const;

    // A paused module makes no reports (a person who keeps still long enough for a test to
    // compare what was sent with what the host shows); what is queued still goes out, and
    // commands are answered as usual.
    void SetPaused(bool paused);

    // Replaces the faults in force; command counts start again. A hang-up time still counts
    // from the start.
    void SetFaults(const FaultSet& faults);
    ModuleState State() const;

private:
    void Run();
    void HangUp();
    uint64_t NowMs() const;
    // Reports are dropped beyond a backlog; acknowledgements never are.
    void Queue(std::vector<Frame>& frames, uint64_t nowMs, bool split, bool reports);
    // Writes what is due; false when the line is full (wait for POLLOUT).
    bool WritePending(uint64_t nowMs);
    void Wake();
    void CloseFds();

    struct Pending {
        std::vector<uint8_t> bytes;
        uint64_t dueMs = 0;
        int reportDistanceCm = -1; // on the last piece of a report frame
    };

    SimulatorOptions m_options;
    std::string m_slavePath;
    std::string m_linkPath;
    std::string m_error;
    int m_master = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::FILE* m_sentFile = nullptr;
    std::FILE* m_reportTimesFile = nullptr;
    bool m_started = false;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_hungUp{false};
    std::atomic<bool> m_paused{false};
    uint64_t m_startTicks = 0; // steady clock at start, in milliseconds

    // Shared between the worker and the callers; guarded by m_mutex.
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    ModuleModel m_model;
    CommandRecord m_record;
    std::vector<uint8_t> m_sent;

    // The worker's own.
    std::deque<Pending> m_pending;
    size_t m_pendingBytes = 0;
    uint64_t m_lastDueMs = 0;
    Random m_splitRandom;
};

} // namespace radarsim
