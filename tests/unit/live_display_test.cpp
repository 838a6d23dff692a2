// The live display's decisions: the 50-report energy maxima, the indicator, the control
// states and the statistics length limits; and the sample list shared with the reader.
#include "distance_statistics.h"
#include "live_display.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(EnergyHistory, MaximaAppearWithTheFiftiethReport) {
    EnergyHistory history;
    for (int report = 1; report <= 49; ++report)
        history.Push(uint16_t(report), uint16_t(100 + report));
    EXPECT_FALSE(history.Full()); // the 49th leaves the readouts alone
    history.Push(50, 150);
    ASSERT_TRUE(history.Full());
    EXPECT_EQ(history.MaxMoving(), 50);
    EXPECT_EQ(history.MaxMotionless(), 150);
    // The 51st: the maximum over reports 2..51. Report 1 (1 / 101) has left the window.
    history.Push(0, 0);
    EXPECT_EQ(history.ReportCount(), 51u);
    EXPECT_EQ(history.MaxMoving(), 50);

    // Compared as unsigned 16-bit values; only the last 50 count.
    history.Reset();
    EXPECT_FALSE(history.Full());
    history.Push(10, 0xFFFF);
    history.Push(200, 3);
    for (int i = 0; i < 48; ++i)
        history.Push(0, 0);
    EXPECT_EQ(history.MaxMoving(), 200);
    EXPECT_EQ(history.MaxMotionless(), 0xFFFF);
    history.Push(0, 0);
    history.Push(0, 0);
    EXPECT_EQ(history.MaxMoving(), 0);
}

TEST(LiveDisplay, IndicatorControlStatesAndLengthLimits) {
    struct {
        int32_t state;
        IndicatorPicture picture;
        IndicatorRadio radio;
    } indicators[] = {
        {0, IndicatorPicture::Nobody, IndicatorRadio::Neither},
        {1, IndicatorPicture::Motion, IndicatorRadio::Moving},
        {2, IndicatorPicture::Motionless, IndicatorRadio::Motionless},
        {3, IndicatorPicture::Motion, IndicatorRadio::Moving},
        {4, IndicatorPicture::None, IndicatorRadio::Unchanged},
        {-1, IndicatorPicture::None, IndicatorRadio::Unchanged},
    };
    for (const auto& c : indicators) {
        TargetIndicator indicator = IndicatorForState(c.state);
        EXPECT_EQ(indicator.picture, c.picture) << c.state;
        EXPECT_EQ(indicator.radio, c.radio) << c.state;
    }

    struct {
        bool connected, reporting, engineering, parameters, apply, start, connect;
    } states[] = {
        {false, false, true, false, false, false, true},
        {true, false, true, true, false, true, true},
        {true, true, false, false, true, true, false},
        {false, true, false, false, false, false, false},
    };
    for (const auto& c : states) {
        ControlStates s = ComputeControlStates(c.connected, c.reporting);
        EXPECT_EQ(s.engineeringMode, c.engineering) << c.connected << c.reporting;
        EXPECT_EQ(s.parameters, c.parameters) << c.connected << c.reporting;
        EXPECT_EQ(s.apply, c.apply) << c.connected << c.reporting;
        EXPECT_EQ(s.startStop, c.start) << c.connected << c.reporting;
        EXPECT_EQ(s.connect, c.connect) << c.connected << c.reporting;
    }

    // Only an open link is found lost; a closed one stays closed, a lost one lost.
    const struct {
        LinkState known;
        bool libraryConnected;
        LinkState observed;
    } links[] = {
        {LinkState::Closed, false, LinkState::Closed}, {LinkState::Closed, true, LinkState::Closed},
        {LinkState::Open, true, LinkState::Open},      {LinkState::Open, false, LinkState::Lost},
        {LinkState::Lost, false, LinkState::Lost},     {LinkState::Lost, true, LinkState::Lost},
    };
    for (const auto& c : links)
        EXPECT_EQ(ObserveLinkState(c.known, c.libraryConnected), c.observed);

    StatisticsLengthLimits seconds = StatisticsLengthLimitsFor(0);
    EXPECT_TRUE(seconds.known && seconds.fixed && seconds.minimum == 120 && seconds.maximum == 120);
    StatisticsLengthLimits minutes = StatisticsLengthLimitsFor(1);
    EXPECT_TRUE(minutes.known && !minutes.fixed && minutes.minimum == 1 && minutes.maximum == 120);
    StatisticsLengthLimits hours = StatisticsLengthLimitsFor(2);
    EXPECT_TRUE(hours.known && !hours.fixed && hours.minimum == 1 && hours.maximum == 12);
    EXPECT_FALSE(StatisticsLengthLimitsFor(-1).known);
}

// The reader appends while the GUI thread prunes and paints, as during reporting.
TEST(LiveDisplayThreads, ReaderAppendsWhileTheChartPrunesAndPaints) {
    DistanceSampleList list;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (uint32_t t = 0; t < 20000; ++t)
            list.Append(t, int32_t(t % 4), t / 100.0);
        done = true;
    });
    std::vector<uint32_t> layer(64 * 16);
    const DistanceBandColors colors = MakeDistanceBandColors(0xFF6A819E, 0x3FFF0000, 0x3F00FF00);
    int pruned = 0;
    while (!done.load()) {
        pruned += PruneDistanceSamples(list, uint32_t(list.Count()), 500);
        if (list.ChangedFlag().exchange(0))
            PaintDistanceBackground(list, layer.data(), 64, 16, RECT{2, 2, 62, 14}, 500, colors,
                                    [](const double*, int) {});
    }
    reader.join();
    // Every sample is either still listed or was pruned once; none is lost or freed twice.
    EXPECT_EQ(list.Count() + pruned, 20000);
}

} // namespace
