// Command line of radar-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CliOptions {
    std::string port;
    int baud = 256000;
    std::string command; // version, read, write, sens, stream, list
    bool json = false;   // read: the parameters as one JSON object

    // write
    std::optional<long> movingMax, motionlessMax, offTime;
    // sens
    std::optional<long> gate; // -1 means all gates
    std::optional<long> moving, motionless;
    // stream
    bool engineering = false;
    long seconds = 0; // 0: until interrupted
    std::string capture;
};

// Fills `options` from argv; on wrong usage returns false with the reason in `error`.
bool ParseCliArguments(const std::vector<std::string>& arguments, CliOptions& options, std::string& error);

extern const char kCliUsage[];
