// A serial port, one implementation per OS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Writes all bytes, waiting at most `timeoutMs`; false on error or time-out.
    virtual bool Write(const uint8_t* data, size_t size, int timeoutMs) = 0;
    // Returns as soon as any bytes arrived (up to `size`), 0 after `timeoutMs` without any,
    // negative when the port failed or was hung up.
    virtual int Read(uint8_t* buffer, size_t size, int timeoutMs) = 0;
    // Drops what the driver has buffered in both directions.
    virtual void Purge() = 0;
};

// Opens `name` (a device path, or a COM name on Windows) raw, 8N1 without flow control.
// Null on failure, with the system's reason in `error`.
std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name, int baudRate, int stopBits,
                                           std::string& error);

// The device name for a port number: \\.\COMn on Windows, /dev/ttyS<n-1> elsewhere.
std::string SerialPortNameForNumber(int portNumber);
