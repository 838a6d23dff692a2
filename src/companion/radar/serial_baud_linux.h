// Any baud rate on a Linux serial device, through termios2 and BOTHER. Its own translation
// unit, because <asm/termbits.h> defines the same structures as <termios.h>.
#pragma once

// False with errno set when the driver refuses.
bool SetLinuxCustomBaudRate(int fd, int baudRate);
