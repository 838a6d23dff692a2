// One device handle's link: the open port, the bytes received but not yet consumed, and the
// exchange of a command frame for its acknowledgement.
//
// The port pointer and the receive buffer are locked only for short moments, never while a
// call waits on the port, so IsConnected and Close never wait for a blocked read. A read
// that is still running when the port is closed keeps the old port alive until it returns.
#pragma once

#include "receive_buffer.h"
#include "serial_port.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RadarLink {
public:
    // The most bytes one Read returns.
    static constexpr int kMaxReadSize = 4096;

    ~RadarLink() { Close(); }

    // Closes an open port first. False when the arguments are invalid or every attempt failed.
    bool Open(const std::string& name, int baudRate, int attempts, int stopBits, bool purge,
              int retryDelayMs);
    void Close();
    bool IsConnected() const { return m_open.load() && !m_lost.load(); }

    // Writes the command frame of `word` and waits up to `timeoutMs` for its acknowledgement;
    // `afterWord` receives the status word and the returned value. RADAR_OK or an error code.
    uint16_t Exchange(uint16_t word, const uint8_t* value, size_t valueSize, int timeoutMs,
                      std::vector<uint8_t>& afterWord);
    // Buffered bytes first, then the port's, as KOVA_Interface_RadarDevice_ReadData.
    int Read(uint8_t* buffer, size_t size, int timeoutMs, bool waitForFull);
    // Drops the buffered bytes and those arriving until a short quiet gap or `maxWaitMs`.
    // Returns how many were dropped.
    int DrainInput(int maxWaitMs);
    // Drops the buffered bytes and the driver's at once; false when the link is not open.
    bool DiscardInput();

    // Who owns the line. Start hands it to the report stream: from then on only the leaving
    // of command mode that ends Start's bracket may still be sent, and once that is done (or
    // the first read of the stream), nothing but ReadData until Stop. Open, Close and Stop
    // give the line back to commands.
    enum class Owner { kCommands, kStarting, kReporting };
    Owner LineOwner() const { return m_owner.load(); }
    void SetLineOwner(Owner owner) { m_owner = owner; }
    // kStarting becomes kReporting; true when it did.
    bool FinishStarting();

private:
    // The port while the link is open and not lost, else null.
    std::shared_ptr<SerialPort> LivePort();
    // Reads from `port`; a failure marks the link lost.
    int ReadPort(const std::shared_ptr<SerialPort>& port, uint8_t* buffer, size_t size, int timeoutMs);
    void MarkLost(const std::shared_ptr<SerialPort>& port);

    std::mutex m_lock; // guards m_port and m_received
    std::shared_ptr<SerialPort> m_port;
    ReceiveBuffer m_received;
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_lost{false}; // a read or write found the port gone
    std::atomic<Owner> m_owner{Owner::kCommands};
};
