#include "serial_enum.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::vector<std::wstring> Names(const CPtrListCtrl& list) {
    std::vector<std::wstring> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.emplace_back(static_cast<const wchar_t*>(list.GetAt(i)));
    return names;
}
} // namespace

TEST(SerialPortsPosix, DevicesBackedByHardwareInNaturalOrder) {
    TempFolder tree;
    fs::path sys = tree.Path() / "class";
    fs::path dev = tree.Path() / "dev";
    fs::create_directories(dev);
    fs::create_directories(tree.Path() / "drivers" / "serial8250");
    fs::create_directories(tree.Path() / "drivers" / "ftdi_sio");
    struct Entry {
        const char* name;
        const char* driver; // null: no device behind it (console, pseudo-terminal)
        bool node;          // whether /dev holds it
    } entries[] = {
        {"ttyUSB10", "ftdi_sio", true}, {"ttyUSB9", "ftdi_sio", true}, {"ttyACM0", "ftdi_sio", true},
        {"tty1", nullptr, true},        {"ptmx", nullptr, true},       {"ttyUSB3", "ftdi_sio", false},
        {"ttyS0", "serial8250", true}, // a legacy UART that cannot be probed here
    };
    for (const Entry& e : entries) {
        fs::create_directories(sys / e.name);
        if (e.driver) {
            fs::create_directories(sys / e.name / "device");
            fs::create_directory_symlink(tree.Path() / "drivers" / e.driver,
                                         sys / e.name / "device" / "driver");
        }
        if (e.node)
            WriteBytes((dev / e.name).string(), "");
    }

    CPtrListCtrl ports;
    EXPECT_EQ(EnumSerialPortsUnder(sys.c_str(), dev.c_str(), &ports), 3);
    std::wstring d = dev.wstring() + L"/";
    EXPECT_EQ(Names(ports), (std::vector<std::wstring>{d + L"ttyACM0", d + L"ttyUSB9", d + L"ttyUSB10"}));
    FreeSerialPortNameA(&ports);
    EXPECT_EQ(ports.GetCount(), 0);

    // A missing class folder means no ports.
    EXPECT_EQ(EnumSerialPortsUnder((tree.Path() / "none").c_str(), dev.c_str(), &ports), 0);
}
