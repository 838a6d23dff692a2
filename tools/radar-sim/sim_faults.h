// Fault injection: what the simulator can do wrong on purpose.
//
//   noack:CMD[:N]      no acknowledgement for command CMD (the Nth one only, from 1)
//   nak:CMD[:N]        failure status for it
//   late:CMD:MS[:N]    the acknowledgement of CMD (the Nth only) MS milliseconds later
//   unplug:CMD[:N]     the line hung up instead of an answer (a cable pulled mid-exchange)
//   chatty             reports go on in command mode
//   garbage:PERMILLE   random bytes before a report, with that probability
//   badtail:PERMILLE   a report's tail corrupted, with that probability
//   split              every frame cut into random pieces, written with short pauses
//   silent             no reports at all
//   hangup:SECONDS     the pseudo-terminal closed after that time
//
// Commands count only when the module would answer them (in command mode, or 0x00FF), and
// a command that gets no acknowledgement or a failure status changes nothing.
#pragma once

#include "sim_random.h"

#include <cstdint>
#include <string>
#include <vector>

namespace radarsim {

enum class CommandFaultKind { kNoAck, kNak, kLate, kUnplug };

struct CommandFault {
    CommandFaultKind kind = CommandFaultKind::kNoAck;
    uint16_t word = 0;
    uint32_t nth = 0;     // 0: every such command
    uint32_t delayMs = 0; // kLate
    bool operator==(const CommandFault&) const = default;
};

struct FaultSet {
    std::vector<CommandFault> commands;
    int garbagePermille = 0;
    int badTailPermille = 0;
    bool split = false;
    bool silent = false;
    bool chatty = false;
    int64_t hangupMs = -1; // time since start; negative: never

    bool operator==(const FaultSet&) const = default;
};

// Adds one fault written as above; false with a reason when the text is not one.
bool AddFault(FaultSet& faults, const std::string& text, std::string& error);

enum class CommandAction { kAnswer, kNoAck, kNak, kUnplug };

// What to do with one command: the action, and how late an answer goes out.
struct CommandOutcome {
    CommandAction action = CommandAction::kAnswer;
    uint32_t delayMs = 0;
};

// A write unit of the output and how long to wait before writing it.
struct Piece {
    std::vector<uint8_t> bytes;
    uint32_t pauseBeforeMs = 0;
};

// The faults in force plus what they need to remember: how many of each command were seen,
// and random numbers of their own so they do not disturb the scenario.
class FaultInjector {
public:
    explicit FaultInjector(uint64_t seed) : m_random(seed) {}

    // Replaces the faults; command counts start again.
    void Set(const FaultSet& faults);
    const FaultSet& Faults() const { return m_faults; }

    // Called once for every command the module would answer.
    CommandOutcome OnCommand(uint16_t word);
    // Garbage to send before a report (usually none).
    std::vector<uint8_t> GarbageBeforeReport();
    // Corrupts the report frame's tail when that fault strikes.
    void MaybeCorruptTail(std::vector<uint8_t>& frame);

private:
    FaultSet m_faults;
    std::vector<uint32_t> m_seen; // per entry of m_faults.commands
    Random m_random;
};

// Cuts a frame into 2..4 pieces (fewer for tiny frames) with pauses of 1..4 ms between them.
// The pieces joined give the frame back.
std::vector<Piece> SplitFrame(const std::vector<uint8_t>& frame, Random& random);

} // namespace radarsim
