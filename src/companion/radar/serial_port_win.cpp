// Serial ports on Windows: overlapped I/O on \\.\COMn, with the driver timing each read.
#include "serial_port.h"

#include "deadline.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

// The driver ends a read itself after its time-out; the wait for it gets this much more
// before the read is cancelled, for drivers that do not keep time. A cancelled read still
// reports the bytes it had taken.
constexpr DWORD kDriverSlackMs = 20;
// How much longer than asked a read time-out already set may be and still be used.
constexpr DWORD kReuseTimeoutSlackMs = 16;
constexpr DWORD kDriverQueueSize = 4096;
const char kDevicePrefix[] = "\\\\.\\";

// Closes a kernel handle exactly once.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
    ~ScopedHandle() {
        if (IsValid())
            CloseHandle(m_handle);
    }
    ScopedHandle(ScopedHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle& operator=(ScopedHandle&&) = delete;

    HANDLE Get() const { return m_handle; }
    bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle = nullptr;
};

std::string SystemError(const std::string& what, DWORD code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = what + ": error " + std::to_string(code);
    if (length > 0 && text != nullptr) {
        while (length > 0 &&
               (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
            --length;
        message.append(" (").append(text, length).append(")");
    }
    if (text != nullptr)
        LocalFree(text);
    return message;
}

std::wstring Widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), int(text.size()), wide.data(), length);
    return wide;
}

// "COM12" and "\\.\COM12" both name the device; only the prefixed form reaches ports above COM9.
std::string DevicePath(const std::string& name) {
    return name.rfind(kDevicePrefix, 0) == 0 ? name : kDevicePrefix + name;
}

enum class Outcome { kDone, kTimedOut, kFailed };

class WinSerialPort : public SerialPort {
public:
    WinSerialPort(ScopedHandle port, ScopedHandle readEvent, ScopedHandle writeEvent)
        : m_port(std::move(port)), m_readEvent(std::move(readEvent)), m_writeEvent(std::move(writeEvent)) {}

    bool SetReadTimeout(DWORD timeoutMs) {
        timeoutMs = std::max<DWORD>(timeoutMs, 1);
        // Each change is a round trip through the driver (and Wine's server): a time-out a few
        // milliseconds longer than asked, as the remainder of a long wait is, is kept.
        if (m_readTimeoutMs >= timeoutMs && m_readTimeoutMs - timeoutMs <= kReuseTimeoutSlackMs &&
            m_readTimeoutMs <= timeoutMs + timeoutMs / 16)
            return true;
        // {1, 0, T}: a read ends a moment after bytes stop coming, or after T ms without any.
        // Wine ignores the {MAXDWORD, MAXDWORD, T} form (its read waits for a full buffer)
        // and waits for data on {MAXDWORD, 0, 0}, so neither is used; T = 0 becomes 1 ms.
        COMMTIMEOUTS timeouts = {};
        timeouts.ReadIntervalTimeout = 1;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = timeoutMs;
        if (!SetCommTimeouts(m_port.Get(), &timeouts))
            return false;
        m_readTimeoutMs = timeoutMs;
        return true;
    }

    bool Write(const uint8_t* data, size_t size, int timeoutMs) override {
        Deadline deadline(timeoutMs);
        size_t written = 0;
        while (written < size) {
            DWORD chunk = DWORD(std::min<size_t>(size - written, MAXDWORD));
            OVERLAPPED overlapped = {};
            overlapped.hEvent = m_writeEvent.Get();
            if (!WriteFile(m_port.Get(), data + written, chunk, nullptr, &overlapped) &&
                GetLastError() != ERROR_IO_PENDING)
                return false;
            DWORD count = 0;
            if (Finish(overlapped, DWORD(deadline.RemainingMs()), count) != Outcome::kDone || count == 0)
                return false;
            written += count;
        }
        return true;
    }

    int Read(uint8_t* buffer, size_t size, int timeoutMs) override {
        if (size == 0)
            return 0;
        // Room for the slack within a DWORD.
        DWORD timeout = DWORD(std::clamp(timeoutMs, 0, int(MAXDWORD / 2)));
        if (!SetReadTimeout(timeout))
            return -1;
        DWORD chunk = DWORD(std::min<size_t>(size, INT_MAX));
        OVERLAPPED overlapped = {};
        overlapped.hEvent = m_readEvent.Get();
        if (!ReadFile(m_port.Get(), buffer, chunk, nullptr, &overlapped) &&
            GetLastError() != ERROR_IO_PENDING)
            return -1;
        DWORD count = 0;
        if (Finish(overlapped, timeout + kDriverSlackMs, count) == Outcome::kFailed)
            return -1;
        return int(count);
    }

    // Clears the queues without aborting a read that another thread may have pending.
    void Purge() override { PurgeComm(m_port.Get(), PURGE_RXCLEAR | PURGE_TXCLEAR); }

private:
    // Waits up to `waitMs` for an overlapped operation; one still running then is cancelled,
    // and whatever it transferred until then is in `count`.
    Outcome Finish(OVERLAPPED& overlapped, DWORD waitMs, DWORD& count) {
        if (WaitForSingleObject(overlapped.hEvent, waitMs) != WAIT_OBJECT_0)
            CancelIo(m_port.Get());
        // Even when cancelled, the operation must end before its OVERLAPPED leaves the stack.
        if (GetOverlappedResult(m_port.Get(), &overlapped, &count, TRUE))
            return Outcome::kDone;
        DWORD error = GetLastError();
        // Wine ends a read whose time-out passed with STATUS_TIMEOUT, not a short success.
        return error == ERROR_TIMEOUT || error == ERROR_OPERATION_ABORTED ? Outcome::kTimedOut
                                                                          : Outcome::kFailed;
    }

    ScopedHandle m_port;
    ScopedHandle m_readEvent;
    ScopedHandle m_writeEvent;
    DWORD m_readTimeoutMs = MAXDWORD; // none set yet
};

bool Configure(HANDLE port, int baudRate, int stopBits) {
    // The queue sizes are only a request; drivers that ignore it still work.
    SetupComm(port, kDriverQueueSize, kDriverQueueSize);
    DCB settings = {};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(port, &settings))
        return false;
    settings.BaudRate = DWORD(baudRate);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fDsrSensitivity = FALSE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    settings.fErrorChar = FALSE;
    settings.fNull = FALSE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    settings.fAbortOnError = FALSE; // a line error must not fail every later call
    return SetCommState(port, &settings) != FALSE;
}

} // namespace

std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name, int baudRate, int stopBits,
                                           std::string& error) {
    std::string path = DevicePath(name);
    ScopedHandle port(CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!port.IsValid()) {
        error = SystemError(path, GetLastError());
        return nullptr;
    }
    if (!Configure(port.Get(), baudRate, stopBits)) {
        error = SystemError(path + " at " + std::to_string(baudRate) + " baud", GetLastError());
        return nullptr;
    }
    // Manual-reset events, one per direction, so that a read and a write never share one.
    ScopedHandle readEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle writeEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!readEvent.IsValid() || !writeEvent.IsValid()) {
        error = SystemError(path, GetLastError());
        return nullptr;
    }
    auto serial =
        std::make_unique<WinSerialPort>(std::move(port), std::move(readEvent), std::move(writeEvent));
    // Also clears write time-outs that an earlier user of the port may have left behind.
    if (!serial->SetReadTimeout(0)) {
        error = SystemError(path, GetLastError());
        return nullptr;
    }
    return serial;
}

std::string SerialPortNameForNumber(int portNumber) {
    return kDevicePrefix + std::string("COM") + std::to_string(portNumber);
}
