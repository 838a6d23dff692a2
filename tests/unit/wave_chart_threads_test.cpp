#include "wave_chart_model.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// The reader thread appends and, on a change of the gate count, changes the sample count,
// x range and y range; meanwhile the GUI thread lays out, paints, builds points, answers
// read-outs, zooms and pans. Whatever the GUI thread sees under the model's lock must be
// one consistent chart.
TEST(WaveChartThreads, TheReaderReshapesTheChartWhileTheGuiThreadPaints) {
    WaveChartModel m;
    m.seriesCount = 2;
    m.zoomX = m.zoomY = m.dragX = 1;
    m.leftAxis.visible = m.bottomAxis.visible = 1;
    m.SetYRange(0, 100);

    std::atomic<bool> done{false};
    std::thread reader([&] {
        const int counts[] = {9, 7, 64, 16, 1};
        std::vector<int16_t> values(64);
        for (int round = 0; round < 400; ++round) {
            const int n = counts[round % 5];
            for (int k = 0; k < n; ++k)
                values[size_t(k)] = int16_t((round * 7 + k) % 100);
            // Appending needs only the buffer's own lock.
            m.series[0].buffer.Append(values.data(), n);
            m.series[1].buffer.Append(values.data(), n);
            if (round % 10 == 0)
                m.SetSampleCount(counts[(round / 10) % 5]);
            if (round % 37 == 0)
                m.SetXRange(0, n, n + 1);
            if (round % 23 == 0)
                m.SetYRange(0, 100 + round % 3);
            if (round % 41 == 0)
                m.ClearData();
        }
        done = true;
    });

    std::vector<uint32_t> pixels(size_t(200) * 120);
    int iterations = 0;
    int inconsistent = 0;
    while (!done || iterations < 50) {
        ++iterations;
        {
            // One paint holds the lock throughout, as the window does.
            CAutoBaseLock paint(m.Lock());
            m.PaintBackground(pixels.data(), 200, 120);
            m.BuildSeriesPoints();
            const RECT plot = m.plotRect;
            const int length = m.sampleCount;
            const double zoom = m.zoomFactor;
            for (int s = 0; s < 2; ++s) {
                for (int i = 0; i < m.series[s].points.GetCount(); ++i) {
                    int x, y;
                    UnpackWavePoint(m.series[s].points.GetAt(i), &x, &y);
                    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom)
                        ++inconsistent;
                }
                CWaveBuffer& buffer = m.series[s].buffer;
                if (buffer.GetWindowLength() != length)
                    ++inconsistent;
                // The visible window must lie inside the storage.
                if (zoom < 1.0 && buffer.GetWindowCount() < 1 + int(std::ceil(1.0 / zoom)))
                    ++inconsistent;
            }
            if (m.scrollOffset < 0 || m.scrollOffset >= length)
                ++inconsistent;
            if (zoom != 1.0 && (zoom < 0.125 || zoom > length * 0.5))
                ++inconsistent;
            m.LargestFrameCount();
            m.seriesCount = 2; // a property write
        }
        std::string text;
        m.ReadoutText(45 + iterations % 150, 50, &text);
        m.Wheel(100, 60, iterations % 3 ? 120 : -120, true);
        m.Wheel(100, 60, 120, false);
        m.MouseDown(50, 50);
        m.DragTo(80 + iterations % 40, 70, 200);
        m.MouseUp();
        if (iterations % 7 == 0)
            m.DoubleClick();
    }
    reader.join();
    EXPECT_EQ(inconsistent, 0);
    EXPECT_GT(m.series[0].buffer.GetFrameCount(), 0);
}
