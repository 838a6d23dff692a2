// radar-cli: reads and writes the module's parameters and streams its reports from a serial
// device, through the same device library as the Windows program.
#include "cli_args.h"
#include "cli_commands.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {
std::atomic<int> g_interrupted{0};
void OnSignal(int) {
    g_interrupted = 1;
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& a : arguments) {
        if (a == "--help" || a == "-h") {
            std::fputs(kCliUsage, stdout);
            return kExitOk;
        }
    }
    CliOptions options;
    std::string error;
    if (!ParseCliArguments(arguments, options, error)) {
        std::fprintf(stderr, "radar-cli: %s\n\n%s", error.c_str(), kCliUsage);
        return kExitUsage;
    }
    if (options.command == "list")
        return ListPorts(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    RADAR_HANDLE handle = KOVA_Interface_RadarDevice_Serial_Create();
    if (!KOVA_Interface_RadarDevice_Serial_OpenByName(handle, options.port.c_str(), options.baud, 2, 1, 1,
                                                      150)) {
        std::fprintf(stderr, "radar-cli: cannot open %s at %d baud\n", options.port.c_str(), options.baud);
        KOVA_Interface_RadarDevice_Serial_Destroy(handle);
        return kExitModule;
    }
    int status = RunCliCommand(handle, options, g_interrupted, stdout, stderr);
    KOVA_Interface_RadarDevice_Serial_Close(handle);
    KOVA_Interface_RadarDevice_Serial_Destroy(handle);
    return status;
}
