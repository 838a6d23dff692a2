// The commands of radar-cli, each in its own command-mode bracket.
#pragma once

#include "KOVA_DataProcess.h"
#include "cli_args.h"

#include <atomic>
#include <cstdio>

enum CliExit { kExitOk = 0, kExitModule = 1, kExitUsage = 2 };

// Runs options.command on an open link; messages go to `out` and `err`.
int RunCliCommand(RADAR_HANDLE handle, const CliOptions& options, const std::atomic<int>& interrupted,
                  std::FILE* out, std::FILE* err);

// Prints the serial ports present, one a line; no link is needed.
int ListPorts(std::FILE* out);

// A short reason for a command result code ("no acknowledgement", "refused by the module").
const char* DescribeRadarCode(uint16_t code);
