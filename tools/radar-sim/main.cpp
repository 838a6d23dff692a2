// radar-sim: the radar module on a pseudo-terminal. See UsageText() for the command line.
#include "radar_simulator.h"
#include "sim_options.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <pthread.h>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    radarsim::ProgramOptions options;
    std::string error;
    if (!radarsim::ParseProgramOptions(arguments, options, error)) {
        std::fprintf(stderr, "radar-sim: %s\n\n%s", error.c_str(), radarsim::UsageText());
        return 2;
    }
    if (options.help) {
        std::fputs(radarsim::UsageText(), stdout);
        return 0;
    }

    radarsim::SimulatorOptions sim;
    sim.gates = options.gates;
    sim.rateHz = options.rateHz;
    sim.engineering = options.engineering;
    sim.seed = options.seed;
    sim.faults = options.faults;
    sim.recordPath = options.recordPath;
    sim.sentPath = options.sentPath;
    sim.reportTimesPath = options.reportTimesPath;
    sim.keepSent = false;
    if (!options.replayPath.empty()) {
        std::ifstream in(options.replayPath, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "radar-sim: cannot read %s: %s\n", options.replayPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
        sim.replay = true;
        sim.replayBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The signals are taken by sigtimedwait below, never by a handler; blocked before the
    // worker starts so that it inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    sigaddset(&signals, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    radarsim::RadarSimulator simulator(std::move(sim));
    std::string slave = simulator.Start(options.link);
    if (slave.empty()) {
        std::fprintf(stderr, "radar-sim: %s\n", simulator.Error().c_str());
        return 1;
    }
    std::fprintf(stderr, "radar-sim: %s linked at %s\n", slave.c_str(), options.link.c_str());
    std::printf("ready\n");
    std::fflush(stdout);

    for (;;) {
        timespec wait = {0, 100 * 1000 * 1000};
        int signal = sigtimedwait(&signals, nullptr, &wait);
        if (signal == SIGINT || signal == SIGTERM)
            break;
        if (signal == SIGUSR1 || signal == SIGUSR2)
            simulator.SetPaused(signal == SIGUSR1);
        if (simulator.HungUp()) {
            std::fprintf(stderr, "radar-sim: hung up\n");
            break;
        }
    }
    simulator.Stop();
    return 0;
}
