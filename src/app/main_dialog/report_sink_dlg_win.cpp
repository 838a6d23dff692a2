// The main dialog as the report reader's sink: the thread body, and what the decoder tells
// the dialog and its charts from the reader thread.
#include "kova_tevo512_tool_dlg.h"

#include "dbg_output.h"
#include "report_reader.h"

#include <algorithm>
#include <exception>

int EnergyChartLink::GetSampleCount() {
    CAutoBaseLock lock(m_chart.model.Lock());
    return m_chart.model.sampleCount;
}

int EnergyChartLink::GetSeriesCount() {
    CAutoBaseLock lock(m_chart.model.Lock());
    return m_chart.model.seriesCount;
}

// One step under the chart's lock, so a paint never sees the new sample count with the old
// axes.
void EnergyChartLink::SetGateCount(int gates) {
    CAutoBaseLock lock(m_chart.model.Lock());
    m_chart.SetSampleCount(gates);
    m_chart.model.topAxis.coord.tickCount = std::max(gates, 1);
    m_chart.model.bottomAxis.coord.tickCount = std::max(gates, 1);
    m_chart.Repaint();
    m_chart.SetXRange(0, gates - 1, -1.0);
}

void EnergyChartLink::FlushRepaint() {
    if (m_dirty.exchange(false))
        m_chart.RequestRepaint();
}

void EnergyChartLink::Append(int series, const uint16_t* values, int count) {
    if (series >= 0 && series < kWaveSeriesCount)
        m_chart.model.series[series].buffer.Append(values, count);
}

ReportDecoder CKOVATevo512ToolDlg::CreateReportDecoder() {
    return ReportDecoder(m_current, &m_samples, this,
                         {m_settings.MotionSensing, m_settings.MotionlessSensing, m_sensitivityLock});
}

// One message stands for every report until the GUI takes them: a GUI that falls behind
// never finds a growing queue.
void CKOVATevo512ToolDlg::PostReportMessage(const ReportValues& report) {
    if (m_handover.Put(report))
        ::PostMessageW(m_hWnd, WM_REPORT_MESSAGE, 0, 0);
}

// The background is rebuilt with the next display frame, not with every sample.
void CKOVATevo512ToolDlg::InvalidateDistanceChart() {
    m_distanceSampled = true;
}

int CKOVATevo512ToolDlg::ThreadFunc(CBaseThread*, void*) {
    // The reader never takes the program down: whatever escapes ends this run of it, logged.
    try {
        DeviceReportSource source(m_device);
        ReportDecoder decoder = CreateReportDecoder();
        return RunReportReader(source, m_capture, m_stop, decoder, &m_captureFailed);
    } catch (const std::exception& error) {
        DbgOutputA(2, "Report reader stopped: %s\r\n", error.what());
    } catch (...) {
        DbgOutputA(2, "Report reader stopped\r\n");
    }
    return 0;
}
