// pty-hold --link PATH: opens a pseudo-terminal, links its slave to PATH, prints "ready" and
// keeps it open until stdin closes or a signal arrives, so that a test can map the slave to
// a COM port under Wine. The same command line as radar-sim, which takes its place where a
// test needs a module behind the port.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

static volatile std::sig_atomic_t g_stop = 0;
static void OnSignal(int) { g_stop = 1; }

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--link") != 0) {
        std::fprintf(stderr, "usage: pty-hold --link PATH\n");
        return 2;
    }
    const std::string link = argv[2];
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || ptsname(master) == nullptr) {
        std::perror("pty-hold");
        return 1;
    }
    unlink(link.c_str());
    if (symlink(ptsname(master), link.c_str()) != 0) {
        std::perror("pty-hold: link");
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    char byte;
    while (!g_stop && read(STDIN_FILENO, &byte, 1) > 0) {
    }
    unlink(link.c_str());
    close(master);
    return 0;
}
