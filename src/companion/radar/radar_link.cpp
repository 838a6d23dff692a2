#include "radar_link.h"

#include "KOVA_DataProcess.h"
#include "ack_search.h"
#include "deadline.h"
#include "dbg_output.h"
#include "radar_protocol.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

namespace {

// Reads while waiting for an acknowledgement or draining go through a buffer of this size.
constexpr size_t kChunkSize = 512;
// The line counts as quiet once no byte arrived for this long. Frames come back to back
// within a millisecond at the usual rates, and reports about every 100 ms.
constexpr int kQuietGapMs = 20;

int ClampToInt(size_t count) {
    return int(std::min<size_t>(count, INT_MAX));
}

} // namespace

bool RadarLink::Open(const std::string& name, int baudRate, int attempts, int stopBits, bool purge,
                     int retryDelayMs) {
    Close();
    if (name.empty() || baudRate <= 0 || (stopBits != 1 && stopBits != 2)) {
        DbgOutputA(2, "Serial open refused: port \"%s\", %d baud, %d stop bits\r\n", name.c_str(), baudRate,
                   stopBits);
        return false;
    }
    attempts = std::max(attempts, 1);
    std::unique_ptr<SerialPort> port;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        std::string error;
        port = OpenSerialPort(name, baudRate, stopBits, error);
        if (port)
            break;
        DbgOutputA(2, "Serial open failed (attempt %d of %d): %s\r\n", attempt, attempts, error.c_str());
        if (attempt < attempts && retryDelayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(retryDelayMs));
    }
    if (!port)
        return false;
    if (purge)
        port->Purge();
    std::lock_guard<std::mutex> hold(m_lock);
    m_port = std::move(port);
    m_received.Clear();
    m_lost = false;
    m_owner = Owner::kCommands;
    m_open = true;
    return true;
}

void RadarLink::Close() {
    std::shared_ptr<SerialPort> port;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        port = std::move(m_port);
        m_received.Clear();
        m_open = false;
        m_lost = false;
        m_owner = Owner::kCommands;
    }
    // The port closes here, outside the lock, unless a running read still holds it.
}

bool RadarLink::FinishStarting() {
    Owner starting = Owner::kStarting;
    return m_owner.compare_exchange_strong(starting, Owner::kReporting);
}

std::shared_ptr<SerialPort> RadarLink::LivePort() {
    std::lock_guard<std::mutex> hold(m_lock);
    return IsConnected() ? m_port : nullptr;
}

void RadarLink::MarkLost(const std::shared_ptr<SerialPort>& port) {
    std::lock_guard<std::mutex> hold(m_lock);
    // A port replaced by Close or Open meanwhile says nothing about the current one.
    if (m_port == port && m_open.load()) {
        if (!m_lost.exchange(true))
            DbgOutputA(2, "Serial port lost\r\n");
    }
}

int RadarLink::ReadPort(const std::shared_ptr<SerialPort>& port, uint8_t* buffer, size_t size,
                        int timeoutMs) {
    int count = port->Read(buffer, size, timeoutMs);
    if (count < 0)
        MarkLost(port);
    return count;
}

uint16_t RadarLink::Exchange(uint16_t word, const uint8_t* value, size_t valueSize, int timeoutMs,
                             std::vector<uint8_t>& afterWord) {
    std::shared_ptr<SerialPort> port = LivePort();
    if (!port)
        return RADAR_ERR_NOT_OPEN;
    Deadline deadline(timeoutMs);
    std::vector<uint8_t> frame = radar::BuildCommandFrame(word, value, valueSize);
    uint8_t chunk[kChunkSize];
    if (!port->Write(frame.data(), frame.size(), deadline.RemainingMs())) {
        // A write can also fail by time-out on a healthy port; only a read tells the two apart.
        // Whatever it brings is kept for later.
        int count = ReadPort(port, chunk, sizeof chunk, 0);
        if (count > 0) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_received.Append(chunk, size_t(count));
        }
        return RADAR_ERR_WRITE_FAILED;
    }
    for (;;) {
        AckSearch search;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            search = TakeAck(m_received, word, afterWord);
        }
        if (search == AckSearch::kFound)
            return RADAR_OK;
        if (search == AckSearch::kMalformed)
            return RADAR_ERR_MALFORMED_ACK;
        if (deadline.Expired())
            return RADAR_ERR_NO_ACK;
        int count = ReadPort(port, chunk, sizeof chunk, deadline.RemainingMs());
        if (count < 0)
            return RADAR_ERR_NOT_OPEN;
        std::lock_guard<std::mutex> hold(m_lock);
        m_received.Append(chunk, size_t(count));
    }
}

int RadarLink::Read(uint8_t* buffer, size_t size, int timeoutMs, bool waitForFull) {
    size = std::min(size, size_t(kMaxReadSize));
    std::shared_ptr<SerialPort> port;
    size_t got = 0;
    {
        // Bytes that came after an acknowledgement are part of the stream: they go first.
        std::lock_guard<std::mutex> hold(m_lock);
        got = m_received.Take(buffer, size);
        if (IsConnected())
            port = m_port;
    }
    auto done = [&] { return got == size || (got > 0 && !waitForFull); };
    if (done())
        return int(got);
    if (!port)
        return got > 0 ? int(got) : -1;
    Deadline deadline(timeoutMs);
    do {
        int count = ReadPort(port, buffer + got, size - got, deadline.RemainingMs());
        if (count < 0)
            return got > 0 ? int(got) : -1;
        got += size_t(count);
    } while (!done() && !deadline.Expired());
    return int(got);
}

int RadarLink::DrainInput(int maxWaitMs) {
    std::shared_ptr<SerialPort> port;
    size_t dropped = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        dropped = m_received.Size();
        m_received.Clear();
        if (IsConnected())
            port = m_port;
    }
    if (!port)
        return ClampToInt(dropped);
    Deadline deadline(maxWaitMs);
    uint8_t scratch[kChunkSize];
    while (!deadline.Expired()) {
        int count = ReadPort(port, scratch, sizeof scratch, std::min(kQuietGapMs, deadline.RemainingMs()));
        if (count <= 0)
            break;
        dropped += size_t(count);
    }
    return ClampToInt(dropped);
}

bool RadarLink::DiscardInput() {
    std::shared_ptr<SerialPort> port;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_received.Clear();
        if (IsConnected())
            port = m_port;
    }
    if (!port)
        return false;
    port->Purge();
    return true;
}
