#include "dbg_output.h"
#include "frame_scanner.h"
#include "replay_report_source.h"
#include "report_decoder.h"
#include "report_frame_builder.h"
#include "report_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

std::string Join(const uint16_t* values, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "," : "") + std::to_string(values[i]);
    return text;
}

// Everything the decoder does to the outside world, in order, as text.
class Recorder : public IReportSink {
public:
    class Chart : public IEnergyChart {
    public:
        Chart(std::string name, std::vector<std::string>& events)
            : m_name(std::move(name)), m_events(events) {}
        int sampleCount = 0;
        int seriesCount = 2;

        int GetSampleCount() override { return sampleCount; }
        int GetSeriesCount() override { return seriesCount; }
        void SetGateCount(int gates) override {
            sampleCount = gates;
            m_events.push_back(m_name + " gates " + std::to_string(gates));
        }
        void Append(int series, const uint16_t* values, int count) override {
            m_events.push_back(m_name + " series " + std::to_string(series) + ": " + Join(values, count));
        }
        void RequestRepaint() override { m_events.push_back(m_name + " repaint"); }

    private:
        std::string m_name;
        std::vector<std::string>& m_events;
    };

    std::vector<std::string> events;
    Chart moving{"moving", events};
    Chart motionless{"motionless", events};
    bool chartsPresent = true;

    void PostReportMessage(const ReportValues& values) override {
        events.push_back("post");
        posted = values;
    }
    ReportValues posted;
    void InvalidateDistanceChart() override { events.push_back("distance"); }
    IEnergyChart* MovingEnergyChart() override { return chartsPresent ? &moving : nullptr; }
    IEnergyChart* MotionlessEnergyChart() override { return chartsPresent ? &motionless : nullptr; }

    size_t Count(const std::string& event) const {
        return size_t(std::count(events.begin(), events.end(), event));
    }
    size_t CountStartingWith(const std::string& prefix) const {
        return size_t(std::count_if(events.begin(), events.end(),
                                    [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }
};

const Bytes kExample = {0xF4, 0xF3, 0xF2, 0xF1, 0x0D, 0x00, 0x02, 0xAA, 0x03, 0x96, 0x00, 0x3C,
                        0x2C, 0x01, 0x28, 0x96, 0x00, 0x55, 0x00, 0xF8, 0xF7, 0xF6, 0xF5};
const char kExampleLine[] = "State=3, M_D=150, M_S=060, ML_D=300, ML_S=040, R_D=150\r\n";
const char kBadTailLine[] = "Tailer TAG Invalid!\r\n";

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes EngineeringFrame(uint8_t movingGates, uint8_t motionlessGates, size_t dropBytes = 0) {
    Bytes moving(movingGates), motionless(motionlessGates);
    for (size_t i = 0; i < moving.size(); ++i)
        moving[i] = uint8_t(10 + i);
    for (size_t i = 0; i < motionless.size(); ++i)
        motionless[i] = uint8_t(50 + i);
    Bytes data = BuildReportData({1, 120, 30, 240, 20, 120}, moving, motionless);
    data.resize(data.size() - dropBytes);
    return BuildReportFrame(1, data);
}

class ReportDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { DbgOutputAddCallback(&ReportDecoderTest::OnLine, this); }
    void TearDown() override { DbgOutputDelCallback(&ReportDecoderTest::OnLine, this); }

    static void OnLine(void* context, int level, const char* bytes, int length) {
        auto* self = static_cast<ReportDecoderTest*>(context);
        self->sink.events.push_back("log " + std::to_string(level) + ": " +
                                    std::string(bytes, size_t(length)));
    }

    // Runs the reader loop over `stream`, cut into reads of the given lengths.
    void Read(const Bytes& stream, std::vector<size_t> chunks = {}, ReportDecoder* with = nullptr) {
        std::atomic<int> stop{0};
        ReplayReportSource source(stream.data(), stream.size(), stop, std::move(chunks));
        RunReportReader(source, nullptr, stop, with ? *with : decoder);
    }

    std::vector<int32_t> Fields() const {
        return {current.state,
                current.movingDistance,
                current.movingEnergy,
                current.motionlessDistance,
                current.motionlessEnergy,
                current.detectionDistance};
    }

    void SetFields(int32_t value) {
        for (auto* field :
             {&current.state, &current.movingDistance, &current.movingEnergy, &current.motionlessDistance,
              &current.motionlessEnergy, &current.detectionDistance})
            field->store(value);
    }

    std::vector<DistanceSample> Samples() {
        CAutoBaseLock guard(samples.Lock());
        std::vector<DistanceSample> copy;
        for (int i = 0; i < samples.Samples().GetCount(); ++i)
            copy.push_back(*static_cast<DistanceSample*>(samples.Samples().GetAt(i)));
        return copy;
    }

    std::vector<uint16_t> movingTable{50, 50, 40, 40, 40, 40, 30, 30, 30};
    std::vector<uint16_t> motionlessTable{15, 15, 15, 15, 15, 15, 15, 15, 15};
    CurrentReport current;
    DistanceSampleList samples;
    Recorder sink;
    CBaseLock tablesLock;
    ReportDecoder decoder{current, &samples, &sink, {movingTable, motionlessTable, tablesLock}};
};

TEST_F(ReportDecoderTest, ExampleReportStoresLogsSamplesAndPosts) {
    Read(kExample);

    EXPECT_EQ(Fields(), (std::vector<int32_t>{3, 150, 60, 300, 40, 150}));
    // The report travels with its message.
    const ReportValues& p = sink.posted;
    EXPECT_EQ((std::vector<int32_t>{p.state, p.movingDistance, p.movingEnergy, p.motionlessDistance,
                                    p.motionlessEnergy, p.detectionDistance}),
              (std::vector<int32_t>{3, 150, 60, 300, 40, 150}));
    EXPECT_EQ(sink.events,
              (std::vector<std::string>{"post", std::string("log 2: ") + kExampleLine, "distance"}));
    std::vector<DistanceSample> list = Samples();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].state, 3);
    EXPECT_DOUBLE_EQ(list[0].distanceM, 1.5);
    EXPECT_EQ(samples.ChangedFlag().load(), 1);
    EXPECT_TRUE(decoder.LastOutcome().complete);
    EXPECT_FALSE(decoder.LastOutcome().energies);
}

TEST_F(ReportDecoderTest, FramesAreDecodedInOrderHoweverTheReadsCutThem) {
    Bytes second = BuildReportFrame(2, BuildReportData({1, 80, 9, 0, 0, 80}));
    Bytes stream = Concat({kExample, second});
    struct Case {
        const char* name;
        std::vector<size_t> chunks;
    };
    for (const Case& c :
         {Case{"one read", {}}, Case{"split inside the first frame", {7, 16}},
          Case{"split inside the header", {2, 30}}, Case{"byte by byte", std::vector<size_t>(46, 1)},
          Case{"with empty reads", {0, 23, 0, 23}}}) {
        SCOPED_TRACE(c.name);
        sink.events.clear();
        samples.Clear();
        Read(stream, c.chunks);
        EXPECT_EQ(sink.CountStartingWith("log"), 2u);
        ASSERT_EQ(sink.events.size(), 6u);
        EXPECT_EQ(sink.events[1], std::string("log 2: ") + kExampleLine);
        EXPECT_EQ(sink.events[4], "log 2: State=1, M_D=080, M_S=009, ML_D=000, ML_S=000, R_D=080\r\n");
        EXPECT_EQ(Fields(), (std::vector<int32_t>{1, 80, 9, 0, 0, 80}));
        EXPECT_EQ(samples.Count(), 2);
    }
}

TEST_F(ReportDecoderTest, ScannerKeepsIncompleteFramesAndSkipsGarbageSilently) {
    Bytes garbage = {0x00, 0xF4, 0xF3, 0x13, 0xF1, 0xF4};
    Bytes stream = Concat({garbage, kExample});
    // A scan consumes the garbage but keeps every byte of the frame until all of it is there.
    // Fewer than ten bytes always stay.
    for (size_t end = 0; end < stream.size(); ++end) {
        SCOPED_TRACE(end);
        EXPECT_EQ(ScanReportFrames(stream.data(), end, decoder),
                  end < 10 ? 0 : std::min(end - 9, garbage.size()));
    }
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(ScanReportFrames(stream.data(), stream.size(), decoder), stream.size());
    EXPECT_EQ(sink.CountStartingWith("log"), 1u);
}

TEST_F(ReportDecoderTest, FramesThatCannotBeReportsChangeNothing) {
    Bytes noData = BuildReportFrame(2, {});
    Bytes badHeadMark = kExample;
    badHeadMark[7] = 0xAB;
    Bytes badTailMark = kExample;
    badTailMark[17] = 0x56;
    Bytes shortLength = kExample; // L = 3: the tail is where it says, but no head mark fits
    shortLength[4] = 3;
    shortLength.erase(shortLength.begin() + 9, shortLength.begin() + 19);
    for (const Bytes& frame : {noData, badHeadMark, badTailMark, shortLength}) {
        SetFields(7);
        Read(frame);
        EXPECT_EQ(Fields(), std::vector<int32_t>(6, 7));
    }
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(samples.Count(), 0);
}

TEST_F(ReportDecoderTest, ShortReportStoresTheFieldsItHoldsAndNothingElse) {
    SetFields(7);
    Bytes data(kExample.begin() + 8, kExample.begin() + 13); // D = 5
    Read(BuildReportFrame(2, data));
    EXPECT_EQ(Fields(), (std::vector<int32_t>{3, 150, 60, 7, 7, 7}));
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(samples.Count(), 0);
    EXPECT_FALSE(decoder.LastOutcome().complete);
}

TEST_F(ReportDecoderTest, EnergiesAreChartedOnlyForCompleteEngineeringReports) {
    Bytes basicWithEnergies = EngineeringFrame(9, 9);
    basicWithEnergies[6] = 2; // the type byte alone decides
    struct Case {
        const char* name;
        Bytes frame;
        bool charted;
    };
    for (const Case& c : {Case{"M = S = 8, D = 29", EngineeringFrame(9, 9), true},
                          Case{"one byte short, D = 28", EngineeringFrame(9, 9, 1), false},
                          Case{"no gate counts, D = 10", EngineeringFrame(9, 9, 19), false},
                          Case{"basic report with energy bytes", basicWithEnergies, false}}) {
        SCOPED_TRACE(c.name);
        sink.events.clear();
        sink.moving.sampleCount = sink.motionless.sampleCount = 0;
        Read(c.frame);
        EXPECT_EQ(sink.CountStartingWith("post"), 1u);
        EXPECT_EQ(sink.CountStartingWith("log"), 1u);
        EXPECT_EQ(decoder.LastOutcome().energies, c.charted);
        if (!c.charted) {
            EXPECT_EQ(sink.CountStartingWith("moving"), 0u);
            EXPECT_EQ(sink.CountStartingWith("motionless"), 0u);
            continue;
        }
        EXPECT_EQ(std::vector<std::string>(sink.events.begin() + 3, sink.events.end()),
                  (std::vector<std::string>{
                      "moving gates 9", "moving series 1: 50,50,40,40,40,40,30,30,30", "moving repaint",
                      "motionless gates 9", "motionless series 1: 15,15,15,15,15,15,15,15,15",
                      "motionless repaint", "moving series 0: 10,11,12,13,14,15,16,17,18", "moving repaint",
                      "motionless series 0: 50,51,52,53,54,55,56,57,58", "motionless repaint"}));
    }
}

TEST_F(ReportDecoderTest, ThresholdLinesFollowGateCountChangesAndArePaddedWithZero) {
    Read(EngineeringFrame(9, 9));
    sink.events.clear();
    Read(EngineeringFrame(9, 9)); // same gate counts: energies only
    EXPECT_EQ(sink.CountStartingWith("moving gates"), 0u);
    EXPECT_EQ(sink.CountStartingWith("moving series 1"), 0u);
    EXPECT_EQ(sink.CountStartingWith("moving series 0"), 1u);

    sink.events.clear();
    Read(EngineeringFrame(12, 3)); // wider than the table on one chart, narrower on the other
    EXPECT_EQ(sink.Count("moving gates 12"), 1u);
    EXPECT_EQ(sink.Count("motionless gates 3"), 1u);
    EXPECT_EQ(sink.Count("moving series 1: 50,50,40,40,40,40,30,30,30,0,0,0"), 1u);
    EXPECT_EQ(sink.Count("motionless series 1: 15,15,15"), 1u);

    ReportDecoder withoutTables(current, &samples, &sink, {});
    sink.events.clear();
    sink.moving.sampleCount = 0;
    sink.motionless.seriesCount = 1; // no threshold series: the scale still changes
    sink.motionless.sampleCount = 0;
    Read(EngineeringFrame(2, 2), {}, &withoutTables);
    EXPECT_EQ(sink.Count("moving series 1: 0,0"), 1u);
    EXPECT_EQ(sink.Count("motionless gates 2"), 1u);
    EXPECT_EQ(sink.CountStartingWith("motionless series 1"), 0u);
    EXPECT_EQ(sink.Count("motionless series 0: 50,51"), 1u);
}

TEST_F(ReportDecoderTest, ChartsWithoutSeriesOrAbsentChartsAreLeftAlone) {
    sink.moving.seriesCount = 0;
    Read(EngineeringFrame(9, 9));
    EXPECT_EQ(sink.CountStartingWith("moving series"), 0u);
    EXPECT_EQ(sink.CountStartingWith("motionless series 0"), 1u);

    sink.events.clear();
    sink.chartsPresent = false;
    Read(EngineeringFrame(4, 4));
    EXPECT_EQ(sink.events.size(), 3u); // post, log, distance
    EXPECT_TRUE(decoder.LastOutcome().energies);
    EXPECT_EQ(decoder.LastOutcome().moving, (std::vector<uint16_t>{10, 11, 12, 13}));
}

TEST_F(ReportDecoderTest, BadTailIsLoggedOnceAndTheScanResumesWhereTheTailWasExpected) {
    Bytes badTail = kExample;
    badTail[20] = 0x00;
    Read(Concat({badTail, kExample}));
    EXPECT_EQ(sink.events, (std::vector<std::string>{std::string("log 2: ") + kBadTailLine, "post",
                                                     std::string("log 2: ") + kExampleLine, "distance"}));

    // A false header's length swallows the frame that lies before its expected tail.
    sink.events.clear();
    Bytes falseHeader = {0xF4, 0xF3, 0xF2, 0xF1, 20, 0, 0, 0, 0, 0};
    Read(Concat({falseHeader, kExample, kExample}));
    EXPECT_EQ(sink.Count(std::string("log 2: ") + kBadTailLine), 1u);
    EXPECT_EQ(sink.Count("post"), 1u);
    EXPECT_EQ(samples.Count(), 2);
}

// Random streams of good, short, engineering, badly marked and badly tailed frames mixed
// with garbage must decode the same however the reads cut them.
TEST_F(ReportDecoderTest, AnyCutOfAStreamDecodesLikeOneRead) {
    std::mt19937 random(20240611);
    auto byte = [&] { return uint8_t(random()); };
    for (int round = 0; round < 20; ++round) {
        Bytes stream;
        for (int piece = 0; piece < 40; ++piece) {
            ReportFields fields{
                uint8_t(random() % 4),   uint16_t(random() % 700), byte(), uint16_t(random() % 700), byte(),
                uint16_t(random() % 700)};
            Bytes frame;
            switch (random() % 6) {
            case 0:
                frame = BuildReportFrame(2, BuildReportData(fields));
                break;
            case 1: {
                Bytes moving(1 + random() % 12, byte()), motionless(1 + random() % 12, byte());
                Bytes data = BuildReportData(fields, moving, motionless);
                data.resize(data.size() - random() % 3);
                frame = BuildReportFrame(1, data);
                break;
            }
            case 2: {
                Bytes data = BuildReportData(fields);
                data.resize(random() % data.size());
                frame = BuildReportFrame(2, data);
                break;
            }
            case 3:
                frame = BuildReportFrame(2, BuildReportData(fields));
                frame[random() % 2 ? 7 : frame.size() - 6] ^= 0xFF;
                break;
            case 4:
                frame = BuildReportFrame(2, BuildReportData(fields));
                frame[frame.size() - 1 - random() % 4] ^= 0x01;
                break;
            default:
                frame.resize(random() % 16);
                for (uint8_t& b : frame)
                    b = random() % 3 ? byte() : 0xF4;
            }
            stream.insert(stream.end(), frame.begin(), frame.end());
        }

        sink.events.clear();
        sink.moving.sampleCount = sink.motionless.sampleCount = 0;
        ScanReportFrames(stream.data(), stream.size(), decoder);
        std::vector<std::string> expected = sink.events;
        std::vector<int32_t> expectedFields = Fields();
        ASSERT_GT(std::count(expected.begin(), expected.end(), "post"), 3);

        std::vector<size_t> chunks;
        for (size_t covered = 0; covered < stream.size(); covered += chunks.back())
            chunks.push_back(random() % 4 == 0 ? 0 : 1 + random() % 60);
        sink.events.clear();
        sink.moving.sampleCount = sink.motionless.sampleCount = 0;
        SetFields(-1);
        Read(stream, chunks);
        ASSERT_EQ(sink.events, expected) << "round " << round;
        EXPECT_EQ(Fields(), expectedFields);
    }
}

} // namespace
