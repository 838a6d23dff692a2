// The chart control: a static control of a dialog, subclassed, that draws a WaveChartModel
// (series lines over a plot framed by labelled axes) off-screen into two 32-bit layers and
// blits the frame in one go. A tool tip reads out the value of the series nearest the mouse.
//
// Threads: the GUI thread does all window handling and painting. The reader thread may
// append to a series' buffer, call SetSampleCount, SetXRange, SetYRange, ClearData and
// ResetFrameCounts, and ask for repaints (Repaint, RequestRepaint). A paint holds the
// model's lock throughout; the owner writes model fields under model.Lock() and then calls
// Repaint().
#pragma once

#include "tool_tip_ctrl.h"
#include "wave_captions_win.h"
#include "wave_chart_model.h"
#include "wave_gdiplus_win.h"
#include "wave_layers_win.h"
#include "wnd.h"

#include <atomic>
#include <string>

// What the owner may draw into a chart. Rectangles point to copies: changing them changes
// nothing in the chart.
class IWaveWndDrawListener {
public:
    virtual ~IWaveWndDrawListener() = default;
    // Once per background rebuild, after the grid and before the axis labels: `dc` is a
    // memory context with the background layer `bitmap` selected; `pixels` are its rows,
    // top to bottom, `stride` (width x 4) bytes apart.
    virtual void OnDrawBackground(HDC dc, HBITMAP bitmap, uint32_t* pixels, int width, int height, int stride,
                                  const RECT* left, const RECT* top, const RECT* right, const RECT* bottom,
                                  const RECT* plot, LONG_PTR data) {
        (void)dc, (void)bitmap, (void)pixels, (void)width, (void)height, (void)stride;
        (void)left, (void)top, (void)right, (void)bottom, (void)plot, (void)data;
    }
    // Before each visible series is drawn; `points` holds its packed points (PackWavePoint).
    virtual void OnPrepareSeries(int series, const RECT* plot, CPtrArrayCtrl* points, LONG_PTR data) {
        (void)series, (void)plot, (void)points, (void)data;
    }
    // Nonzero: the listener drew the series into `dc` (the frame layer) and the chart does not.
    virtual int OnDrawSeries(HDC dc, const RECT* plot, int series, CPtrArrayCtrl* points, int lineWidth,
                             COLORREF color, int smoothLines, LONG_PTR data) {
        (void)dc, (void)plot, (void)series, (void)points, (void)lineWidth, (void)color, (void)smoothLines;
        (void)data;
        return 0;
    }
};

class CWaveWnd : public CWnd {
public:
    CWaveWnd();
    ~CWaveWnd() override;

    // Reads the client size and makes the read-out tool tip. Call once after subclassing,
    // then ResizeBuffers.
    void InitWindow();
    // New layers for the client size (none while it is empty), layout, scaled plot picture;
    // repaints.
    void ResizeBuffers();

    // Thin wrappers of the model's operations that repaint when the model says so. Safe
    // from the reader thread.
    void SetSampleType(int type);
    void SetSampleCount(int n);
    void SetXRange(double min, double max, double period);
    void SetYRange(double min, double max);
    void SetWholeFrames(int whole);
    void ClearData();
    void ResetFrameCounts();
    // Read-out format parts are printf texts in UTF-8; null parts take the defaults.
    void SetReadoutFormat(int series, const char* name, const char* sampleCaption, const char* valueFormat);

    // Label font (pointSize points, 黑体), colour and decimals of the top and bottom axis,
    // respectively the left and right axis; repaints.
    void SetXAxisStyle(int pointSize, COLORREF color, int decimals);
    void SetYAxisStyle(int pointSize, COLORREF color, int decimals);
    // The caption centred at the top of the plot; repaints.
    void SetCaption(const wchar_t* text, float pointSize, Gdiplus::ARGB argb);

    // Takes ownership of `picture` (null frees the one held); it fills the plot while
    // model.plotBkUsesPicture is set. Repaints.
    void SetPlotBkPicture(Gdiplus::Bitmap* picture);
    Gdiplus::Bitmap* GetPlotBkPicture() const { return m_plotBkPicture; }

    // Rebuild the background at the next paint and invalidate, erasing. Any thread.
    void Repaint();
    // Invalidates without erasing unless an update is already pending. Any thread.
    void RequestRepaint();

    WaveChartModel model;
    IWaveWndDrawListener* listener = nullptr;
    LONG_PTR listenerData = 0;
    // The frame-count caption (model.showFrameCount): font (none: the context's), colour
    // and DrawTextW format over the plot.
    CFont frameCountFont;
    COLORREF frameCountColor = 0;
    UINT frameCountFormat = DT_SINGLELINE | DT_RIGHT | DT_TOP;

    // For tests and the owner's checks.
    const CWaveLayers& Layers() const { return m_layers; }
    CWaveCaptions& Captions() { return m_captions; }
    HWND ReadoutTipWindow() const { return m_readoutTip.m_hWnd; }
    bool ReadoutShown() const { return m_readoutShown; }

protected:
    void PreSubclassWindow() override;

    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    static std::wstring WideFromUtf8(const std::string& text);
    void InvalidateTarget(BOOL erase);
    void SetAxisStyle(WaveAxis& first, WaveAxis& second, int pointSize, COLORREF color, int decimals);
    void DropScaledPicture();
    bool CopyPlotPictureTo(uint32_t* pixels, const RECT& plot);
    void RebuildBackground();
    void DrawSeries(HDC dc);
    void DrawSeriesLine(HDC dc, const WaveSeries& series);
    void DrawFrameCount(HDC dc);
    void RefreshReadout();
    void HideReadout();

    // The window other threads invalidate: set while subclassed, cleared at WM_DESTROY, so
    // they never read m_hWnd while the GUI thread changes it.
    std::atomic<HWND> m_target{nullptr};
    CWaveLayers m_layers;
    Gdiplus::Bitmap* m_plotBkPicture = nullptr; // owned
    Gdiplus::Bitmap* m_scaledPicture = nullptr; // owned, the plot's size
    CWaveCaptions m_captions;
    CToolTipCtrl m_readoutTip;
    bool m_readoutShown = false;
    POINT m_readoutPoint = {-1, -1};
    bool m_trackingMouse = false;
};
