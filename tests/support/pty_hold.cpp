// Opens a pseudo-terminal, prints its slave path and keeps it open until stdin closes or a
// signal arrives, so that a test can map the slave to a COM port under Wine.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main() {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pty-hold");
        return 1;
    }
    const char* slave = ptsname(master);
    if (slave == nullptr) {
        std::perror("pty-hold");
        return 1;
    }
    std::printf("%s\n", slave);
    std::fflush(stdout);
    char byte;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    close(master);
    return 0;
}
