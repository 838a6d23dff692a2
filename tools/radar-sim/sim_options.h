// The command line of radar-sim.
#pragma once

#include "sim_faults.h"

#include <cstdint>
#include <string>
#include <vector>

namespace radarsim {

struct ProgramOptions {
    std::string link;
    int gates = 9;
    int rateHz = 10;
    bool engineering = false;
    uint64_t seed = 1;
    std::string recordPath;
    std::string sentPath;
    std::string reportTimesPath;
    std::string replayPath;
    FaultSet faults;
    bool help = false;
};

// Reads the arguments after the program name; false with a reason when they are wrong.
bool ParseProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options,
                         std::string& error);

// The text of --help (also printed, to stderr, after a usage error).
const char* UsageText();

} // namespace radarsim
