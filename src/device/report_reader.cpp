#include "report_reader.h"

#include "base_buffer.h"
#include "dbg_output.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

namespace {

// Writes all of `size` bytes; false when the stream reports an error (a full disk, a lost
// drive).
bool WriteAll(std::FILE* file, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        size_t written = std::fwrite(bytes, 1, size, file);
        if (written == 0 || std::ferror(file))
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

} // namespace

int RunReportReader(IReportSource& source, std::FILE* capture, const std::atomic<int>& stop,
                    IFrameHandler& handler, std::atomic<bool>* captureFailed) {
    int readSize = source.GetReadSize();
    if (readSize <= 0)
        readSize = kDefaultReportReadSize;
    std::unique_ptr<uint8_t[]> readBuffer(new (std::nothrow) uint8_t[size_t(readSize)]);
    if (!readBuffer)
        return 0;
    CBaseBuffer pending;
    using Clock = std::chrono::steady_clock;
    const auto batch = std::chrono::milliseconds(source.ReadBatchMs());
    Clock::time_point lastData = Clock::now() - batch;
    while (stop.load() == 0) {
        // Reads that keep finding bytes are spaced out: the driver keeps what arrives meanwhile,
        // and one read then carries several reports instead of a read (and its round trips
        // through the serial driver) per report. A report after a quiet spell is read at once.
        const auto since = Clock::now() - lastData;
        if (since < batch) {
            std::this_thread::sleep_for(batch - since);
            if (stop.load() != 0)
                break;
        }
        int count = source.Read(readBuffer.get(), readSize, kReportReadTimeoutMs);
        if (count < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(kReportReadErrorPauseMs));
        if (count <= 0)
            continue;
        lastData = Clock::now();
        size_t size = size_t(count < readSize ? count : readSize); // never trust more than we lent
        // After a failed write the capture ends there: a file with a gap in the middle would
        // no longer be the stream as it came.
        if (capture && !WriteAll(capture, readBuffer.get(), size)) {
            capture = nullptr;
            if (captureFailed != nullptr)
                captureFailed->store(true);
            DbgOutputA(2, "Capture file could not be written: %s\r\n", std::strerror(errno));
        }
        if (!pending.AppendBuffer(readBuffer.get(), size))
            continue; // out of memory: these bytes are lost to the decoder, not to the capture
        size_t consumed = ScanReportFrames(pending.GetBuffer(), pending.GetAvailSize(), handler);
        pending.SetBuffer(pending.GetBuffer() + consumed, pending.GetAvailSize() - consumed);
    }
    return 0;
}

bool CloseCapture(std::FILE*& capture) {
    if (capture == nullptr)
        return true;
    const bool closed = std::fclose(capture) == 0;
    if (!closed)
        DbgOutputA(2, "Capture file could not be completed: %s\r\n", std::strerror(errno));
    capture = nullptr;
    return closed;
}
