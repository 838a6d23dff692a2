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

// Writes all of `size` bytes unless the stream reports an error; the rest of the block is
// then lost to the capture, and reading goes on.
void WriteAll(std::FILE* file, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        size_t written = std::fwrite(bytes, 1, size, file);
        if (written == 0 || std::ferror(file))
            return;
        bytes += written;
        size -= written;
    }
}

} // namespace

int RunReportReader(IReportSource& source, std::FILE* capture, const std::atomic<int>& stop,
                    IFrameHandler& handler) {
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
        if (capture)
            WriteAll(capture, readBuffer.get(), size);
        if (!pending.AppendBuffer(readBuffer.get(), size))
            continue; // out of memory: these bytes are lost to the decoder, not to the capture
        size_t consumed = ScanReportFrames(pending.GetBuffer(), pending.GetAvailSize(), handler);
        pending.SetBuffer(pending.GetBuffer() + consumed, pending.GetAvailSize() - consumed);
    }
    return 0;
}

void CloseCapture(std::FILE*& capture) {
    if (capture == nullptr)
        return;
    if (std::fclose(capture) != 0)
        DbgOutputA(2, "Capture file could not be completed: %s\r\n", std::strerror(errno));
    capture = nullptr;
}
