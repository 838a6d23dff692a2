// Every number of a chart window, without its Win32 objects: series slots, layout, grid,
// ranges, axes, zoom and pan, read-out. The Win32 window (CWaveWnd) owns one and turns
// messages into these calls, then draws what they computed.
//
// Threads: the reader thread appends series data and changes the sample count, x range and
// axes while the GUI thread paints. One recursive lock, Lock(), guards every field of the
// model (not the buffers' samples, which each buffer's own lock guards). Every operation
// below takes it; the window holds it for a whole paint and around each direct write of a
// public field. Lock order: model lock, then a buffer's lock, never the reverse. Appending
// to a series' buffer needs only the buffer's lock.
//
// Operations that return bool return true when the window must repaint; they have then
// set redrawBackground already, and the window only invalidates itself.
//
// Choices where the arithmetic alone would misbehave:
// - The buffers start with the chart's sample count (64), not their own default, so the
//   chart and its buffers agree on L from construction on.
// - seriesCount is taken within 0..kWaveSeriesCount wherever it is used.
// - Axis sizes larger than the client leave a plot without width or height, never an
//   inverted one; gridRows <= 0 counts as one row.
// - A plot narrower than two grid cells has no grid columns: cell width 0 and no vertical
//   grid lines (the centre line stays).
// - gridPatternLength is kept to 1..(largest client side + 1): a longer pattern than any
//   line never shows.
// - Zoom and drag steps that would divide by a plot or client of zero size (or a plot one
//   pixel wide, for Ctrl + wheel) are ignored.
// - A read-out format is a printf format taking (sample number, value); one with other
//   conversions is not handed to printf: the series' default format is used instead.
//   Series whose sample type is not drawn (other than 0..2) give no read-out.
#pragma once

#include "base_lock.h"
#include "ptr_containers.h"
#include "wave_buffer.h"
#include "wave_coordinate.h"
#include "win_types.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

constexpr int kWaveSeriesCount = 256;

struct WaveSeries {
    int visible = 1;
    COLORREF color = 0; // gCommonColorTable[i % 5][(i / 5) % 10]
    CWaveBuffer buffer;
    CPtrArrayCtrl points; // packed points (PackWavePoint) of the last BuildSeriesPoints
    int readoutEnabled = 1;
    std::string readoutFormat; // printf format of (sample number, value)
};

// "Wave:%d, Sample:%%d, Value:%%.1f" formatted with the series index.
std::string DefaultReadoutFormat(int series);

struct WaveRange {
    double min;
    double max;
};

struct WaveAxis {
    int visible = 0;
    int size = 0; // pixels across the band; the layout zeroes it while the axis is hidden
    CWaveCoordinate coord;
};

// Copies the plot picture into the background layer at the plot rectangle; returns false
// when there is no picture, and the plot is then filled with plotBkColor.
using WavePlotPictureFunc = std::function<bool(uint32_t* pixels, const RECT& plot)>;

class WaveChartModel {
public:
    WaveChartModel();
    virtual ~WaveChartModel();
    WaveChartModel(const WaveChartModel&) = delete;
    WaveChartModel& operator=(const WaveChartModel&) = delete;

    CBaseLock& Lock() { return m_lock; }

    // ---- Configuration, from any thread ----
    void SetSampleType(int type); // all buffers; no repaint
    bool SetSampleCount(int n);   // L := max(n, 1); repaints only when xRangeFromCount
    bool SetXRange(double min, double max, double period);
    bool SetYRange(double min, double max); // repaints only when axesFollowYRange
    void SetWholeFrames(int whole);
    void ClearData();        // the window then invalidates without the flag
    void ResetFrameCounts(); // the window then invalidates
    // Read-out format of `series` (0..255) from its three parts; null parts take
    // "Wave:%d" (of the index), "Sample:%d" and "Value:%.1f".
    void SetReadoutFormat(int series, const char* name, const char* sampleCaption, const char* valueFormat);

    // ---- Painting, GUI thread ----
    // Axis bands, plot rectangle and grid cells for a client of width x height (stored as
    // clientWidth, clientHeight).
    void Layout(int width, int height);
    // The background layer (width x height pixels, rows top to bottom, stride width * 4):
    // layout, window fill, plot fill (picture through `plotPicture` when plotBkUsesPicture,
    // else plotBkColor) when drawPlotBk, grid when gridVisible. The window then lets its
    // listener draw and draws the axis labels and captions.
    void PaintBackground(uint32_t* pixels, int width, int height,
                         const WavePlotPictureFunc& plotPicture = {});
    // Points of every visible series below seriesCount, by its sample type, without points
    // outside the plot.
    void BuildSeriesPoints();
    int64_t LargestFrameCount(); // over the visible series below seriesCount
    bool AnyReadout();           // some series below seriesCount has readoutEnabled
    // The read-out for the pointer at (px, py), client coordinates: the series whose row at
    // that column is nearest py (ties keep the lower index). False when none answers.
    bool ReadoutText(int px, int py, std::string* text);
    int SampleNumber(int index); // ((L - scrollOffset) mod L + index) mod L

    // ---- Zoom and pan, GUI thread, client coordinates; each acts only when its flag is set ----
    bool MouseDown(int px, int py); // returns: capture the mouse
    bool MouseUp();                 // returns: release the capture
    bool DragTo(int px, int py, int clientWidth);
    bool DoubleClick();
    bool Wheel(int px, int py, int delta, bool ctrl);

    // ---- Fields; write them under Lock() ----
    std::unique_ptr<WaveSeries[]> series; // kWaveSeriesCount slots
    int clientWidth = 0;
    int clientHeight = 0;
    int smoothLines = 0;
    int drawPlotBk = 1;
    int plotBkUsesPicture = 0;
    uint32_t plotBkColor = 0;
    int lineWidth = 3;
    int gridVisible = 1;
    int gridRows = 16;
    int gridPatternLength = 1;
    uint32_t gridColor = 0x5F20;
    uint32_t gridCenterColor = 0xE3CF57;
    int seriesCount = 1;
    uint32_t windowBkColor = 0xF0F0F0; // the window sets GetSysColor(COLOR_BTNFACE)
    RECT plotRect = {0, 0, 0, 0};
    double gridCellWidth = 8.0;
    double gridCellHeight = 8.0;
    std::atomic<int> redrawBackground{0};
    WaveRange xRange = {0.0, 63.0};
    int sampleCount = 64; // L, shared with every buffer
    int scrollOffset = 0; // 0..L-1
    double zoomFactor = 1.0;
    WaveRange homeYRange = {-32767.0, 32767.0};
    WaveRange fullYRange = {-32767.0, 32767.0};
    WaveRange viewYRange = {-32767.0, 32767.0};
    int xRangeFromCount = 1;
    int axesFollowYRange = 1;
    WaveAxis leftAxis;
    WaveAxis rightAxis;
    WaveAxis topAxis;
    WaveAxis bottomAxis;
    int zoomY = 0;
    int dragY = 0;
    int zoomX = 0;
    int dragX = 0;
    POINT dragLast = {0, 0};
    int dragging = 0;
    int dragFirstMoveX = 0;
    int dragFirstMoveY = 0;
    int showFrameCount = 0;
    std::string frameCountPrefix;

private:
    bool AnyVisible();
    int UsedSeries() const;
    void Repaint() { redrawBackground = 1; }
    void DrawGrid(uint32_t* pixels, int width, int height);

    CBaseLock m_lock;
};
