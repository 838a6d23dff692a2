// The distance chart's bands and line, the span, the time axis and the pruning.
#include "distance_statistics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr DistanceBandColors kColors{0xFF000001, 0xFF000002, 0xFF000003};

struct SampleSpec {
    uint32_t time;
    int32_t state;
    double distance;
};

// A list owning its samples, as the reader builds it.
class Samples {
public:
    explicit Samples(const std::vector<SampleSpec>& specs) {
        for (const SampleSpec& s : specs)
            list.Append(s.time, s.state, s.distance);
    }
    DistanceSampleList list;
};

struct Columns {
    std::vector<uint32_t> row;
    std::vector<double> values;
};

// The scan exactly as the chart's behaviour is defined: plain forward search per column, no
// shortcuts. The fast scan must match it column for column.
Columns ReferenceScan(const CPtrArrayCtrl& samples, int64_t span, int w) {
    Columns out{std::vector<uint32_t>(size_t(w), kColors.noBody), std::vector<double>(size_t(w), 0.0)};
    auto at = [&](int i) { return static_cast<const DistanceSample*>(samples.GetAt(i)); };
    const int n = samples.GetCount();
    const int64_t first = at(0)->timeMs;
    int i = 0;
    for (int x = 0; x < w;) {
        const int64_t t = first + int64_t(x) * span / w;
        if (i >= n)
            break;
        int nearest = i;
        uint64_t best = uint64_t(std::llabs(int64_t(at(i)->timeMs) - t));
        uint64_t previous = best;
        for (int j = i + 1; j < n; ++j) {
            uint64_t d = uint64_t(std::llabs(int64_t(at(j)->timeMs) - t));
            if (d > previous)
                break;
            if (d < best) {
                best = d;
                nearest = j;
            }
            previous = d;
        }
        i = nearest + 1;
        int64_t k = 1;
        if (i < n && int64_t(at(i)->timeMs) > t)
            k = std::max<int64_t>((int64_t(at(i)->timeMs) - t) * w / span, 1);
        k = std::min<int64_t>(k, w - x);
        uint32_t color = kColors.noBody;
        double value = 0;
        if (at(nearest)->state == 1 || at(nearest)->state == 3) {
            color = kColors.moving;
            value = at(nearest)->distanceM;
        } else if (at(nearest)->state == 2) {
            color = kColors.motionless;
            value = at(nearest)->distanceM;
        }
        for (int64_t c = x; c < x + k; ++c) {
            out.row[size_t(c)] = color;
            out.values[size_t(c)] = value;
        }
        x += int(k);
    }
    return out;
}

// Runs the fast scan with guard entries behind the w columns, which must stay untouched.
Columns FastScan(const DistanceSampleList& samples, int64_t span, int w) {
    constexpr uint32_t kGuardPixel = 0xDEADBEEF;
    constexpr double kGuardValue = -12345.0;
    Columns out{std::vector<uint32_t>(size_t(w) + 4, kGuardPixel),
                std::vector<double>(size_t(w) + 4, kGuardValue)};
    ScanDistanceColumns(samples, span, kColors, out.row.data(), out.values.data(), w);
    for (size_t i = size_t(w); i < out.row.size(); ++i) {
        EXPECT_EQ(out.row[i], kGuardPixel) << "written past the row at " << i;
        EXPECT_EQ(out.values[i], kGuardValue) << "written past the values at " << i;
    }
    out.row.resize(size_t(w));
    out.values.resize(size_t(w));
    return out;
}

TEST(DistanceBands, BlendAndDefaultColours) {
    EXPECT_EQ(BlendPixelWords(0x80FFFFFF, 0xFF000000), 0xFF808080u);
    DistanceBandColors defaults = MakeDistanceBandColors(0xFF6A819E, 0x3FFF0000, 0x3F00FF00);
    EXPECT_EQ(defaults.noBody, 0xFF6A819Eu);
    EXPECT_EQ(defaults.moving, 0xFF8E6277u);
    EXPECT_EQ(defaults.motionless, 0xFF50A077u);
    // A transparent no-one colour would divide by zero: the overlay's own channels are used.
    EXPECT_EQ(BlendPixelWords(0x40123456, 0x00FFFFFF), 0x40123456u);
    EXPECT_EQ(BlendPixelWords(0x00123456, 0x00FFFFFF), 0x00123456u);
}

TEST(DistanceBands, SpanAndTimeAxis) {
    EXPECT_EQ(StatisticsSpanMs(0, 120), 120'000);
    EXPECT_EQ(StatisticsSpanMs(1, 120), 7'200'000);
    EXPECT_EQ(StatisticsSpanMs(2, 12), 43'200'000);
    // Whatever the file says, the span neither overflows nor reaches zero.
    EXPECT_EQ(StatisticsSpanMs(2, INT32_MAX), int64_t(INT32_MAX) * 3'600'000);
    EXPECT_EQ(StatisticsSpanMs(0, 0), 1);
    EXPECT_EQ(StatisticsSpanMs(1, -5), 1);

    struct Case {
        int32_t unit, count, end, caption;
    } cases[] = {
        {0, 120, 120, 0}, {1, 3, 180, 0}, {1, 4, 240, 0}, {1, 5, 5, 1},
        {1, 10, 10, 1},   {2, 3, 180, 1}, {2, 5, 5, 2},   {2, 12, 12, 2},
    };
    for (const Case& c : cases) {
        DistanceTimeAxis axis = MakeDistanceTimeAxis(c.unit, c.count);
        EXPECT_EQ(axis.rangeEnd, c.end) << c.unit << "/" << c.count;
        EXPECT_EQ(axis.captionUnit, c.caption) << c.unit << "/" << c.count;
    }
}

TEST(DistanceBands, ScanCases) {
    {
        // One motionless sample: column 0 shows it, the rest no one.
        Samples one({{5000, 2, 3.0}});
        Columns c = FastScan(one.list, 120'000, 600);
        EXPECT_EQ(c.row[0], kColors.motionless);
        EXPECT_EQ(c.values[0], 3.0);
        for (int x = 1; x < 600; ++x)
            ASSERT_TRUE(c.row[size_t(x)] == kColors.noBody && c.values[size_t(x)] == 0.0) << x;
    }
    {
        // 60 s of moving reports every 200 ms over a 120 s span: the left half is filled.
        std::vector<SampleSpec> specs;
        for (int i = 0; i < 300; ++i)
            specs.push_back({uint32_t(1000 + 200 * i), 1, 0.01 * i});
        Samples minute(specs);
        Columns c = FastScan(minute.list, 120'000, 600);
        for (int x = 0; x < 300; ++x)
            ASSERT_TRUE(c.row[size_t(x)] == kColors.moving && c.values[size_t(x)] == 0.01 * x) << x;
        for (int x = 300; x < 600; ++x)
            ASSERT_TRUE(c.row[size_t(x)] == kColors.noBody && c.values[size_t(x)] == 0.0) << x;
    }
    {
        // Column 1 stands for 100 ms; the samples at 50 and 150 are equally near: the earlier wins.
        Samples tie({{0, 1, 1.0}, {50, 2, 2.0}, {150, 1, 3.0}});
        Columns c = FastScan(tie.list, 200, 2);
        EXPECT_EQ(c.row[1], kColors.motionless);
        EXPECT_EQ(c.values[1], 2.0);
    }
    {
        // Twelve hours over 1000 columns: column 999 stands for first + 43 156 800 ms (the
        // product needs 64 bits).
        Samples day({{7, 1, 1.0}, {7 + 43'156'800, 2, 5.0}, {7 + 43'156'801, 1, 6.0}});
        Columns c = FastScan(day.list, 43'200'000, 1000);
        EXPECT_EQ(c.row[998], kColors.moving);
        EXPECT_EQ(c.row[999], kColors.motionless);
        EXPECT_EQ(c.values[999], 5.0);
    }
    {
        // The newest sample lies three spans after the oldest: the run is cut at the edge.
        Samples late({{0, 1, 1.0}, {3000, 2, 2.0}});
        Columns c = FastScan(late.list, 1000, 10);
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(c.row[size_t(x)], kColors.moving) << x;
    }
    {
        // States outside 0..3 paint as no one, value 0.
        Samples odd({{0, 7, 4.0}});
        Columns c = FastScan(odd.list, 100, 4);
        EXPECT_EQ(c.row[0], kColors.noBody);
        EXPECT_EQ(c.values[0], 0.0);
    }
}

// Random histories, with repeated times, long gaps and every state: the fast scan paints
// exactly what the plain scan paints.
TEST(DistanceBands, FastScanMatchesPlainScan) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 3000; ++round) {
        const int count = 1 + int(random() % (round % 10 == 0 ? 5000 : 60));
        const int w = 1 + int(random() % 320);
        const int64_t span = 1 + int64_t(random() % (round % 3 == 0 ? 43'200'000 : 5000));
        uint32_t time = uint32_t(random());
        std::vector<SampleSpec> specs;
        for (int i = 0; i < count; ++i) {
            switch (random() % 4) {
            case 0:
                break; // same time as the previous sample
            case 1:
                time += uint32_t(random() % 3);
                break;
            case 2:
                time += uint32_t(random() % uint32_t(span / 8 + 1));
                break;
            default:
                time += uint32_t(random() % uint32_t(span + 1));
            }
            specs.push_back({time, int32_t(random() % 5), double(random() % 1000) / 100});
        }
        // The reference works on absolute times; keep the run below the tick count's wrap.
        if (specs.back().time < specs.front().time)
            continue;
        Samples samples(specs);
        Columns plain = ReferenceScan(samples.list.Samples(), span, w);
        Columns fast = FastScan(samples.list, span, w);
        ASSERT_EQ(fast.row, plain.row)
            << "round " << round << " count " << count << " w " << w << " span " << span;
        ASSERT_EQ(fast.values, plain.values) << "round " << round;
    }
}

TEST(DistanceBands, PaintFillsThePlotOnlyAndFeedsTheSeries) {
    constexpr int kWidth = 40, kHeight = 30;
    constexpr uint32_t kOutside = 0x11223344;
    std::vector<uint32_t> layer(kWidth * kHeight, kOutside);
    Samples samples({{100, 1, 2.5}, {600, 2, 1.5}});
    std::vector<double> series;
    auto append = [&](const double* v, int n) { series.assign(v, v + n); };
    const RECT plot{5, 4, 25, 24};

    ASSERT_TRUE(
        PaintDistanceBackground(samples.list, layer.data(), kWidth, kHeight, plot, 1000, kColors, append));
    ASSERT_EQ(series.size(), 20u);
    EXPECT_EQ(series[0], 2.5);
    EXPECT_EQ(series[10], 1.5);
    EXPECT_EQ(series[19], 0.0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint32_t pixel = layer[size_t(y * kWidth + x)];
            bool inside = x >= plot.left && x < plot.right && y >= plot.top && y < plot.bottom;
            uint32_t expected = !inside      ? kOutside
                                : x - 5 < 10 ? kColors.moving
                                : x - 5 < 11 ? kColors.motionless
                                             : kColors.noBody;
            ASSERT_EQ(pixel, expected) << x << "," << y;
        }
    }

    // A plot that reaches past the layer is cut to it; the series still gets the plot width.
    std::vector<uint32_t> small(10 * 10, kOutside);
    ASSERT_TRUE(PaintDistanceBackground(samples.list, small.data(), 10, 10, RECT{-5, -5, 15, 15}, 1000,
                                        kColors, append));
    EXPECT_EQ(series.size(), 20u);
    EXPECT_EQ(small[0], kColors.moving);
    EXPECT_EQ(small[99], kColors.noBody);

    // An empty list paints nothing and appends nothing; so does a missing layer.
    DistanceSampleList empty;
    series.clear();
    EXPECT_FALSE(PaintDistanceBackground(empty, layer.data(), kWidth, kHeight, plot, 1000, kColors, append));
    EXPECT_FALSE(
        PaintDistanceBackground(samples.list, nullptr, kWidth, kHeight, plot, 1000, kColors, append));
    EXPECT_TRUE(series.empty());
}

TEST(DistanceBands, PruningDropsTheExpiredPrefix) {
    Samples samples({{1000, 1, 1}, {2000, 1, 2}, {3000, 2, 3}, {4000, 0, 0}});
    samples.list.ChangedFlag().store(0);
    EXPECT_EQ(PruneDistanceSamples(samples.list, 4000, 2000), 1); // 1000 + 2000 < 4000
    EXPECT_EQ(samples.list.Count(), 3);
    EXPECT_EQ(samples.list.ChangedFlag().load(), 1);

    samples.list.ChangedFlag().store(0);
    EXPECT_EQ(PruneDistanceSamples(samples.list, 4000, 2000), 0); // 2000 + 2000 is not before 4000
    EXPECT_EQ(samples.list.ChangedFlag().load(), 0);

    // A sample stamped just after `now` was read is not expired.
    Samples fresh({{5001, 1, 1}});
    EXPECT_EQ(PruneDistanceSamples(fresh.list, 5000, 1000), 0);

    // Across the tick count's wrap, old samples still expire and young ones stay.
    Samples wrapped({{0xFFFFF000u, 1, 1}, {0xFFFFFF00u, 1, 1}, {0x00000100u, 1, 1}});
    EXPECT_EQ(PruneDistanceSamples(wrapped.list, 0x00000200u, 0x800), 1);
    EXPECT_EQ(wrapped.list.Count(), 2);
}

} // namespace
