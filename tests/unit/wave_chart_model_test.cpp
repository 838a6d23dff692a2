#include "wave_chart_model.h"

#include "pixel_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Str(const RECT& r) {
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "}";
}

void ShowAxes(WaveChartModel& m, bool left, bool right, bool top, bool bottom) {
    m.leftAxis.visible = left;
    m.rightAxis.visible = right;
    m.topAxis.visible = top;
    m.bottomAxis.visible = bottom;
}

std::vector<int> Xs(const CPtrArrayCtrl& points) {
    std::vector<int> xs;
    for (int i = 0; i < points.GetCount(); ++i) {
        int x, y;
        UnpackWavePoint(points.GetAt(i), &x, &y);
        xs.push_back(x);
    }
    return xs;
}

// A background layer painted by the model, with distinct colours for every part.
struct Background {
    static constexpr uint32_t kWindow = 0x111111, kPlot = 0x222222, kGrid = 0x333333, kCentre = 0x444444;
    int width, height;
    std::vector<uint32_t> pixels;

    Background(WaveChartModel& m, int w, int h, const WavePlotPictureFunc& picture = {})
        : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {
        m.windowBkColor = kWindow;
        m.plotBkColor = kPlot;
        m.gridColor = kGrid;
        m.gridCenterColor = kCentre;
        m.PaintBackground(pixels.data(), w, h, picture);
    }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    std::set<int> ColumnsOf(uint32_t color, int y) const {
        std::set<int> xs;
        for (int x = 0; x < width; ++x)
            if (At(x, y) == color)
                xs.insert(x);
        return xs;
    }
    std::set<int> RowsOf(uint32_t color, int x) const {
        std::set<int> ys;
        for (int y = 0; y < height; ++y)
            if (At(x, y) == color)
                ys.insert(y);
        return ys;
    }
};

} // namespace

TEST(WaveChartModel, StartsWithTheChartDefaults) {
    WaveChartModel m;
    EXPECT_EQ(m.series[0].color, gCommonColorTable[0][0]);
    EXPECT_EQ(m.series[7].color, gCommonColorTable[2][1]);
    EXPECT_EQ(m.series[255].color, gCommonColorTable[0][1]);
    EXPECT_EQ(m.series[7].readoutFormat, "Wave:7, Sample:%d, Value:%.1f");
    EXPECT_EQ(m.series[3].visible, 1);
    EXPECT_EQ(m.series[3].readoutEnabled, 1);
    // Buffers agree with the chart's sample count from the start.
    EXPECT_EQ(m.series[200].buffer.GetWindowLength(), 64);
    EXPECT_EQ(m.series[200].buffer.GetWindowCount(), 2);
    EXPECT_TRUE(m.series[200].buffer.HasStorage());

    EXPECT_EQ(m.leftAxis.coord.vertical, 1);
    EXPECT_EQ(m.leftAxis.coord.farSide, 0);
    EXPECT_EQ(m.rightAxis.coord.farSide, 1);
    EXPECT_EQ(m.leftAxis.coord.tickCount, 5);
    EXPECT_EQ(m.rightAxis.coord.minimum, -32767.0);
    EXPECT_EQ(m.leftAxis.size, 40);
    EXPECT_EQ(m.topAxis.size, 20);
    EXPECT_EQ(m.topAxis.coord.vertical, 0);
    EXPECT_EQ(m.topAxis.coord.farSide, 0);
    EXPECT_EQ(m.bottomAxis.coord.farSide, 1);
    EXPECT_EQ(m.bottomAxis.coord.tickCount, 22);
    EXPECT_EQ(m.bottomAxis.coord.maximum, 63.0);
    EXPECT_EQ(m.bottomAxis.coord.wrapHigh, 63.0);
    EXPECT_EQ(m.bottomAxis.coord.wrapPeriod, 63.0);
    EXPECT_EQ(m.leftAxis.visible, 0);
}

TEST(WaveChartLayout, AxisBandsFrameThePlotAndHiddenAxesTakeNoSpace) {
    struct Case {
        const char* name;
        bool left, right, top, bottom;
        int size; // of every axis; 0 keeps the defaults 40, 40, 20, 20
        RECT plot, leftBand, rightBand, topBand, bottomBand;
    } cases[] = {
        {"all hidden: the plot is the client",
         false,
         false,
         false,
         false,
         0,
         {0, 0, 400, 300},
         {0, 0, 0, 300},
         {400, 0, 400, 300},
         {0, 0, 400, 0},
         {0, 300, 400, 300}},
        {"all shown",
         true,
         true,
         true,
         true,
         0,
         {40, 20, 360, 280},
         {0, 20, 40, 280},
         {360, 20, 400, 280},
         {40, 0, 360, 20},
         {40, 280, 360, 300}},
        {"left and bottom",
         true,
         false,
         false,
         true,
         0,
         {40, 0, 400, 280},
         {0, 0, 40, 280},
         {400, 0, 400, 280},
         {40, 0, 400, 0},
         {40, 280, 400, 300}},
        {"bands larger than the client leave an empty plot, not an inverted one",
         true,
         true,
         true,
         true,
         300,
         {300, 300, 300, 300},
         {0, 300, 300, 300},
         {300, 300, 400, 300},
         {300, 0, 300, 300},
         {300, 300, 300, 300}},
    };
    for (const Case& c : cases) {
        WaveChartModel m;
        ShowAxes(m, c.left, c.right, c.top, c.bottom);
        if (c.size > 0)
            m.leftAxis.size = m.rightAxis.size = m.topAxis.size = m.bottomAxis.size = c.size;
        m.Layout(400, 300);
        EXPECT_TRUE(Same(m.plotRect, c.plot)) << c.name << ": plot " << Str(m.plotRect);
        EXPECT_TRUE(Same(m.leftAxis.coord.rect, c.leftBand))
            << c.name << ": left " << Str(m.leftAxis.coord.rect);
        EXPECT_TRUE(Same(m.rightAxis.coord.rect, c.rightBand))
            << c.name << ": right " << Str(m.rightAxis.coord.rect);
        EXPECT_TRUE(Same(m.topAxis.coord.rect, c.topBand)) << c.name << ": top " << Str(m.topAxis.coord.rect);
        EXPECT_TRUE(Same(m.bottomAxis.coord.rect, c.bottomBand))
            << c.name << ": bottom " << Str(m.bottomAxis.coord.rect);
        EXPECT_EQ(m.clientWidth, 400);
        EXPECT_EQ(m.clientHeight, 300);
        if (!c.right) {
            EXPECT_EQ(m.rightAxis.size, 0) << c.name << ": a hidden axis' size is zeroed";
        }
    }
}

TEST(WaveChartLayout, GridCellsFollowThePlotSize) {
    struct Case {
        int width, height, rows;
        double cellHeight, cellWidth;
    } cases[] = {
        {330, 300, 16, 18.75, 20.625},                             // 17.6 columns: 16
        {330, 100, 16, 8.0, 8.25},                                 // clamped up to 8
        {330, 2000, 16, 40.0, 41.25},                              // clamped down to 40
        {330, 640, 16, 40.0, 41.25},                               // 8.25 columns: 8
        {330, 480, 16, 30.0, 33.0},                                // 11 columns: 10
        {15, 100, 16, 8.0, 0.0},                                   // narrower than two cells: no columns
        {0, 0, 16, 8.0, 0.0},          {330, 300, 0, 40.0, 41.25}, // no rows counts as one
        {330, 300, -3, 40.0, 41.25},
    };
    for (const Case& c : cases) {
        WaveChartModel m;
        m.gridRows = c.rows;
        m.Layout(c.width, c.height);
        EXPECT_DOUBLE_EQ(m.gridCellHeight, c.cellHeight) << c.width << "x" << c.height << " rows " << c.rows;
        EXPECT_DOUBLE_EQ(m.gridCellWidth, c.cellWidth) << c.width << "x" << c.height << " rows " << c.rows;
    }
}

TEST(WaveChartBackground, GridLinesAndCentreCrossLieWhereTheCellsPutThem) {
    WaveChartModel m;
    m.leftAxis.visible = 1; // plot 40..370 x 0..300: 330 x 300, cells 20.625 x 18.75
    Background bg(m, 370, 300);

    EXPECT_EQ(bg.At(10, 10), Background::kWindow);
    EXPECT_EQ(bg.At(45, 5), Background::kPlot);
    // Row 5 crosses every vertical line; the one at the centre is the centre line.
    EXPECT_EQ(bg.ColumnsOf(Background::kGrid, 5),
              (std::set<int>{40, 60, 81, 101, 122, 143, 163, 184, 225, 246, 266, 287, 308, 328, 349}));
    EXPECT_EQ(bg.ColumnsOf(Background::kCentre, 5), (std::set<int>{205}));
    // Column 45 crosses every horizontal line.
    EXPECT_EQ(bg.RowsOf(Background::kGrid, 45),
              (std::set<int>{0, 18, 37, 56, 75, 93, 112, 131, 168, 187, 206, 225, 243, 262, 281}));
    EXPECT_EQ(bg.RowsOf(Background::kCentre, 45), (std::set<int>{150}));
}

TEST(WaveChartBackground, APlotNarrowerThanTwoCellsHasNoVerticalGridLines) {
    WaveChartModel m;
    Background bg(m, 15, 100); // cell height 8: 1 column, rounded down to 0
    EXPECT_EQ(m.gridCellWidth, 0.0);
    EXPECT_TRUE(bg.ColumnsOf(Background::kGrid, 5).empty());
    EXPECT_EQ(bg.ColumnsOf(Background::kCentre, 5), (std::set<int>{7}));
    // 12 rows of 8 centred in 100: lines from row 2 on.
    EXPECT_EQ(bg.RowsOf(Background::kGrid, 3).count(2), 1u);
    EXPECT_EQ(bg.RowsOf(Background::kGrid, 3).count(98), 1u);
}

TEST(WaveChartBackground, PlotFillComesFromThePictureWhenOneIsCopied) {
    constexpr uint32_t kPicture = 0xABCDEF;
    int calls = 0;
    RECT seen{};
    auto copy = [&](uint32_t* pixels, const RECT& plot) {
        ++calls;
        seen = plot;
        for (LONG y = plot.top; y < plot.bottom; ++y)
            for (LONG x = plot.left; x < plot.right; ++x)
                pixels[size_t(y) * 100 + size_t(x)] = kPicture;
        return true;
    };
    auto none = [&](uint32_t*, const RECT&) {
        ++calls;
        return false;
    };
    struct Case {
        const char* name;
        int drawPlotBk, usesPicture;
        bool copies;
        int expectedCalls;
        uint32_t interior;
    } cases[] = {
        {"picture copied", 1, 1, true, 1, kPicture},
        {"no picture to copy: plot colour", 1, 1, false, 1, Background::kPlot},
        {"picture not used", 1, 0, true, 0, Background::kPlot},
        {"no plot fill", 0, 1, true, 0, Background::kWindow},
    };
    for (const Case& c : cases) {
        WaveChartModel m;
        m.topAxis.visible = 1;
        m.drawPlotBk = c.drawPlotBk;
        m.plotBkUsesPicture = c.usesPicture;
        calls = 0;
        Background bg(m, 100, 80, c.copies ? WavePlotPictureFunc(copy) : WavePlotPictureFunc(none));
        EXPECT_EQ(calls, c.expectedCalls) << c.name;
        // Plot 100 x 60 from row 20: cells of 8, rows centred from 22 on.
        EXPECT_EQ(bg.At(3, 25), c.interior) << c.name;
        EXPECT_EQ(bg.At(3, 22), Background::kGrid) << c.name << ": the grid lies over the fill";
        EXPECT_EQ(bg.At(3, 3), Background::kWindow) << c.name;
        if (c.expectedCalls > 0) {
            EXPECT_TRUE(Same(seen, RECT{0, 20, 100, 80})) << c.name;
        }
    }
}

TEST(WaveChartBackground, OddSizesAndPatternLengthsPaintSafely) {
    WaveChartModel m;
    m.PaintBackground(nullptr, 100, 100);
    EXPECT_TRUE(Same(m.plotRect, RECT{0, 0, 100, 100})) << "laid out even without pixels";
    std::vector<uint32_t> one(1, 0);
    m.PaintBackground(one.data(), 1, 1);
    m.PaintBackground(one.data(), 0, 0);
    m.PaintBackground(one.data(), -5, 1);

    for (int length : {0, -1, 2000000000}) {
        m.gridPatternLength = length;
        Background bg(m, 50, 40);
        EXPECT_EQ(bg.At(0, 0), Background::kGrid) << "pattern length " << length;
    }
    m.gridVisible = 0;
    Background plain(m, 50, 40);
    EXPECT_TRUE(plain.ColumnsOf(Background::kGrid, 0).empty());
}

TEST(WaveChartPoints, NineSamplesOverAFourHundredAndOnePixelPlot) {
    WaveChartModel m;
    m.SetSampleCount(9);
    m.Layout(401, 100);
    const int16_t values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    m.series[0].buffer.Append(values, 9);
    m.BuildSeriesPoints();
    EXPECT_EQ(Xs(m.series[0].points), (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 350, 400}));
}

TEST(WaveChartPoints, OnlyVisibleDrawnSeriesInUseAreBuilt) {
    WaveChartModel m;
    m.SetSampleCount(4);
    m.seriesCount = 4;
    m.series[1].visible = 0;
    m.series[1].points.Add(WavePointItem(1, 1)); // a hidden series keeps what it had
    m.series[2].buffer.SetSampleType(5);         // not a drawn type
    m.series[2].points.Add(WavePointItem(1, 1));
    m.series[4].points.Add(WavePointItem(1, 1)); // beyond seriesCount
    m.Layout(4, 10);
    m.BuildSeriesPoints();
    EXPECT_EQ(m.series[0].points.GetCount(), 4);
    EXPECT_EQ(m.series[1].points.GetCount(), 1);
    EXPECT_EQ(m.series[2].points.GetCount(), 0);
    EXPECT_EQ(m.series[3].points.GetCount(), 4);
    EXPECT_EQ(m.series[4].points.GetCount(), 1);

    m.seriesCount = 100000; // taken as all 256
    m.Layout(4, 0);         // no height: every point would lie above the plot
    m.BuildSeriesPoints();
    EXPECT_EQ(m.series[0].points.GetCount(), 0);
    EXPECT_EQ(m.series[4].points.GetCount(), 0);
}

TEST(WaveChartPoints, LargestFrameCountComesFromVisibleSeriesInUse) {
    WaveChartModel m;
    m.SetSampleCount(2);
    m.seriesCount = 3;
    const int16_t values[12] = {};
    m.series[0].buffer.Append(values, 2);
    m.series[1].buffer.Append(values, 8);
    m.series[2].buffer.Append(values, 6);
    m.series[5].buffer.Append(values, 12);
    EXPECT_EQ(m.LargestFrameCount(), 4);
    m.series[1].visible = 0;
    EXPECT_EQ(m.LargestFrameCount(), 3);
    m.ResetFrameCounts();
    EXPECT_EQ(m.LargestFrameCount(), 0);
    EXPECT_EQ(m.series[5].buffer.GetFrameCount(), 0);
}

TEST(WaveChartConfiguration, SampleCountResizesEveryBufferAndSetsTheXRangeWhenAsked) {
    WaveChartModel m;
    m.zoomFactor = 2.0;
    m.scrollOffset = 5;
    EXPECT_TRUE(m.SetSampleCount(9));
    EXPECT_EQ(m.redrawBackground.load(), 1);
    EXPECT_EQ(m.sampleCount, 9);
    EXPECT_EQ(m.zoomFactor, 1.0);
    EXPECT_EQ(m.scrollOffset, 0);
    for (int i : {0, 255}) {
        EXPECT_EQ(m.series[i].buffer.GetWindowLength(), 9);
        EXPECT_EQ(m.series[i].buffer.GetWindowCount(), 2);
    }
    EXPECT_EQ(m.xRange.max, 8.0);
    for (const WaveAxis* axis : {&m.topAxis, &m.bottomAxis}) {
        EXPECT_EQ(axis->coord.minimum, 0.0);
        EXPECT_EQ(axis->coord.maximum, 8.0);
        EXPECT_EQ(axis->coord.wrapLow, 0.0);
        EXPECT_EQ(axis->coord.wrapHigh, 8.0);
        EXPECT_EQ(axis->coord.wrapPeriod, 9.0);
    }

    m.redrawBackground = 0;
    m.xRangeFromCount = 0;
    EXPECT_FALSE(m.SetSampleCount(0));
    EXPECT_EQ(m.redrawBackground.load(), 0);
    EXPECT_EQ(m.sampleCount, 1);
    EXPECT_EQ(m.series[17].buffer.GetWindowLength(), 1);
    EXPECT_EQ(m.topAxis.coord.maximum, 8.0);
}

TEST(WaveChartConfiguration, XRangeStopsFollowingTheCount) {
    WaveChartModel m;
    m.zoomFactor = 0.5;
    m.series[3].buffer.SetExtraWindows(2);
    EXPECT_TRUE(m.SetXRange(-10, 0, 11));
    EXPECT_EQ(m.xRangeFromCount, 0);
    EXPECT_EQ(m.zoomFactor, 1.0);
    EXPECT_EQ(m.series[3].buffer.GetWindowCount(), 2);
    EXPECT_EQ(m.bottomAxis.coord.minimum, -10.0);
    EXPECT_EQ(m.topAxis.coord.wrapPeriod, 11.0);
    EXPECT_FALSE(m.SetSampleCount(20));
    EXPECT_EQ(m.topAxis.coord.minimum, -10.0);
}

TEST(WaveChartConfiguration, YRangeMovesTheAxesOnlyWhenTheyFollow) {
    WaveChartModel m;
    m.axesFollowYRange = 0;
    EXPECT_FALSE(m.SetYRange(0, 100));
    EXPECT_EQ(m.redrawBackground.load(), 0);
    EXPECT_EQ(m.viewYRange.max, 100.0);
    EXPECT_EQ(m.fullYRange.min, 0.0);
    EXPECT_EQ(m.homeYRange.max, 32767.0);
    EXPECT_EQ(m.leftAxis.coord.maximum, 32767.0);

    m.axesFollowYRange = 1;
    EXPECT_TRUE(m.SetYRange(-5, 5));
    EXPECT_EQ(m.redrawBackground.load(), 1);
    EXPECT_EQ(m.homeYRange.min, -5.0);
    EXPECT_EQ(m.leftAxis.coord.minimum, -5.0);
    EXPECT_EQ(m.rightAxis.coord.maximum, 5.0);
}

TEST(WaveChartConfiguration, BufferOperationsReachAllSlots) {
    WaveChartModel m;
    m.SetSampleType(kWaveDouble);
    m.SetWholeFrames(1);
    for (int i : {0, 128, 255}) {
        EXPECT_EQ(m.series[i].buffer.GetSampleType(), kWaveDouble);
        EXPECT_EQ(m.series[i].buffer.GetWholeFrames(), 1);
    }
    m.SetWholeFrames(0);
    const double values[] = {1, 2, 3};
    m.series[255].buffer.Append(values, 3);
    m.ClearData();
    EXPECT_EQ(m.series[255].buffer.CopyStorage(), std::vector<double>(128, 0.0));
    EXPECT_EQ(m.series[255].buffer.GetPartialCount(), 0);
}

TEST(WaveChartConfiguration, ReadoutFormatsAreBuiltFromTheirParts) {
    WaveChartModel m;
    m.SetReadoutFormat(1, "Moving", "Gate", "Energy:%.0f");
    EXPECT_EQ(m.series[1].readoutFormat, "Moving, Gate:%d, Energy:%.0f");
    m.SetReadoutFormat(2, nullptr, nullptr, nullptr);
    EXPECT_EQ(m.series[2].readoutFormat, "Wave:2, Sample:%d, Value:%.1f");
    m.SetReadoutFormat(255, nullptr, "Gate", nullptr);
    EXPECT_EQ(m.series[255].readoutFormat, "Wave:255, Gate:%d, Value:%.1f");
    m.SetReadoutFormat(256, "x", "y", "z");
    m.SetReadoutFormat(-1, "x", "y", "z");
    EXPECT_EQ(m.series[0].readoutFormat, "Wave:0, Sample:%d, Value:%.1f");
}
