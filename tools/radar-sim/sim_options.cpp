#include "sim_options.h"

#include "sim_parameters.h"

#include <cerrno>
#include <cstdlib>

namespace radarsim {

namespace {

bool ParseNumber(const std::string& text, unsigned long long min, unsigned long long max,
                 unsigned long long& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < min || v > max)
        return false;
    value = v;
    return true;
}

} // namespace

const char* UsageText() {
    return "Usage: radar-sim --link PATH [options]\n"
           "\n"
           "A software model of the radar module on a pseudo-terminal. It links the terminal's\n"
           "slave side to PATH (replacing a symbolic link already there), prints \"ready\", and\n"
           "runs until SIGINT or SIGTERM; then it removes the link. SIGUSR1 pauses the report\n"
           "stream (what is queued still goes out; commands are answered) and SIGUSR2 resumes\n"
           "it. The module answers the\n"
           "command protocol (0x00FF, 0x00FE, 0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x00A0)\n"
           "and, outside command mode, streams reports from a built-in scenario: a person walks\n"
           "in, moves about, stands still and leaves, every 40 seconds.\n"
           "\n"
           "Options:\n"
           "  --link PATH        where to link the slave side (required)\n"
           "  --gates N          number of range gates, 1..256 (default 9)\n"
           "  --rate HZ          reports per second, 1..1000 (default 10)\n"
           "  --engineering      start with engineering reports on\n"
           "  --seed N           seed of the scenario's noise and the faults (default 1)\n"
           "  --record FILE      write every command frame received as a JSON line:\n"
           "                     {\"t_ms\":120,\"cmd\":\"0x0061\",\"value\":\"\",\"status\":0}\n"
           "                     (t_ms since start, value in lower-case hex, status null when\n"
           "                     the module did not answer)\n"
           "  --sent FILE        write a copy of every byte sent, as it is sent\n"
           "  --report-times FILE  write a line per report once it is written: the wall-clock\n"
           "                     time in microseconds since 1970 and its detection distance\n"
           "                     in cm, such as \"1712345678901234 150\"\n"
           "  --replay FILE      stream a capture file's bytes instead of the scenario, one\n"
           "                     frame-sized chunk per report, garbage included; then go silent\n"
           "  --fault FAULT      inject a fault (repeatable):\n"
           "                       noack:CMD[:N]     no acknowledgement for command CMD (such\n"
           "                                         as 0x0061); only the Nth one when N is given\n"
           "                       nak:CMD[:N]       answer it with failure status 1\n"
           "                       garbage:PERMILLE  random bytes before a report, that often\n"
           "                       badtail:PERMILLE  a report's tail corrupted, that often\n"
           "                       split             frames written in random pieces\n"
           "                       silent            no reports\n"
           "                       hangup:SECONDS    close the terminal after that time, then exit\n"
           "                       late:CMD:MS[:N]   answer CMD (the Nth) MS milliseconds later\n"
           "                       unplug:CMD[:N]    hang up instead of answering CMD, then exit\n"
           "                       chatty            keep reporting in command mode\n"
           "  --help             show this text\n"
           "\n"
           "Nothing is sent while no one has the port open, and a replay starts with the first\n"
           "listener. noack and nak count only the commands the module would answer (all in\n"
           "command mode, only 0x00FF outside it); a command left unanswered or refused\n"
           "changes nothing.\n"
           "\n"
           "Examples:\n"
           "  radar-sim --link /tmp/radar\n"
           "  radar-sim --link /tmp/radar --engineering --record cmds.jsonl --fault nak:0x0064:3\n"
           "\n"
           "Exit status: 0 after a signal or a hang-up fault, 1 when the terminal, a link or a\n"
           "file cannot be set up, 2 for wrong usage.\n";
}

bool ParseProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options,
                         std::string& error) {
    ProgramOptions result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = name + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        unsigned long long number = 0;
        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--link") {
            if (!value(result.link))
                return false;
            if (result.link.empty()) {
                error = "--link needs a path";
                return false;
            }
        } else if (name == "--gates") {
            if (!value(text))
                return false;
            if (!ParseNumber(text, kMinGates, kMaxGates, number)) {
                error = "--gates takes a number from 1 to 256";
                return false;
            }
            result.gates = int(number);
        } else if (name == "--rate") {
            if (!value(text))
                return false;
            if (!ParseNumber(text, 1, 1000, number)) {
                error = "--rate takes a number from 1 to 1000";
                return false;
            }
            result.rateHz = int(number);
        } else if (name == "--engineering") {
            result.engineering = true;
        } else if (name == "--seed") {
            if (!value(text))
                return false;
            if (!ParseNumber(text, 0, UINT64_MAX, number)) {
                error = "--seed takes a whole number";
                return false;
            }
            result.seed = number;
        } else if (name == "--record") {
            if (!value(result.recordPath))
                return false;
        } else if (name == "--sent") {
            if (!value(result.sentPath))
                return false;
        } else if (name == "--report-times") {
            if (!value(result.reportTimesPath))
                return false;
        } else if (name == "--replay") {
            if (!value(result.replayPath))
                return false;
        } else if (name == "--fault") {
            if (!value(text))
                return false;
            std::string reason;
            if (!AddFault(result.faults, text, reason)) {
                error = "--fault " + text + ": " + reason;
                return false;
            }
        } else {
            error = "unknown argument '" + name + "'";
            return false;
        }
    }
    if (!result.help && result.link.empty()) {
        error = "--link PATH is required";
        return false;
    }
    options = std::move(result);
    return true;
}

} // namespace radarsim
