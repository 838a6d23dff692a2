#include "wave_buffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

namespace {

std::vector<int16_t> Ramp(int from, int count) {
    std::vector<int16_t> values(static_cast<size_t>(count));
    std::iota(values.begin(), values.end(), int16_t(from));
    return values;
}

std::vector<double> Doubles(const std::vector<int16_t>& values) {
    return std::vector<double>(values.begin(), values.end());
}

// A buffer of window length L holding two windows, as the chart makes them.
void Shape(CWaveBuffer& buffer, int length) {
    buffer.SetWindowLength(length);
    buffer.SetExtraWindows(1);
}

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

std::vector<Point> Points(const CPtrArrayCtrl& list) {
    std::vector<Point> points;
    for (int i = 0; i < list.GetCount(); ++i) {
        Point p;
        UnpackWavePoint(list.GetAt(i), &p.x, &p.y);
        points.push_back(p);
    }
    return points;
}

std::vector<Point> Polyline(CWaveBuffer& buffer, RECT plot, double yMin, double yMax, int offset = 0,
                            double zoom = 1.0) {
    CPtrArrayCtrl list;
    buffer.BuildPolyline(plot, yMin, yMax, offset, zoom, list, nullptr, nullptr);
    return Points(list);
}

} // namespace

TEST(WavePoint, PacksXLowAndYHighAndRoundTripsNegatives) {
    EXPECT_EQ(PackWavePoint(1, 2), int64_t(0x0000000200000001));
    EXPECT_EQ(PackWavePoint(-1, 0), int64_t(0x00000000FFFFFFFF));
    for (Point p : {Point{0, 0}, Point{-1, -2}, Point{2147483647, -2147483647 - 1}, Point{-300, 70000}}) {
        Point back{};
        UnpackWavePoint(WavePointItem(p.x, p.y), &back.x, &back.y);
        EXPECT_EQ(back, p) << p.x << "," << p.y;
    }
    UnpackWavePoint(WavePointItem(3, 4), nullptr, nullptr); // null outputs are skipped
}

TEST(WaveBufferAppend, WholeFramesHoldAPartReportBackUntilItsLastPartArrives) {
    CWaveBuffer buffer;
    Shape(buffer, 9);
    buffer.SetWholeFrames(1);
    auto first = Ramp(1, 5), second = Ramp(6, 4);

    buffer.Append(first.data(), 5);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(18, 0.0));
    EXPECT_EQ(buffer.GetFrameCount(), 0);
    EXPECT_EQ(buffer.GetPartialCount(), 5);

    buffer.Append(second.data(), 4);
    std::vector<double> expected(9, 0.0);
    auto report = Doubles(Ramp(1, 9));
    expected.insert(expected.end(), report.begin(), report.end());
    EXPECT_EQ(buffer.CopyStorage(), expected);
    EXPECT_EQ(buffer.GetFrameCount(), 1);
    EXPECT_EQ(buffer.GetPartialCount(), 0);
}

TEST(WaveBufferAppend, StorageSlidesAndKeepsTheNewestCapacity) {
    struct Case {
        const char* name;
        std::vector<int> appends; // counts of consecutive values 1, 2, 3, ...
        int firstKept;            // value now at the oldest position (0: zeros before it)
        int zeros;
        int64_t frames;
        int partial;
    } cases[] = {
        {"twenty into two windows of 9", {20}, 3, 0, 2, 2},
        {"a partial window slides in behind zeros", {10, 5}, 1, 3, 1, 6},
        {"more than the capacity in one call", {50}, 33, 0, 5, 5},
        {"many small appends", {4, 4, 4, 4, 4, 4}, 7, 0, 2, 6},
    };
    for (const Case& c : cases) {
        CWaveBuffer buffer;
        Shape(buffer, 9);
        int next = 1;
        for (int count : c.appends) {
            auto values = Ramp(next, count);
            buffer.Append(values.data(), count);
            next += count;
        }
        std::vector<double> expected(size_t(c.zeros), 0.0);
        for (int v = c.firstKept; v < next; ++v)
            expected.push_back(v);
        EXPECT_EQ(buffer.CopyStorage(), expected) << c.name;
        EXPECT_EQ(buffer.GetFrameCount(), c.frames) << c.name;
        EXPECT_EQ(buffer.GetPartialCount(), c.partial) << c.name;
    }
}

TEST(WaveBufferAppend, EachSampleTypeStoresItsOwnElements) {
    CWaveBuffer ints;
    ints.SetSampleType(kWaveInt32);
    Shape(ints, 2);
    const int32_t big[] = {70000, -70000, 1, 2};
    ints.Append(big, 4);
    EXPECT_EQ(ints.CopyStorage(), (std::vector<double>{70000, -70000, 1, 2}));

    CWaveBuffer doubles;
    doubles.SetSampleType(kWaveDouble);
    Shape(doubles, 2);
    const double real[] = {0.25, -1.5, 3.0};
    doubles.Append(real, 3);
    EXPECT_EQ(doubles.CopyStorage(), (std::vector<double>{0, 0.25, -1.5, 3.0}));
}

TEST(WaveBufferStorage, AFreshBufferIgnoresAppendsUntilAnOperationGivesItStorage) {
    // Storage comes with the first type, length or window-count call, even one that keeps
    // the default size, so a chart of 1024 16-bit samples works too.
    struct Case {
        const char* name;
        void (*prepare)(CWaveBuffer&);
    } cases[] = {
        {"same sample type", [](CWaveBuffer& b) { b.SetSampleType(kWaveInt16); }},
        {"same window length", [](CWaveBuffer& b) { b.SetWindowLength(CWaveBuffer::kDefaultWindowLength); }},
        {"same window count", [](CWaveBuffer& b) { b.SetExtraWindows(1); }},
        {"new window length", [](CWaveBuffer& b) { b.SetWindowLength(9); }},
    };
    const int16_t values[] = {5, 6, 7};
    for (const Case& c : cases) {
        CWaveBuffer buffer;
        EXPECT_FALSE(buffer.HasStorage());
        buffer.Append(values, 3);
        EXPECT_EQ(buffer.GetFrameCount(), 0);
        EXPECT_EQ(buffer.GetPartialCount(), 0);
        EXPECT_TRUE(buffer.CopyStorage().empty());
        CPtrArrayCtrl points;
        double lo = 1, hi = 1;
        buffer.BuildPolyline(RECT{0, 0, 10, 10}, 0, 10, 0, 1.0, points, &lo, &hi);
        EXPECT_EQ(points.GetCount(), 0);
        EXPECT_EQ(lo, 0.0);
        EXPECT_EQ(hi, 0.0);
        EXPECT_FALSE(
            buffer.SampleAtColumn(RECT{0, 0, 10, 10}, 0, 10, 0, 1.0, 0, nullptr, nullptr, nullptr, nullptr));

        c.prepare(buffer);
        ASSERT_TRUE(buffer.HasStorage()) << c.name;
        buffer.Append(values, 3);
        std::vector<double> stored = buffer.CopyStorage();
        ASSERT_GE(stored.size(), 3u) << c.name;
        EXPECT_EQ(std::vector<double>(stored.end() - 3, stored.end()), (std::vector<double>{5, 6, 7}))
            << c.name;
    }
}

TEST(WaveBufferStorage, SizeChangesKeepOrZeroTheSamplesAsDescribed) {
    CWaveBuffer buffer;
    Shape(buffer, 3);
    auto values = Ramp(1, 6);
    buffer.Append(values.data(), 6);

    // A same-sized type keeps the bytes; a new size zeroes them.
    buffer.SetSampleType(7);
    EXPECT_EQ(buffer.CopyStorage(), Doubles(values));
    buffer.SetSampleType(kWaveDouble);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(6, 0.0));
    buffer.SetSampleType(kWaveInt16);

    // More windows keep the oldest samples in front; fewer keep the oldest ones only.
    buffer.Append(values.data(), 6);
    buffer.SetExtraWindows(2);
    EXPECT_EQ(buffer.GetWindowCount(), 3);
    EXPECT_EQ(buffer.CopyStorage(), (std::vector<double>{1, 2, 3, 4, 5, 6, 0, 0, 0}));
    buffer.SetExtraWindows(0);
    EXPECT_EQ(buffer.CopyStorage(), (std::vector<double>{1, 2, 3}));

    buffer.SetWindowLength(5);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(5, 0.0));
}

TEST(WaveBufferStorage, ASizeChangeDropsStagedSamples) {
    CWaveBuffer buffer;
    Shape(buffer, 4);
    buffer.SetWholeFrames(1);
    auto head = Ramp(1, 3), tail = Ramp(4, 1);
    buffer.Append(head.data(), 3);
    buffer.SetExtraWindows(2); // new size: the three staged samples are gone
    buffer.Append(tail.data(), 1);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(12, 0.0));
}

TEST(WaveBufferStorage, ClearZeroesSamplesAndPartialCountButKeepsFrames) {
    CWaveBuffer buffer;
    Shape(buffer, 4);
    buffer.SetWholeFrames(1);
    auto values = Ramp(1, 7);
    buffer.Append(values.data(), 7);
    ASSERT_EQ(buffer.GetFrameCount(), 1);
    ASSERT_EQ(buffer.GetPartialCount(), 3);

    buffer.Clear();
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(8, 0.0));
    EXPECT_EQ(buffer.GetPartialCount(), 0);
    EXPECT_EQ(buffer.GetFrameCount(), 1);
    // The three staged samples went with the clearing: one more does not complete a frame.
    auto one = Ramp(9, 1);
    buffer.Append(one.data(), 1);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(8, 0.0));

    buffer.ResetFrameCount();
    EXPECT_EQ(buffer.GetFrameCount(), 0);
}

TEST(WaveBufferStorage, BadCountsAndLengthsAreHarmless) {
    CWaveBuffer buffer;
    Shape(buffer, 4);
    auto values = Ramp(1, 8);
    buffer.Append(values.data(), 0);
    buffer.Append(values.data(), -5);
    buffer.Append(nullptr, 3);
    EXPECT_EQ(buffer.CopyStorage(), std::vector<double>(8, 0.0));
    EXPECT_EQ(buffer.GetPartialCount(), 0);

    buffer.SetWindowLength(0);
    EXPECT_EQ(buffer.GetWindowLength(), 1);
    buffer.SetWindowLength(-7);
    EXPECT_EQ(buffer.GetWindowLength(), 1);
    buffer.SetExtraWindows(-3);
    EXPECT_EQ(buffer.GetWindowCount(), 1);
    buffer.SetExtraWindows(1000000);
    EXPECT_EQ(buffer.GetWindowCount(), CWaveBuffer::kMaxExtraWindows + 1);
    buffer.Append(values.data(), 8);
    EXPECT_EQ(buffer.GetFrameCount(), 8);
}

TEST(WaveBufferPolyline, MoreColumnsThanSamplesSpreadsOnePointPerSample) {
    CWaveBuffer buffer;
    Shape(buffer, 100);
    auto values = Ramp(0, 200); // storage index i holds i
    buffer.Append(values.data(), 200);
    // Rows of 0..200 on a plot 200 high: value = 200 - row.
    auto points = Polyline(buffer, RECT{10, 20, 209, 220}, 0, 200);
    ASSERT_EQ(points.size(), 100u);
    for (int k = 0; k < 100; ++k) {
        EXPECT_EQ(points[size_t(k)].x, 10 + 2 * k);
        EXPECT_EQ(200 - (points[size_t(k)].y - 20), 100 + k) << "point " << k; // indices 100..199
    }
}

TEST(WaveBufferPolyline, FewerColumnsThanSamplesMakesOnePointPerColumn) {
    CWaveBuffer buffer;
    Shape(buffer, 100);
    auto values = Ramp(0, 200);
    buffer.Append(values.data(), 200);
    auto points = Polyline(buffer, RECT{0, 0, 50, 200}, 0, 200);
    ASSERT_EQ(points.size(), 50u);
    for (int c = 0; c < 50; ++c) {
        EXPECT_EQ(points[size_t(c)].x, c);
        int sample = int(std::round(c * 99.0 / 49.0));
        EXPECT_EQ(200 - points[size_t(c)].y, 100 + sample) << "column " << c;
    }
    EXPECT_EQ(200 - points.back().y, 199); // the newest sample on the right edge
}

TEST(WaveBufferPolyline, NineSamplesOverFourHundredAndOneColumnsAreFiftyApart) {
    CWaveBuffer buffer;
    Shape(buffer, 9);
    auto values = Ramp(0, 9);
    buffer.Append(values.data(), 9);
    auto points = Polyline(buffer, RECT{7, 0, 408, 100}, 0, 100);
    ASSERT_EQ(points.size(), 9u);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(points[size_t(k)].x, 7 + 50 * k);
}

TEST(WaveBufferPolyline, RowsMapTheRangeOntoThePlotAndClampOutsideIt) {
    // Plot 100 high for -50..50: max on row 0, min on row 99 (clamped from 100).
    const double samples[] = {50, -50, 1000, -1000, 0, 25};
    const int rows[] = {0, 99, 0, 99, 50, 25};
    for (int type : {kWaveInt16, kWaveInt32, kWaveDouble}) {
        CWaveBuffer buffer;
        buffer.SetSampleType(type);
        Shape(buffer, 6);
        std::vector<int16_t> i16(std::begin(samples), std::end(samples));
        std::vector<int32_t> i32(std::begin(samples), std::end(samples));
        if (type == kWaveInt16)
            buffer.Append(i16.data(), 6);
        else if (type == kWaveInt32)
            buffer.Append(i32.data(), 6);
        else
            buffer.Append(samples, 6);
        CPtrArrayCtrl list;
        double lo = 0, hi = 0;
        buffer.BuildPolyline(RECT{0, 10, 6, 110}, -50, 50, 0, 1.0, list, &lo, &hi);
        auto points = Points(list);
        ASSERT_EQ(points.size(), 6u) << "type " << type;
        for (size_t k = 0; k < 6; ++k)
            EXPECT_EQ(points[k].y, 10 + rows[k]) << "type " << type << " sample " << samples[k];
        EXPECT_EQ(lo, -1000);
        EXPECT_EQ(hi, 1000);
    }
}

TEST(WaveBufferPolyline, DegeneratePlotsAndRangesStayInsideTheStorage) {
    CWaveBuffer buffer;
    Shape(buffer, 10);
    auto values = Ramp(1, 20); // newest window holds 11..20
    buffer.Append(values.data(), 20);
    struct Case {
        const char* name;
        RECT plot;
        double yMin, yMax;
        int offset;
        double zoom;
        std::vector<Point> expected;
    } cases[] = {
        {"one column: the first visible sample", {5, 0, 6, 100}, 0, 100, 0, 1.0, {{5, 89}}},
        {"no columns: nothing", {5, 0, 5, 100}, 0, 100, 0, 1.0, {}},
        {"inverted plot: nothing", {5, 0, 2, 100}, 0, 100, 0, 1.0, {}},
        {"empty range: middle row", {0, 0, 2, 9}, 7, 7, 0, 1.0, {{0, 4}, {1, 4}}},
        {"range that is not finite: middle row",
         {0, 0, 2, 9},
         -std::numeric_limits<double>::infinity(),
         1,
         0,
         1.0,
         {{0, 4}, {1, 4}}},
        {"no height: every row -1", {0, 30, 2, 30}, 0, 100, 0, 1.0, {{0, 29}, {1, 29}}},
        {"offset past the window clamps to L-1", {0, 0, 2, 100}, 0, 100, 50, 1.0, {{0, 98}, {1, 89}}},
        {"negative offset clamps to 0", {0, 0, 2, 100}, 0, 100, -3, 1.0, {{0, 89}, {1, 80}}},
        {"zoom of L: one sample", {0, 0, 3, 100}, 0, 100, 0, 10.0, {{0, 89}}},
        {"zoom that is not positive counts as 1", {0, 0, 2, 100}, 0, 100, 0, -2.0, {{0, 89}, {1, 80}}},
        {"zoom that is not a number counts as 1",
         {0, 0, 2, 100},
         0,
         100,
         0,
         std::numeric_limits<double>::quiet_NaN(),
         {{0, 89}, {1, 80}}},
        {"zoom out past the storage: indices clamp", {0, 0, 2, 100}, 0, 100, 0, 1e-9, {{0, 89}, {1, 80}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Polyline(buffer, c.plot, c.yMin, c.yMax, c.offset, c.zoom), c.expected) << c.name;
}

TEST(WaveBufferPolyline, ValuesThatAreNotFiniteClampToThePlot) {
    CWaveBuffer buffer;
    buffer.SetSampleType(kWaveDouble);
    Shape(buffer, 3);
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    buffer.Append(values, 3);
    EXPECT_EQ(Polyline(buffer, RECT{0, 0, 3, 10}, 0, 1), (std::vector<Point>{{0, 0}, {1, 0}, {2, 9}}));
}

TEST(WaveBufferSampleAtColumn, MapsAColumnToItsSampleValueAndRow) {
    CWaveBuffer buffer;
    Shape(buffer, 100);
    auto values = Ramp(0, 200);
    buffer.Append(values.data(), 200);
    const RECT plot{10, 20, 209, 220}; // 199 columns: two per sample
    struct Case {
        int offset, x;
        int index;
        double value;
    } cases[] = {
        {0, 0, 0, 100}, {0, 2, 1, 101}, {0, 198, 99, 199}, {10, 0, 0, 90}, {10, 20, 10, 100},
    };
    for (const Case& c : cases) {
        int index = -1, type = -1;
        double value = -1, row = -1;
        ASSERT_TRUE(buffer.SampleAtColumn(plot, 0, 200, c.offset, 1.0, c.x, &index, &type, &value, &row));
        EXPECT_EQ(index, c.index) << "offset " << c.offset << " column " << c.x;
        EXPECT_EQ(type, kWaveInt16);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(row, 200 - c.value);
    }
}

TEST(WaveBufferSampleAtColumn, ColumnsOutsideThePlotLeaveTheOutputsAlone) {
    CWaveBuffer buffer;
    Shape(buffer, 4);
    auto values = Ramp(1, 8);
    buffer.Append(values.data(), 8);
    const RECT plot{0, 0, 10, 10};
    for (int x : {-1, 10, 1000}) {
        int index = -7, type = -7;
        double value = -7, row = -7;
        EXPECT_FALSE(buffer.SampleAtColumn(plot, 0, 10, 0, 1.0, x, &index, &type, &value, &row)) << x;
        EXPECT_EQ(index, -7);
        EXPECT_EQ(type, -7);
        EXPECT_EQ(value, -7);
        EXPECT_EQ(row, -7);
    }
    // One column answers with the first visible sample; null outputs are skipped.
    double value = 0;
    EXPECT_TRUE(
        buffer.SampleAtColumn(RECT{3, 0, 4, 10}, 0, 10, 0, 1.0, 0, nullptr, nullptr, &value, nullptr));
    EXPECT_EQ(value, 5);
}
