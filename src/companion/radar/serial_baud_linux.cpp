#include "serial_baud_linux.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetLinuxCustomBaudRate(int fd, int baudRate) {
    struct termios2 settings;
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = unsigned(baudRate);
    settings.c_ospeed = unsigned(baudRate);
    return ioctl(fd, TCSETS2, &settings) == 0;
}
