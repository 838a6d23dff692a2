// The distance chart's full paint (background rebuilt with the bands, series drawn, frame
// blitted) against one BitBlt of the same size, on a real window under Wine. Prints both
// times and their ratio.
#include "distance_statistics.h"
#include "wave_wnd_win.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1035, kHeight = 324; // a 1000 x 300 plot beside the axes
constexpr int kRounds = 300;

class BandListener : public IWaveWndDrawListener {
public:
    explicit BandListener(CWaveWnd& chart) : m_chart(chart) {
        for (int i = 0; i < 1200; ++i)
            m_samples.Append(uint32_t(i * 100), (i / 50) % 4, (i % 600) / 100.0);
    }
    void OnDrawBackground(HDC, HBITMAP, uint32_t* pixels, int width, int height, int, const RECT*,
                          const RECT*, const RECT*, const RECT*, const RECT* plot, LONG_PTR) override {
        PaintDistanceBackground(
            m_samples, pixels, width, height, *plot, 120'000,
            MakeDistanceBandColors(0xFF6A819E, 0x3FFF0000, 0x3F00FF00),
            [this](const double* v, int n) { m_chart.model.series[0].buffer.Append(v, n); });
    }

private:
    CWaveWnd& m_chart;
    DistanceSampleList m_samples;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int wmain() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, frame,
                                 nullptr, nullptr, nullptr);
    CWaveWnd chart;
    chart.SubclassWindow(child);
    BandListener listener(chart);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.seriesCount = 1;
        chart.model.gridVisible = 0;
        chart.model.leftAxis.visible = 1;
        chart.model.leftAxis.size = 35;
        chart.model.bottomAxis.visible = 1;
        chart.model.bottomAxis.size = 24;
    }
    chart.SetSampleType(kWaveDouble);
    chart.SetYRange(0, 6.75);
    chart.SetCaption(L"Detected Distance", 15, 0xFFFFFFFF);
    chart.InitWindow();
    chart.ResizeBuffers();
    chart.SetSampleCount(1000);
    chart.listener = &listener;
    chart.UpdateWindow();

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) {
        chart.Repaint();
        chart.UpdateWindow();
    }
    QueryPerformanceCounter(&end);
    const double paint = Seconds(start, end) / kRounds;

    HDC screen = GetDC(child);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(memory, bitmap);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i)
        BitBlt(screen, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
    GdiFlush();
    QueryPerformanceCounter(&end);
    const double blit = Seconds(start, end) / kRounds;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(child, screen);

    std::printf("distance chart full paint / one BitBlt of %dx%d: %.2f (%.1f us / %.1f us)\n", kWidth,
                kHeight, paint / blit, paint * 1e6, blit * 1e6);
    chart.DestroyWindow();
    DestroyWindow(frame);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
