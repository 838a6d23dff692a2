// The main dialog's distance statistics: the presence bands and distance line painted behind
// the distance chart, and the statistics length limits by unit.
#include "kova_tevo512_tool_dlg.h"

#include "distance_statistics.h"
#include "resource.h"

void CKOVATevo512ToolDlg::OnDrawBackground(HDC, HBITMAP, uint32_t* pixels, int width, int height, int,
                                           const RECT*, const RECT*, const RECT*, const RECT*,
                                           const RECT* plot, LONG_PTR) {
    // Every rebuild paints the bands: the rebuild has just filled the plot with the no-one
    // colour, whether or not a sample came since the last one (a resize, or a report whose
    // repaint request arrives while this rebuild runs).
    m_samples.ChangedFlag().exchange(0);
    if (plot == nullptr)
        return;
    DrawDistanceBackground(pixels, width, height, *plot);
}

void CKOVATevo512ToolDlg::DrawDistanceBackground(uint32_t* pixels, int width, int height, const RECT& plot) {
    const DistanceChartSettings& colours = m_settings.DistanceWnd;
    const DistanceBandColors bands =
        MakeDistanceBandColors(colours.NoBodyBkColor, colours.MotionBkColor, colours.MotionlessBkColor);
    const int64_t span = StatisticsSpanMs(m_settings.DistanceUnit, m_settings.DistanceCount);
    CWaveWnd& chart = m_distanceChart;
    PaintDistanceBackground(m_samples, pixels, width, height, plot, span, bands,
                            [&chart](const double* values, int count) {
                                bool hasSeries;
                                {
                                    CAutoBaseLock lock(chart.model.Lock());
                                    hasSeries = chart.model.seriesCount >= 1;
                                }
                                if (!hasSeries)
                                    return;
                                chart.model.series[0].buffer.Append(values, count);
                                chart.RequestRepaint();
                            });
}

// The length edit's limits follow the unit: seconds are fixed at 120, minutes 1..120,
// hours 1..12.
void CKOVATevo512ToolDlg::ApplyStatisticsUnit() {
    const int entry = int(SendDlgItemMessage(IDC_COMBO_DISTANCE_UNIT, CB_GETCURSEL));
    const StatisticsLengthLimits limits = StatisticsLengthLimitsFor(entry);
    if (!limits.known)
        return;
    CDigitalEdit& length = m_distanceCountEdit;
    length.ClearMinimum();
    length.ClearMaximum();
    length.SetMinimum(limits.minimum, L"最小值");
    length.SetMaximum(limits.maximum, L"最大值");
    if (limits.fixed) {
        SetDlgItemInt(IDC_EDIT_DISTANCE_COUNT, UINT(limits.minimum), TRUE);
        length.EnableWindow(FALSE);
        return;
    }
    // An out-of-range length is replaced by the limit it violates.
    length.ValidateNow();
    length.EnableWindow(TRUE);
}
