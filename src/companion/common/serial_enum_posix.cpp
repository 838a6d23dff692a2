#include "serial_enum.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace {

std::string DriverOf(const std::string& ttyClassEntry) {
    char target[512];
    std::string link = ttyClassEntry + "/device/driver";
    ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return "";
    std::string path(target, size_t(length));
    return path.substr(path.rfind('/') + 1);
}

// Legacy 8250 UARTs are always listed by the kernel, present or not; only a probed one counts.
bool LegacyUartPresent(const std::string& device) {
#if defined(__linux__)
    int fd = open(device.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    serial_struct info{};
    bool present = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return present;
#else
    (void)device;
    return false;
#endif
}

// "ttyUSB10" after "ttyUSB9".
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            unsigned long long na = std::stoull(a.substr(i, std::min<size_t>(ei - i, 18)));
            unsigned long long nb = std::stoull(b.substr(j, std::min<size_t>(ej - j, 18)));
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

} // namespace

int EnumSerialPortNameW(CPtrListCtrl* list) {
    return EnumSerialPortsUnder("/sys/class/tty", "/dev", list);
}

int EnumSerialPortsUnder(const char* ttyClassDir, const char* deviceDir, CPtrListCtrl* list) {
    if (list == nullptr)
        return 0;
    std::vector<std::string> devices;
    const std::string classDir = ttyClassDir;
    if (DIR* dir = opendir(classDir.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            std::string classEntry = classDir + "/" + name;
            struct stat info {};
            // Only ttys backed by a device: this leaves out consoles and pseudo-terminals.
            if (stat((classEntry + "/device").c_str(), &info) != 0)
                continue;
            std::string device = std::string(deviceDir) + "/" + name;
            if (access(device.c_str(), F_OK) != 0)
                continue;
            if (DriverOf(classEntry) == "serial8250" && !LegacyUartPresent(device))
                continue;
            devices.push_back(device);
        }
        closedir(dir);
    }
    std::sort(devices.begin(), devices.end(), NaturalLess);
    for (const std::string& device : devices) {
        std::wstring wide(device.begin(), device.end());
        AppendSerialPortName(list, wide.c_str());
    }
    return static_cast<int>(devices.size());
}
