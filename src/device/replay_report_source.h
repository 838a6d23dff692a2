// Replays a recorded byte stream (a capture file's content) as a report source, so that the
// reader loop decodes it exactly as it decoded the live stream.
#pragma once

#include "report_reader.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class ReplayReportSource : public IReportSource {
public:
    // Delivers bytes[0..size) (which must outlive the source), then raises `stop` on the next
    // read. `chunks` are the lengths of the first reads in turn (0 makes an empty read);
    // after them every read takes as much as the reader asks for.
    ReplayReportSource(const uint8_t* bytes, size_t size, std::atomic<int>& stop,
                       std::vector<size_t> chunks = {});

    int GetReadSize() override { return kDefaultReportReadSize; }
    int Read(uint8_t* buffer, int size, int timeoutMs) override;
    int ReadBatchMs() override { return 0; }

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_position = 0;
    std::atomic<int>& m_stop;
    std::vector<size_t> m_chunks;
    size_t m_nextChunk = 0;
};
