// The report reader: the loop the reader thread runs while reporting is on.
#pragma once

#include "frame_scanner.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

// Reads that bring bytes are at least this far apart: at the line's limit each carries a few
// reports; at the module's ten a second every report is read as it comes.
inline constexpr int kReportReadBatchMs = 8;

// Where the bytes come from (the device library in the program, fakes in tests).
class IReportSource {
public:
    virtual ~IReportSource() = default;
    virtual int GetReadSize() = 0;
    // As KOVA_Interface_RadarDevice_ReadData: count, 0 nothing in time, negative error.
    virtual int Read(uint8_t* buffer, int size, int timeoutMs) = 0;
    // The least time between reads that bring bytes. A source that holds all its bytes
    // already (a replay) gains nothing by waiting.
    virtual int ReadBatchMs() { return kReportReadBatchMs; }
};

inline constexpr int kReportReadTimeoutMs = 2000;
// The read size when the source names none. The device library reads up to as much, so
// capture replays read in pieces of this size too.
inline constexpr int kDefaultReportReadSize = 4096;
// After a failed read (a lost port fails at once) the loop waits this long, so that it
// does not spin until the stop flag is raised.
inline constexpr int kReportReadErrorPauseMs = 50;

// Reads until `stop` is nonzero (checked before every read): writes every byte read to
// `capture` (if not null) in full, appends it to an accumulation buffer, scans it and keeps
// the unconsumed tail. A write to the capture that fails ends the capture (nothing more is
// written to it), is logged and sets `captureFailed`; reading goes on. Returns 0.
int RunReportReader(IReportSource& source, std::FILE* capture, const std::atomic<int>& stop,
                    IFrameHandler& handler, std::atomic<bool>* captureFailed = nullptr);

// Closes a capture file and sets it to null. A close that fails (its last bytes could not be
// written: a full disk) is logged and answers false. Null is ignored (true).
bool CloseCapture(std::FILE*& capture);

// The device library as a report source (defined apart, so that the loop links without it).
class DeviceReportSource : public IReportSource {
public:
    explicit DeviceReportSource(uint64_t handle) : m_handle(handle) {}
    int GetReadSize() override;
    int Read(uint8_t* buffer, int size, int timeoutMs) override;

private:
    uint64_t m_handle;
};
