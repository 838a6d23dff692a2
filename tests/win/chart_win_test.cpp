// The chart window under Wine: a real CWaveWnd subclassing a STATIC child of a real
// top-level window, painted through WM_PAINT, its pixels read back from the frame layer and
// from the screen.
//
// Colour words: the layers hold the model's words as given, and a 32-bit DIB pixel reads
// 0x00RRGGBB. So plotBkColor 0x00102030 shows on screen as red 0x10, green 0x20, blue 0x30,
// while a series colour is a COLORREF (red in the low byte) drawn by GDI, and RGB(255, 0, 0)
// lands in the layer as the word 0x00FF0000.
#include "pixel_buffer.h"
#include "point_font_win.h"
#include "process_counts_win.h"
#include "wave_wnd_win.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

[[maybe_unused]] const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

constexpr uint32_t kRgbMask = 0x00FFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr uint32_t kRedWord = 0x00FF0000; // kRed as GDI writes it into a 32-bit layer
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr uint32_t kBlueWord = 0x000000FF;
constexpr uint32_t kPlotFill = 0x00102030;
constexpr uint32_t kWindowFill = 0x00405060;
constexpr uint32_t kGridWord = 0x00708090;
constexpr uint32_t kCentreWord = 0x00A0B0C0;

const wchar_t* HostClass() {
    static const wchar_t kName[] = L"KovaChartTestHost";
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kName;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return RegisterClassW(&wc);
    }();
    return atom != 0 ? kName : nullptr;
}

// A top-level window with one STATIC child of the given client size, as a dialog holds the
// control the chart subclasses.
class ChartHost {
public:
    ChartHost(int width, int height) {
        top = CreateWindowExW(0, HostClass(), L"chart", WS_POPUP | WS_VISIBLE, 20, 20, width + 40,
                              height + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, width, height, top,
                                reinterpret_cast<HMENU>(1600), GetModuleHandleW(nullptr), nullptr);
    }
    ~ChartHost() {
        if (IsWindow(top))
            DestroyWindow(top);
        PumpPending();
    }
    ChartHost(const ChartHost&) = delete;
    ChartHost& operator=(const ChartHost&) = delete;

    // What the owner does: subclass, InitWindow, ResizeBuffers.
    bool Attach(CWaveWnd& chart) const {
        if (!chart.SubclassWindow(child))
            return false;
        chart.InitWindow();
        chart.ResizeBuffers();
        return true;
    }

    HWND top = nullptr;
    HWND child = nullptr;
};

void Paint(CWaveWnd& chart) {
    RedrawWindow(chart.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
}

uint32_t FramePixel(const CWaveWnd& chart, int x, int y) {
    const CWaveLayers& layers = chart.Layers();
    return layers.FramePixels()[size_t(y) * size_t(layers.Width()) + size_t(x)] & kRgbMask;
}

std::vector<POINT> SeriesPoints(CWaveWnd& chart, int series) {
    CAutoBaseLock hold(chart.model.Lock());
    const CPtrArrayCtrl& points = chart.model.series[series].points;
    std::vector<POINT> out;
    for (int i = 0; i < points.GetCount(); ++i) {
        int x = 0, y = 0;
        UnpackWavePoint(points.GetAt(i), &x, &y);
        out.push_back(POINT{x, y});
    }
    return out;
}

void AppendInt16(CWaveWnd& chart, int series, const std::vector<int16_t>& values) {
    chart.model.series[series].buffer.Append(values.data(), int(values.size()));
}

// A chart with neither grid nor labels in the way: plain fills, thin lines, 16-bit samples
// over 0..100.
void PlainSetup(CWaveWnd& chart, int samples) {
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.gridVisible = 0;
        chart.model.lineWidth = 1;
        chart.model.plotBkColor = kPlotFill;
        chart.model.windowBkColor = kWindowFill;
        chart.model.series[0].color = kRed;
        chart.model.series[1].color = kBlue;
    }
    chart.SetSampleType(kWaveInt16);
    chart.SetYRange(0, 100);
    chart.SetSampleCount(samples);
    chart.Repaint();
}

} // namespace

TEST(ChartWin, NineSamplesSpanA401PixelPlotFiftyPixelsApartUnderNineLabels) {
    ChartHost host(481, 220);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.leftAxis.visible = 1;
        chart.model.leftAxis.size = 40;
        chart.model.rightAxis.visible = 1; // room to see that the line stops at the plot's edge
        chart.model.rightAxis.size = 40;
        chart.model.rightAxis.coord.tickCount = 0;
        chart.model.bottomAxis.visible = 1;
        chart.model.bottomAxis.size = 20;
        chart.model.bottomAxis.coord.tickCount = 9;
    }
    PlainSetup(chart, 9);
    // A zigzag whose last stretch is level: GDI leaves out a line's final pixel, so the
    // last point is seen through the pixel before it.
    AppendInt16(chart, 0, {20, 80, 20, 80, 20, 80, 20, 80, 80});
    Paint(chart);

    const RECT plot = chart.model.plotRect;
    ASSERT_EQ(plot.left, 40);
    ASSERT_EQ(plot.right - plot.left, 401);
    std::vector<POINT> points = SeriesPoints(chart, 0);
    ASSERT_EQ(points.size(), 9u);
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_EQ(points[k].x, plot.left + 50 * LONG(k)) << "point " << k;
        if (k + 1 < points.size()) {
            EXPECT_EQ(FramePixel(chart, points[k].x, points[k].y), kRedWord) << "point " << k;
        }
    }
    EXPECT_EQ(points.back().x, plot.right - 1);
    EXPECT_EQ(FramePixel(chart, points.back().x - 1, points.back().y), kRedWord);
    // The line joins the points and goes no further than the plot.
    EXPECT_EQ(FramePixel(chart, plot.left + 25, (points[0].y + points[1].y) / 2), kRedWord);
    EXPECT_NE(FramePixel(chart, plot.left - 1, points.front().y), kRedWord);
    EXPECT_NE(FramePixel(chart, plot.right, points.back().y), kRedWord);

    // Each of the nine labels leaves ink in its cell of the bottom band.
    const double cell = 401.0 / 8;
    for (int i = 0; i < 9; ++i) {
        int from = plot.left + std::max(0, int((i - 0.5) * cell + 0.5));
        int to = plot.left + std::min(401, int((i + 0.5) * cell + 0.5));
        bool ink = false;
        for (int x = from; x < to && !ink; ++x)
            for (int y = plot.bottom; y < 220 && !ink; ++y)
                ink = FramePixel(chart, x, y) != kWindowFill;
        EXPECT_TRUE(ink) << "label " << i;
    }
}

TEST(ChartWin, HiddenAxesGiveTheWholeClientToThePlot) {
    ChartHost host(200, 120);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 16);
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.series[0].visible = 0; // its zeros would lie along the bottom corners
    }
    Paint(chart);
    const RECT plot = chart.model.plotRect;
    EXPECT_EQ(plot.left, 0);
    EXPECT_EQ(plot.top, 0);
    EXPECT_EQ(plot.right, 200);
    EXPECT_EQ(plot.bottom, 120);
    for (POINT corner : {POINT{0, 0}, POINT{199, 0}, POINT{0, 119}, POINT{199, 119}})
        EXPECT_EQ(FramePixel(chart, corner.x, corner.y), kPlotFill) << corner.x << "," << corner.y;

    // A new size brings new layers and a new layout.
    SetWindowPos(host.child, nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER);
    Paint(chart);
    EXPECT_EQ(chart.Layers().Width(), 150);
    EXPECT_EQ(chart.Layers().Height(), 80);
    EXPECT_EQ(chart.model.plotRect.right, 150);
    EXPECT_EQ(chart.model.plotRect.bottom, 80);
    EXPECT_EQ(FramePixel(chart, 149, 79), kPlotFill);
}

TEST(ChartWin, FillsAndGridLieWhereTheLayoutPutsThemOnTheLayerAndOnScreen) {
    // Plot 320 x 160 with 16 rows: cells of 10 x 10, lines every 10 pixels from the plot's
    // corner, the centre cross at +160 and +80.
    ChartHost host(360, 180);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 16);
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.gridVisible = 1;
        chart.model.gridRows = 16;
        chart.model.gridColor = kGridWord;
        chart.model.gridCenterColor = kCentreWord;
        chart.model.leftAxis.visible = 1;
        chart.model.leftAxis.size = 40;
        chart.model.leftAxis.coord.tickCount = 0; // no labels over the band's fill
        chart.model.bottomAxis.visible = 1;
        chart.model.bottomAxis.size = 20;
        chart.model.bottomAxis.coord.tickCount = 0;
    }
    chart.Repaint();
    Paint(chart);
    const RECT plot = chart.model.plotRect;
    ASSERT_EQ(plot.left, 40);
    ASSERT_EQ(plot.top, 0);
    ASSERT_EQ(plot.right, 360);
    ASSERT_EQ(plot.bottom, 160);
    EXPECT_DOUBLE_EQ(chart.model.gridCellHeight, 10.0);
    EXPECT_DOUBLE_EQ(chart.model.gridCellWidth, 10.0);

    struct Case {
        int x, y;
        uint32_t word;
        const char* what;
    } cases[] = {
        {5, 5, kWindowFill, "left band"},
        {200, 170, kWindowFill, "bottom band"},
        {45, 5, kPlotFill, "cell"},
        {45, 10, kGridWord, "horizontal line"},
        {50, 5, kGridWord, "vertical line"},
        {200, 5, kCentreWord, "vertical centre"},
        {45, 80, kCentreWord, "horizontal centre"},
        {355, 155, kPlotFill, "last cell"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FramePixel(chart, c.x, c.y), c.word) << c.what;

    // What reached the screen: the same words, read through a 32-bit DIB of the window.
    HDC window = GetDC(chart.m_hWnd);
    HDC memory = CreateCompatibleDC(window);
    void* bits = nullptr;
    HBITMAP copy = CreateHBitmap(&bits, 360, 180, 32, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, 360, 180, window, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* screen = static_cast<const uint32_t*>(bits);
    for (const Case& c : cases)
        EXPECT_EQ(screen[c.y * 360 + c.x] & kRgbMask, c.word) << "on screen: " << c.what;
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(chart.m_hWnd, window);
}

TEST(ChartWin, ReadoutNamesTheNearestSeriesFollowsTheDataAndHidesOnLeaving) {
    ChartHost host(400, 200);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 9);
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.seriesCount = 2;
    }
    chart.SetReadoutFormat(0, "Moving Energy", "Gate", "Value:%.0f");
    chart.SetReadoutFormat(1, "Threshold", "Gate", "Value:%.0f");
    AppendInt16(chart, 0, {20, 20, 20, 20, 20, 20, 20, 20, 20});
    AppendInt16(chart, 1, {80, 80, 80, 80, 80, 80, 80, 80, 80});
    Paint(chart);
    ASSERT_NE(chart.ReadoutTipWindow(), nullptr);

    auto tipText = [&chart] {
        wchar_t text[256] = L"";
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = chart.m_hWnd;
        info.uId = UINT_PTR(chart.m_hWnd);
        info.lpszText = text;
        SendMessageW(chart.ReadoutTipWindow(), TTM_GETTEXTW, 256, LPARAM(&info));
        return std::wstring(text);
    };
    // Gate 3 sits at x = 3 * 399 / 8; the pointer is a little below the threshold's row.
    std::vector<POINT> threshold = SeriesPoints(chart, 1);
    ASSERT_EQ(threshold.size(), 9u);
    POINT at{threshold[3].x, threshold[3].y + 10};
    POINT onScreen = at;
    ClientToScreen(chart.m_hWnd, &onScreen);
    SetCursorPos(onScreen.x, onScreen.y);
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(chart.ReadoutShown());
    EXPECT_EQ(tipText(), L"Threshold, Gate:3, Value:80");

    // Nearer the energy row, the energy is read out.
    std::vector<POINT> energy = SeriesPoints(chart, 0);
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(energy[5].x, energy[5].y - 5));
    EXPECT_EQ(tipText(), L"Moving Energy, Gate:5, Value:20");
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));

    // Once the tip shows, a paint with new data refreshes the text.
    for (int i = 0; i < 200 && !IsWindowVisible(chart.ReadoutTipWindow()); ++i) {
        PumpPending();
        Sleep(20);
    }
    ASSERT_TRUE(IsWindowVisible(chart.ReadoutTipWindow())) << "the tool tip never showed";
    AppendInt16(chart, 1, {60, 60, 60, 60, 60, 60, 60, 60, 60});
    Paint(chart);
    EXPECT_EQ(tipText(), L"Threshold, Gate:3, Value:60");

    SendMessageW(chart.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(chart.ReadoutShown());
    PumpPending();
    EXPECT_FALSE(IsWindowVisible(chart.ReadoutTipWindow()));

    // Back over the plot it shows again, even at the same point; outside the plot it hides.
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(chart.ReadoutShown());
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.leftAxis.visible = 1;
        chart.model.leftAxis.size = 40;
    }
    chart.Repaint();
    Paint(chart);
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 50));
    EXPECT_FALSE(chart.ReadoutShown());
}

TEST(ChartWin, ClearDataEmptiesTheSeries) {
    ChartHost host(200, 100);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 8);
    AppendInt16(chart, 0, {50, 50, 50, 50, 50, 50, 50, 50});
    Paint(chart);
    EXPECT_EQ(FramePixel(chart, 100, 50), kRedWord);

    chart.ClearData();
    UpdateWindow(chart.m_hWnd);
    GdiFlush();
    for (double value : chart.model.series[0].buffer.CopyStorage())
        ASSERT_EQ(value, 0.0);
    EXPECT_EQ(FramePixel(chart, 100, 50), kPlotFill);
    EXPECT_EQ(FramePixel(chart, 100, 99), kRedWord); // zeros lie on the bottom row
}

TEST(ChartWin, ListenerDrawsIntoTheBackgroundAndMayDrawSeriesItself) {
    struct Listener : IWaveWndDrawListener {
        CWaveWnd* chart = nullptr;
        int backgrounds = 0;
        RECT plot{};
        int stride = 0;
        std::vector<int> prepared;
        void OnDrawBackground(HDC, HBITMAP, uint32_t* pixels, int width, int, int rowBytes, const RECT*,
                              const RECT*, const RECT*, const RECT*, const RECT* plotRect,
                              LONG_PTR data) override {
            ++backgrounds;
            plot = *plotRect;
            stride = rowBytes;
            EXPECT_EQ(data, 77);
            pixels[width * 2 + 2] = 0x00ABCDEF; // drawn into the background, so in every frame
            // What a listener appends here is drawn in the same paint.
            AppendInt16(*chart, 0, {50, 50, 50, 50});
        }
        void OnPrepareSeries(int series, const RECT*, CPtrArrayCtrl*, LONG_PTR) override {
            prepared.push_back(series);
        }
        int OnDrawSeries(HDC, const RECT*, int series, CPtrArrayCtrl*, int, COLORREF, int,
                         LONG_PTR) override {
            return series == 1; // the listener "draws" series 1
        }
    } listener;

    ChartHost host(120, 100);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 4);
    listener.chart = &chart;
    chart.listener = &listener;
    chart.listenerData = 77;
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.seriesCount = 2;
    }
    AppendInt16(chart, 1, {50, 50, 50, 50});
    Paint(chart);
    EXPECT_EQ(listener.backgrounds, 1);
    EXPECT_EQ(listener.stride, 120 * 4);
    EXPECT_EQ(listener.plot.right, 120);
    EXPECT_EQ(listener.prepared, (std::vector<int>{0, 1}));
    EXPECT_EQ(FramePixel(chart, 2, 2), 0x00ABCDEFu);
    EXPECT_EQ(FramePixel(chart, 60, 50), kRedWord); // series 0, not series 1 over it

    Paint(chart); // no rebuild without the flag
    EXPECT_EQ(listener.backgrounds, 1);
    EXPECT_EQ(FramePixel(chart, 2, 2), 0x00ABCDEFu);
    chart.listener = nullptr;
}

TEST(ChartWin, SmoothLinesAndCaptionsAreDrawnWithGdiplus) {
    ChartHost host(300, 101);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 8);
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.smoothLines = 1;
        chart.model.lineWidth = 3;
        chart.model.plotBkColor = 0;
    }
    chart.SetCaption(L"Energy 能量", 15.0f, 0xFFFFFFFF);
    AppendInt16(chart, 0, {70, 70, 70, 70, 70, 70, 70, 70});
    Paint(chart);
    EXPECT_EQ(FramePixel(chart, 150, 30), kRedWord); // value 70 of 0..100 over 101 rows
    EXPECT_EQ(FramePixel(chart, 150, 36), 0u);

    auto brightIn = [&chart](int fromY, int toY) {
        int bright = 0;
        for (int y = fromY; y < toY; ++y)
            for (int x = 0; x < 300; ++x)
                if ((FramePixel(chart, x, y) & 0xFF00) > 0x8000) // green: only the white text has it
                    ++bright;
        return bright;
    };
    EXPECT_GT(brightIn(0, 25), 10); // the caption, at the top of the plot
    EXPECT_EQ(brightIn(40, 101), 0);
    std::wstring text;
    Gdiplus::ARGB color = 0;
    bool hasFont = false;
    ASSERT_TRUE(chart.Captions().GetCaption(0, &text, &color, &hasFont));
    EXPECT_TRUE(hasFont);
    EXPECT_EQ(color, 0xFFFFFFFFu);
}

TEST(ChartWin, PlotPictureIsScaledToThePlotAndFollowsItsSize) {
    ChartHost host(200, 100);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 8);
    auto* picture = new Gdiplus::Bitmap(4, 4, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(picture);
        graphics.Clear(Gdiplus::Color(0xFF123456));
    }
    chart.SetPlotBkPicture(picture);
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.series[0].visible = 0;
        chart.model.plotBkUsesPicture = 1;
        chart.model.leftAxis.visible = 1;
        chart.model.leftAxis.size = 40;
        chart.model.leftAxis.coord.tickCount = 0;
    }
    chart.ResizeBuffers();
    Paint(chart);
    EXPECT_EQ(FramePixel(chart, 120, 50), 0x123456u); // ARGB words land as they are
    EXPECT_EQ(FramePixel(chart, 5, 50), kWindowFill);

    // A wider plot gets a picture of its own size.
    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.leftAxis.visible = 0;
    }
    chart.Repaint();
    Paint(chart);
    EXPECT_EQ(FramePixel(chart, 100, 50), 0x123456u);
    EXPECT_EQ(FramePixel(chart, 5, 50), 0x123456u);

    // Without a picture the plot takes its colour.
    chart.SetPlotBkPicture(nullptr);
    Paint(chart);
    EXPECT_EQ(FramePixel(chart, 100, 50), kPlotFill);
}

TEST(ChartWin, APaintBeforeTheLayersExistOnlyValidates) {
    ChartHost host(100, 60);
    CWaveWnd chart;
    ASSERT_TRUE(chart.SubclassWindow(host.child)); // no InitWindow, no ResizeBuffers
    EXPECT_FALSE(chart.Layers().Exist());
    InvalidateRect(chart.m_hWnd, nullptr, TRUE);
    UpdateWindow(chart.m_hWnd);
    EXPECT_FALSE(GetUpdateRect(chart.m_hWnd, nullptr, FALSE));
}

TEST(ChartWin, MouseDragCapturesAndWheelZoomsOnlyWhenSwitchedOn) {
    ChartHost host(200, 101);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 8);
    Paint(chart);
    SendMessageW(chart.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_NE(GetCapture(), chart.m_hWnd); // off by default
    SendMessageW(chart.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));

    {
        CAutoBaseLock hold(chart.model.Lock());
        chart.model.dragY = 1;
        chart.model.zoomY = 1;
    }
    SendMessageW(chart.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(GetCapture(), chart.m_hWnd);
    SendMessageW(chart.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 80));
    EXPECT_GT(chart.model.viewYRange.min, 0.0); // dragged down: higher values come into view
    SendMessageW(chart.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 80));
    EXPECT_NE(GetCapture(), chart.m_hWnd);

    SendMessageW(chart.m_hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(50, 50));
    EXPECT_DOUBLE_EQ(chart.model.viewYRange.min, 0.0);
    POINT centre{100, 50};
    ClientToScreen(chart.m_hWnd, &centre);
    SendMessageW(chart.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(centre.x, centre.y));
    EXPECT_LT(chart.model.viewYRange.max - chart.model.viewYRange.min, 100.0);
}

TEST(ChartWin, SampleCountChangesFromAnotherThreadWhilePainting) {
    ChartHost host(300, 101);
    CWaveWnd chart;
    ASSERT_TRUE(host.Attach(chart));
    PlainSetup(chart, 9);
    std::atomic<bool> done{false};
    std::thread reader([&chart, &done] {
        std::vector<int16_t> values(64, 40);
        for (int i = 0; i < 300; ++i) {
            chart.SetSampleCount(5 + i % 60);
            chart.model.series[0].buffer.Append(values.data(), 5 + i % 60);
            chart.RequestRepaint();
        }
        done = true;
    });
    int paints = 0;
    while (!done) {
        Paint(chart);
        PumpPending();
        ++paints;
    }
    reader.join();
    Paint(chart);
    EXPECT_GT(paints, 0);
    EXPECT_EQ(chart.model.sampleCount, 5 + 299 % 60);
    const RECT plot = chart.model.plotRect;
    std::vector<POINT> points = SeriesPoints(chart, 0);
    EXPECT_EQ(points.size(), size_t(5 + 299 % 60));
    for (POINT p : points) {
        EXPECT_GE(p.x, plot.left);
        EXPECT_LT(p.x, plot.right);
    }
}

TEST(ChartWin, DestroyingTheWindowFreesLayersAndCaptions) {
    // One chart's life: subclass, configure, paint, read out, destroy the window. Returns
    // whether its layers and captions were gone at WM_DESTROY and the GDI object count
    // just after it, with the chart object still alive.
    auto oneChart = []() -> std::pair<bool, int> {
        ChartHost host(240, 120);
        auto chart = std::make_unique<CWaveWnd>();
        if (!host.Attach(*chart))
            return {false, 0};
        PlainSetup(*chart, 8);
        {
            CAutoBaseLock hold(chart->model.Lock());
            chart->model.leftAxis.visible = 1;
            chart->model.bottomAxis.visible = 1;
            chart->model.showFrameCount = 1;
        }
        CreatePointFont(&chart->frameCountFont, 90, L"Tahoma");
        chart->SetCaption(L"caption", 12.0f, 0xFF00FF00);
        chart->SetXAxisStyle(9, RGB(1, 2, 3), 0);
        AppendInt16(*chart, 0, {1, 2, 3, 4, 5, 6, 7, 8});
        Paint(*chart);
        SendMessageW(chart->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 60));
        HBITMAP frame = chart->Layers().Frame(), background = chart->Layers().Background();
        DestroyWindow(host.child);
        bool freed = GetObjectType(frame) == 0 && GetObjectType(background) == 0 &&
                     !chart->Layers().Exist() && chart->Captions().GetCount() == 0;
        return {freed, GdiObjectCount()};
    };
    oneChart(); // caches that outlive a chart (device contexts, GDI+) fill up here
    const int before = GdiObjectCount();
    for (int i = 0; i < 3; ++i) {
        auto [freed, whileObjectLives] = oneChart();
        EXPECT_TRUE(freed) << "chart " << i;
        // Only the four axis label fonts, which belong to the object, outlive the window.
        EXPECT_EQ(whileObjectLives, before + 4) << "chart " << i;
    }
    EXPECT_EQ(GdiObjectCount(), before);
}
