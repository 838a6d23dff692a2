#include "base_thread.h"
#include "dbg_output.h"
#include "report_decoder.h"
#include "report_frame_builder.h"
#include "report_reader.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Frame(uint8_t state, uint16_t distanceCm) {
    return BuildReportFrame(2, BuildReportData({state, distanceCm, 10, distanceCm, 20, distanceCm}));
}

// Plays a script of read results (bytes, or a bare count of 0 or less), then raises the stop
// flag; records the sizes the reader asked for.
class ScriptedSource : public IReportSource {
public:
    struct Step {
        Bytes bytes;
        int result = 0; // used when `bytes` is empty
    };

    ScriptedSource(std::vector<Step> steps, std::atomic<int>& stop, int readSize)
        : m_steps(std::move(steps)), m_stop(stop), m_readSize(readSize) {}

    std::vector<int> askedSizes;

    int GetReadSize() override { return m_readSize; }
    int Read(uint8_t* buffer, int size, int timeoutMs) override {
        EXPECT_EQ(timeoutMs, kReportReadTimeoutMs);
        askedSizes.push_back(size);
        if (m_next == m_steps.size()) {
            m_stop = 1;
            return 0;
        }
        const Step& step = m_steps[m_next++];
        if (step.bytes.empty())
            return step.result;
        std::memcpy(buffer, step.bytes.data(), step.bytes.size());
        return int(step.bytes.size());
    }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    std::atomic<int>& m_stop;
    int m_readSize;
};

class FrameCounter : public IFrameHandler {
public:
    std::vector<int> distances; // detection distance of every frame, in arrival order
    int badTails = 0;

    void OnReportFrame(bool, const uint8_t* data, size_t size) override {
        distances.push_back(size >= 9 ? data[7] | data[8] << 8 : -1);
    }
    void OnBadTail() override { ++badTails; }
};

TEST(ReportReader, CaptureHoldsEveryByteReadAndFailedReadsAreIgnored) {
    Bytes badTail = Frame(1, 200);
    badTail.back() = 0;
    Bytes badMark = Frame(1, 300);
    badMark[7] = 0;
    Bytes first = Frame(1, 100), last = Frame(3, 400);
    std::vector<ScriptedSource::Step> steps = {
        {{0x00, 0xF4, 0x55}},
        {{}, 0},
        {Bytes(first.begin(), first.begin() + 12)},
        {{}, -1},
        {Bytes(first.begin() + 12, first.end())},
        {badTail},
        {{}, -5},
        {badMark},
        {last},
    };
    TempFolder folder;
    std::string path = folder.File("run.dat");
    std::FILE* capture = std::fopen(path.c_str(), "wb");
    ASSERT_NE(capture, nullptr);
    std::atomic<int> stop{0};
    ScriptedSource source(steps, stop, 64);
    FrameCounter frames;
    std::atomic<bool> captureFailed{false};

    EXPECT_EQ(RunReportReader(source, capture, stop, frames, &captureFailed), 0);
    std::fclose(capture);
    EXPECT_FALSE(captureFailed);

    std::string expected;
    for (const auto& step : steps)
        expected.append(step.bytes.begin(), step.bytes.end());
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(frames.distances, (std::vector<int>{100, 400}));
    EXPECT_EQ(frames.badTails, 1);
    EXPECT_EQ(source.askedSizes, std::vector<int>(steps.size() + 1, 64));
}

TEST(ReportReader, CaptureWriteErrorLosesOnlyTheCaptureAndBadSizesAreContained) {
    TempFolder folder;
    std::string path = folder.File("read-only.dat");
    WriteBytes(path, "");
    std::FILE* capture = std::fopen(path.c_str(), "rb"); // every write fails
    ASSERT_NE(capture, nullptr);
    std::atomic<int> stop{0};
    ScriptedSource source({{Frame(0, 50)}, {Frame(2, 60)}}, stop, 0);
    FrameCounter frames;
    std::atomic<bool> captureFailed{false};

    RunReportReader(source, capture, stop, frames, &captureFailed);
    std::fclose(capture);

    EXPECT_TRUE(captureFailed);
    EXPECT_EQ(frames.distances, (std::vector<int>{50, 60}));
    EXPECT_EQ(ReadBytes(path), "");
    // A source that names no read size gets the default one.
    EXPECT_EQ(source.askedSizes.front(), kDefaultReportReadSize);
}

TEST(ReportReader, RaisedStopFlagEndsTheLoopBeforeTheNextRead) {
    std::atomic<int> stop{1};
    ScriptedSource source({{Frame(0, 50)}}, stop, 64);
    FrameCounter frames;
    RunReportReader(source, nullptr, stop, frames);
    EXPECT_TRUE(source.askedSizes.empty());
}

// An endless fast stream: engineering frames whose detection distance is 100 cm per state
// unit, handed out in reads of varying length.
class EndlessSource : public IReportSource {
public:
    // Nine gates in every report, or nine and eight in turn (frames then differ in size).
    explicit EndlessSource(bool alternateGates = false) {
        for (int i = 0; i < 64; ++i) {
            uint8_t state = uint8_t(i % 4);
            uint16_t cm = uint16_t(state * 100);
            Bytes energies(alternateGates && i % 2 ? 8 : 9, 40);
            Bytes frame = BuildReportFrame(1, BuildReportData({state, cm, 1, cm, 2, cm}, energies, energies));
            m_cycle.insert(m_cycle.end(), frame.begin(), frame.end());
        }
    }

    std::atomic<long> delivered{0};
    long FrameSize() const { return long(m_cycle.size() / 64); }

    int GetReadSize() override { return 256; }
    int Read(uint8_t* buffer, int size, int) override {
        int count = std::min(size, 1 + int(m_reads++ % 97));
        for (int i = 0; i < count; ++i) {
            buffer[i] = m_cycle[m_position];
            m_position = (m_position + 1) % m_cycle.size();
        }
        delivered += count;
        return count;
    }

private:
    Bytes m_cycle;
    size_t m_position = 0;
    unsigned m_reads = 0;
};

class CountingChart : public IEnergyChart {
public:
    std::atomic<int> appended{0};
    int GetSampleCount() override { return 9; }
    int GetSeriesCount() override { return 2; }
    void SetGateCount(int) override {}
    void Append(int, const uint16_t*, int) override { ++appended; }
    void RequestRepaint() override {}
};

class CountingSink : public IReportSink {
public:
    std::atomic<int> posts{0};
    CountingChart moving, motionless;
    void PostReportMessage(const ReportValues&) override { ++posts; }
    IEnergyChart* MovingEnergyChart() override { return &moving; }
    IEnergyChart* MotionlessEnergyChart() override { return &motionless; }
};

class ReaderThread : public IThreadFuncInterface {
public:
    ReaderThread(IReportSource& source, IFrameHandler& handler) : m_source(source), m_handler(handler) {}
    std::atomic<int> stop{0};
    int ThreadFunc(CBaseThread*, void*) override {
        return RunReportReader(m_source, nullptr, stop, m_handler);
    }

private:
    IReportSource& m_source;
    IFrameHandler& m_handler;
};

// The reader decodes a fast stream on its own thread while this thread prunes and empties
// the sample list under its lock and reads the current fields, as the dialog does.
TEST(ReportReader, ReaderThreadSharesSamplesAndFieldsSafely) {
    CurrentReport current;
    DistanceSampleList samples;
    CountingSink sink;
    ReportDecoder decoder(current, &samples, &sink, {});
    EndlessSource source;
    ReaderThread body(source, decoder);
    CBaseThread thread;
    ASSERT_TRUE(thread.StartThread("reader", &body, nullptr, 0, 0, 0));

    long removed = 0;
    for (int round = 0; round < 4000 || sink.posts < 5000; ++round) {
        int state = current.state;
        int distance = current.detectionDistance;
        EXPECT_TRUE(state >= 0 && state <= 3);
        EXPECT_TRUE(distance >= 0 && distance <= 300);
        if (round % 50 == 49) {
            CAutoBaseLock guard(samples.Lock());
            removed += samples.Samples().GetCount();
            samples.Clear();
            continue;
        }
        CAutoBaseLock guard(samples.Lock());
        const CPtrArrayCtrl& list = samples.Samples();
        int excess = list.GetCount() - 20;
        for (int i = 0; i < excess; ++i) {
            auto* oldest = static_cast<const DistanceSample*>(list.GetAt(i));
            EXPECT_EQ(oldest->distanceM, oldest->state * 1.0);
            EXPECT_EQ(samples.Times()[i], oldest->timeMs);
        }
        if (excess > 0) {
            samples.RemoveOldest(excess);
            removed += excess;
        }
        if (round % 8 == 0)
            std::this_thread::yield();
    }

    body.stop = 1;
    ASSERT_TRUE(thread.StopThread());
    EXPECT_EQ(thread.GetExitCode(), 0);
    int posts = sink.posts;
    EXPECT_EQ(removed + samples.Count(), posts);
    EXPECT_EQ(sink.moving.appended.load(), posts);
    EXPECT_EQ(sink.motionless.appended.load(), posts);
    // Every complete frame delivered was decoded.
    EXPECT_EQ(posts, source.delivered / source.FrameSize());
}

// A chart that checks that each threshold line it gets is whole: all gates of one table
// state. Fed reports whose gate count changes every time, it asks for a line with each.
class ThresholdChart : public IEnergyChart {
public:
    std::atomic<int> lines{0};
    std::atomic<int> mixed{0};
    int GetSampleCount() override { return m_gates; }
    int GetSeriesCount() override { return 2; }
    void SetGateCount(int gates) override { m_gates = gates; }
    void Append(int series, const uint16_t* values, int count) override {
        if (series != 1)
            return;
        ++lines;
        for (int i = 1; i < count; ++i)
            mixed += values[i] != values[0];
    }
    void RequestRepaint() override {}

private:
    int m_gates = 0;
};

class ThresholdSink : public IReportSink {
public:
    ThresholdChart moving, motionless;
    IEnergyChart* MovingEnergyChart() override { return &moving; }
    IEnergyChart* MotionlessEnergyChart() override { return &motionless; }
};

// Apply sets every gate's threshold while the reader copies the tables for a threshold line:
// under the tables' lock the reader never sees half a change (and TSan sees no race).
TEST(ReportReader, ThresholdTablesChangeInPlaceWhileTheReaderCopiesThem) {
    CurrentReport current;
    std::vector<uint16_t> moving(9, 0), motionless(9, 0);
    CBaseLock tablesLock;
    ThresholdSink sink;
    ReportDecoder decoder(current, nullptr, &sink, {moving, motionless, tablesLock});
    EndlessSource source(true);
    ReaderThread body(source, decoder);
    CBaseThread thread;
    ASSERT_TRUE(thread.StartThread("reader", &body, nullptr, 0, 0, 0));
    for (uint16_t value = 1; value < 3000 || sink.moving.lines < 500; ++value) {
        CAutoBaseLock guard(tablesLock);
        std::fill(moving.begin(), moving.end(), value);
        std::fill(motionless.begin(), motionless.end(), uint16_t(value / 2));
    }
    body.stop = 1;
    ASSERT_TRUE(thread.StopThread());
    EXPECT_GE(sink.moving.lines.load(), 500);
    EXPECT_EQ(sink.moving.mixed.load(), 0);
    EXPECT_EQ(sink.motionless.mixed.load(), 0);
}

// A capture whose last bytes cannot be written (a full disk) says so in the log and to the
// caller on closing; a good one closes silently.
TEST(ReportReader, ACaptureThatCannotBeCompletedIsLogged) {
    std::vector<std::string> lines;
    auto collect = [](void* context, int, const char* bytes, int length) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(bytes, size_t(length));
    };
    ASSERT_TRUE(DbgOutputAddCallback(collect, &lines));
    TempFolder folder;
    for (const char* path : {"/dev/full", "good"}) {
        const std::string name = std::strcmp(path, "good") == 0 ? folder.File("run.dat") : path;
        std::FILE* capture = std::fopen(name.c_str(), "wb");
        ASSERT_NE(capture, nullptr) << name;
        std::fputs("report bytes", capture); // buffered: the close writes them
        EXPECT_EQ(CloseCapture(capture), std::strcmp(path, "good") == 0) << name;
        EXPECT_EQ(capture, nullptr);
    }
    std::FILE* none = nullptr;
    EXPECT_TRUE(CloseCapture(none));
    DbgOutputDelCallback(collect, &lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Capture file could not be completed"), std::string::npos) << lines[0];
}

} // namespace
