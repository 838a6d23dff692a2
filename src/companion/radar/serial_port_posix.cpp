// Serial ports on POSIX systems: a raw, non-blocking descriptor, waited on with poll().
#include "serial_port.h"

#include "deadline.h"

#if defined(__linux__)
#include "serial_baud_linux.h"
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string SystemError(const std::string& what) {
    int code = errno;
    return what + ": " + std::strerror(code);
}

struct StandardRate {
    int rate;
    speed_t constant;
};

constexpr StandardRate kStandardRates[] = {
    {50, B50},           {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},         {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},       {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600},     {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B500000
    {500000, B500000},
#endif
#ifdef B576000
    {576000, B576000},
#endif
#ifdef B921600
    {921600, B921600},
#endif
#ifdef B1000000
    {1000000, B1000000},
#endif
#ifdef B1152000
    {1152000, B1152000},
#endif
#ifdef B1500000
    {1500000, B1500000},
#endif
#ifdef B2000000
    {2000000, B2000000},
#endif
#ifdef B3000000
    {3000000, B3000000},
#endif
#ifdef B4000000
    {4000000, B4000000},
#endif
};

const StandardRate* FindStandardRate(int baudRate) {
    for (const StandardRate& entry : kStandardRates) {
        if (entry.rate == baudRate)
            return &entry;
    }
    return nullptr;
}

#if defined(__linux__)
bool SetOtherRate(int fd, int baudRate) {
    return SetLinuxCustomBaudRate(fd, baudRate);
}

// A pseudo-terminal has no line speed; a driver that refuses one must not stop the open.
bool IsPseudoTerminal(int fd) {
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= 136 && deviceMajor <= 143; // Unix98 pseudo-terminal slaves
}
#else
// The BSDs take the rate itself as the speed value.
bool SetOtherRate(int fd, int baudRate) {
    termios settings;
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfsetispeed(&settings, speed_t(baudRate));
    cfsetospeed(&settings, speed_t(baudRate));
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool IsPseudoTerminal(int) {
    return false;
}
#endif

bool Configure(int fd, const std::string& name, int baudRate, int stopBits, std::string& error) {
    termios settings;
    if (tcgetattr(fd, &settings) != 0) {
        error = SystemError(name);
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB);
#ifdef CRTSCTS
    settings.c_cflag &= ~tcflag_t(CRTSCTS);
#endif
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    if (stopBits == 2)
        settings.c_cflag |= CSTOPB;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 1; // with O_NONBLOCK: no data is EAGAIN, so a read of 0 means hang-up
    settings.c_cc[VTIME] = 0;
    const StandardRate* standard = FindStandardRate(baudRate);
    if (standard != nullptr) {
        cfsetispeed(&settings, standard->constant);
        cfsetospeed(&settings, standard->constant);
    }
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = SystemError(name);
        return false;
    }
    if (standard == nullptr && !SetOtherRate(fd, baudRate) && !IsPseudoTerminal(fd)) {
        error = SystemError(name + " at " + std::to_string(baudRate) + " baud");
        return false;
    }
    return true;
}

class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(int fd) : m_fd(fd) {}
    ~PosixSerialPort() override { close(m_fd); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool Write(const uint8_t* data, size_t size, int timeoutMs) override {
        Deadline deadline(timeoutMs);
        size_t written = 0;
        while (written < size) {
            ssize_t count = write(m_fd, data + written, size - written);
            if (count > 0) {
                written += size_t(count);
                continue;
            }
            if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                return false;
            pollfd wait = {m_fd, POLLOUT, 0};
            int ready = poll(&wait, 1, deadline.RemainingMs());
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0 || (wait.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return false;
        }
        return true;
    }

    int Read(uint8_t* buffer, size_t size, int timeoutMs) override {
        if (size == 0)
            return 0;
        size = std::min(size, size_t(INT_MAX));
        Deadline deadline(timeoutMs);
        for (;;) {
            pollfd wait = {m_fd, POLLIN, 0};
            int ready = poll(&wait, 1, deadline.RemainingMs());
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                return -1;
            }
            if (ready == 0)
                return 0;
            // Bytes that came before a hang-up are still read; the read after them fails.
            if ((wait.revents & POLLIN) != 0) {
                ssize_t count = read(m_fd, buffer, size);
                if (count > 0)
                    return int(count);
                if (count == 0)
                    return -1;
                if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                    return -1;
                if (deadline.Expired())
                    return 0;
                continue;
            }
            if ((wait.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return -1;
        }
    }

    void Purge() override { tcflush(m_fd, TCIOFLUSH); }

private:
    int m_fd;
};

} // namespace

std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name, int baudRate, int stopBits,
                                           std::string& error) {
    int fd = open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(name);
        return nullptr;
    }
    auto port = std::make_unique<PosixSerialPort>(fd);
    if (!Configure(fd, name, baudRate, stopBits, error))
        return nullptr;
    return port;
}

std::string SerialPortNameForNumber(int portNumber) {
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}
