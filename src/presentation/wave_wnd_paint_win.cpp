// Painting of the chart window: the background layer is rebuilt only when flagged; every
// paint copies it under the frame, draws the series lines over it and blits the frame.
//
// The layers hold the model's colour words as they are given: a 32-bit DIB pixel reads
// 0x00RRGGBB, so a word like COLORREF 0x00BBGGRR shows with red and blue swapped while GDI
// drawing (lines, labels) takes COLORREF as usual.
#include "wave_wnd_win.h"

#include "gdiplus_utils.h"
#include "wave_line_raster.h"

#include <algorithm>
#include <cstdio>
#include <vector>

void CWaveWnd::OnPaint() {
    CPaintDC paintDc(this); // validates the window even when there is nothing to draw
    CAutoBaseLock hold(model.Lock());
    if (!m_layers.Exist())
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(&paintDc))
        return;
    CDCSelection frame(memory, m_layers.Frame());
    // Taken before the rebuild: a repaint asked for meanwhile is not lost.
    if (model.redrawBackground.exchange(0) != 0)
        RebuildBackground();
    // After the rebuild, so that what a listener appended there is drawn now.
    model.BuildSeriesPoints();
    m_layers.CopyBackgroundToFrame();
    DrawSeries(memory);
    if (model.showFrameCount)
        DrawFrameCount(memory);
    if (m_readoutShown && model.AnyReadout() && m_readoutTip.m_hWnd != nullptr &&
        ::IsWindowVisible(m_readoutTip.m_hWnd))
        RefreshReadout(); // the shown value follows the data
    paintDc.BitBlt(0, 0, m_layers.Width(), m_layers.Height(), &memory, 0, 0, SRCCOPY);
}

bool CWaveWnd::CopyPlotPictureTo(uint32_t* pixels, const RECT& plot) {
    if (m_plotBkPicture == nullptr)
        return false;
    int width = plot.right - plot.left, height = plot.bottom - plot.top;
    if (width <= 0 || height <= 0)
        return false;
    // The plot may have changed since the picture was scaled (axis sizes, a new picture).
    if (m_scaledPicture == nullptr || int(m_scaledPicture->GetWidth()) != width ||
        int(m_scaledPicture->GetHeight()) != height) {
        DropScaledPicture();
        m_scaledPicture = Gdiplus_ResizeBitmap(m_plotBkPicture, width, height, 0, 0);
    }
    auto* corner =
        reinterpret_cast<BYTE*>(pixels + size_t(plot.top) * size_t(m_layers.Width()) + size_t(plot.left));
    RECT whole{0, 0, width, height};
    return m_scaledPicture != nullptr &&
           Gdiplus_GetBitmapBuffer(m_scaledPicture, &whole, PixelFormat32bppARGB, corner,
                                   m_layers.Stride()) != 0;
}

void CWaveWnd::RebuildBackground() {
    const int width = m_layers.Width(), height = m_layers.Height();
    uint32_t* pixels = m_layers.BackgroundPixels();
    model.PaintBackground(pixels, width, height, [this](uint32_t* layer, const RECT& plot) {
        return CopyPlotPictureTo(layer, plot);
    });

    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return;
    CDCSelection background(dc, m_layers.Background());
    if (listener != nullptr) {
        RECT left = model.leftAxis.coord.rect, top = model.topAxis.coord.rect;
        RECT right = model.rightAxis.coord.rect, bottom = model.bottomAxis.coord.rect;
        RECT plot = model.plotRect;
        listener->OnDrawBackground(dc, m_layers.Background(), pixels, width, height, m_layers.Stride(), &left,
                                   &top, &right, &bottom, &plot, listenerData);
    }
    for (WaveAxis* axis : {&model.leftAxis, &model.topAxis, &model.rightAxis, &model.bottomAxis}) {
        if (!axis->visible)
            continue;
        dc.SetBkMode(TRANSPARENT);
        CDCSelection font(dc, axis->coord.font);
        dc.SetTextColor(axis->coord.textColor);
        axis->coord.DrawLabels(dc, RECT{0, 0, width, height});
    }
    m_captions.Draw(dc, model.plotRect);
}

void CWaveWnd::DrawSeries(HDC dc) {
    const int used = std::clamp(model.seriesCount, 0, kWaveSeriesCount);
    for (int i = 0; i < used; ++i) {
        WaveSeries& series = model.series[i];
        if (!series.visible)
            continue;
        if (listener != nullptr) {
            RECT plot = model.plotRect;
            listener->OnPrepareSeries(i, &plot, &series.points, listenerData);
            plot = model.plotRect;
            if (listener->OnDrawSeries(dc, &plot, i, &series.points, model.lineWidth, series.color,
                                       model.smoothLines, listenerData) != 0)
                continue;
        }
        DrawSeriesLine(dc, series);
    }
}

void CWaveWnd::DrawSeriesLine(HDC dc, const WaveSeries& series) {
    const int count = series.points.GetCount();
    if (count == 0)
        return;
    std::vector<POINT> points(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        int x = 0, y = 0;
        UnpackWavePoint(series.points.GetAt(i), &x, &y);
        points[size_t(i)] = POINT{x, y};
    }
    if (model.smoothLines) {
        DrawSmoothSeries(dc, points.data(), count, series.color, model.lineWidth);
        return;
    }
    // Into the frame's pixels (0x00RRGGBB) rather than with a wide GDI pen: the same pixels,
    // without the pen's slow path.
    ::GdiFlush();
    const COLORREF color = series.color & 0xFFFFFF;
    DrawWidePolyline(m_layers.FramePixels(), m_layers.Width(), m_layers.Height(), points.data(), count,
                     model.lineWidth,
                     uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color));
}

void CWaveWnd::DrawFrameCount(HDC dc) {
    char text[512];
    std::snprintf(text, sizeof text, "%s%lld", model.frameCountPrefix.c_str(),
                  static_cast<long long>(model.LargestFrameCount()));
    std::wstring wide = WideFromUtf8(text);
    RECT plot = model.plotRect;
    CBorrowedDC target(dc);
    int oldMode = target.SetBkMode(TRANSPARENT);
    CDCSelection font(target, frameCountFont);
    target.SetTextColor(frameCountColor);
    target.DrawText(wide.c_str(), int(wide.size()), &plot, frameCountFormat);
    font.Restore();
    target.SetBkMode(oldMode);
}
