// The main dialog's live display: the three charts' set-up, the report message, the
// presence indicator and readouts, and which parameter controls are enabled.
#include "kova_tevo512_tool_dlg.h"

#include "distance_statistics.h"
#include "distance_samples.h"
#include "ms_time.h"
#include "resource.h"
#include "resource_language.h"

#include <algorithm>
#include <string>

namespace {

constexpr Gdiplus::ARGB kCaptionColor = 0xFFFFFFFF;
// One display frame: the live display follows the reports at most this often.
constexpr DWORD kDisplayFrameMs = 16;

std::string Utf8FromWide(const std::wstring& text) {
    int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(std::max(length, 0)), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), length, nullptr,
                              nullptr);
    return utf8;
}

// A read-out format part is used as printf text: a '%' in a translated name must not become
// a conversion.
std::string ReadoutText(UINT id) {
    std::string text = Utf8FromWide(AfxLoadString(id));
    std::string escaped;
    for (char c : text) {
        escaped += c;
        if (c == '%')
            escaped += '%';
    }
    return escaped;
}

void SetSeriesReadout(CWaveWnd& chart, int series, UINT name, const char* valueFormat) {
    std::string value = ReadoutText(IDS_CHART_VALUE) + valueFormat;
    chart.SetReadoutFormat(series, ReadoutText(name).c_str(), ReadoutText(IDS_CHART_SAMPLE).c_str(),
                           value.c_str());
}

int Scaled(double size, double scale) {
    return int(size * scale);
}

// Values on the left, samples (gates or time) along the bottom.
void ShowValueAndSampleAxes(CWaveWnd& chart, double scale) {
    CAutoBaseLock lock(chart.model.Lock());
    WaveChartModel& model = chart.model;
    model.leftAxis.visible = 1;
    model.leftAxis.size = Scaled(35, scale);
    model.bottomAxis.visible = 1;
    model.bottomAxis.size = Scaled(24, scale);
}

} // namespace

void CKOVATevo512ToolDlg::SetupEnergyChart(EnergyChartLink& link, const EnergyChartSettings& colours,
                                           bool fixedColours, UINT title, UINT energyName, UINT thresholdName,
                                           const std::vector<uint16_t>& thresholds) {
    CWaveWnd& chart = link.Chart();
    const int gates = m_settings.GateCountMax;
    {
        CAutoBaseLock lock(chart.model.Lock());
        WaveChartModel& model = chart.model;
        model.windowBkColor = fixedColours ? 0x2A323C : colours.BkColor;
        model.seriesCount = 2;
        model.series[0].visible = 1;
        model.series[1].visible = 1;
        model.series[0].color = fixedColours ? 0x0000FF : colours.Line0Color & 0xFFFFFF;
        model.series[1].color = fixedColours ? 0x00FF00 : colours.Line1Color & 0xFFFFFF;
        model.drawPlotBk = 1;
        model.plotBkUsesPicture = 0;
        model.plotBkColor = fixedColours ? 0 : colours.DrawBkColor;
        model.lineWidth = Scaled(5, m_displayScale);
        model.gridVisible = 0;
    }
    chart.SetPlotBkPicture(nullptr);
    SetSeriesReadout(chart, 0, energyName, ":%.0f");
    SetSeriesReadout(chart, 1, thresholdName, ":%.0f");
    chart.SetSampleType(kWaveInt16);
    chart.SetYRange(0, 100);
    chart.SetSampleCount(gates);
    chart.SetWholeFrames(1);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.showFrameCount = 0;
    }
    chart.ClearData();
    chart.ResetFrameCounts();
    chart.SetCaption(AfxLoadString(title).c_str(), float(Scaled(15, m_displayScale)), kCaptionColor);
    ShowValueAndSampleAxes(chart, m_displayScale);
    chart.Repaint();
    chart.SetXAxisStyle(Scaled(8, m_displayScale), 0xFFFFFF, 0);
    chart.SetYAxisStyle(Scaled(8, m_displayScale), 0xFFFFFF, 0);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.topAxis.coord.tickCount = std::max(gates, 1);
        chart.model.bottomAxis.coord.tickCount = std::max(gates, 1);
    }
    chart.Repaint();
    chart.SetXRange(0, gates - 1, -1);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.leftAxis.coord.tickCount = 5;
        chart.model.rightAxis.coord.tickCount = 5;
    }
    chart.Repaint();
    chart.InitWindow();
    chart.ResizeBuffers();
    LoadThresholdLine(link, thresholds, false);
    chart.RequestRepaint();
}

void CKOVATevo512ToolDlg::SetupDistanceChart() {
    CWaveWnd& chart = m_distanceChart;
    const DistanceChartSettings& colours = m_settings.DistanceWnd;
    {
        CAutoBaseLock lock(chart.model.Lock());
        WaveChartModel& model = chart.model;
        model.windowBkColor = colours.BkColor;
        model.seriesCount = 1;
        model.series[0].visible = 1;
        model.series[0].color = colours.LineColor & 0xFFFFFF;
        model.drawPlotBk = 1;
        model.plotBkUsesPicture = 0;
        model.plotBkColor = colours.NoBodyBkColor;
        model.lineWidth = Scaled(colours.LineWidth, m_displayScale);
        model.gridVisible = 0;
    }
    chart.SetPlotBkPicture(nullptr);
    SetSeriesReadout(chart, 0, IDS_CHART_DISTANCE, ":%.2f");
    chart.SetSampleType(kWaveDouble);
    chart.SetYRange(0, m_settings.DistanceMax);
    chart.SetWholeFrames(1);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.showFrameCount = 0;
    }
    chart.ClearData();
    chart.ResetFrameCounts();
    chart.SetCaption(AfxLoadString(IDS_CHART_DISTANCE_TITLE).c_str(), float(Scaled(15, m_displayScale)),
                     kCaptionColor);
    // The axis bands come before the layers are sized: the plot then has its final width,
    // and the series gets exactly one point per plot column from the first set-up on.
    ShowValueAndSampleAxes(chart, m_displayScale);
    chart.InitWindow();
    chart.ResizeBuffers();

    // One series point per plot column.
    RECT plot;
    {
        CAutoBaseLock lock(chart.model.Lock());
        plot = chart.model.plotRect;
    }
    chart.SetSampleCount(plot.right - plot.left);

    const DistanceTimeAxis timeAxis = MakeDistanceTimeAxis(m_settings.DistanceUnit, m_settings.DistanceCount);
    chart.SetXAxisStyle(Scaled(8, m_displayScale), 0, -1);
    chart.SetYAxisStyle(Scaled(8, m_displayScale), 0, 2);
    {
        CAutoBaseLock lock(chart.model.Lock());
        chart.model.topAxis.coord.tickCount = 5;
        chart.model.bottomAxis.coord.tickCount = 5;
    }
    chart.Repaint();
    chart.SetXRange(0, timeAxis.rangeEnd, -1);
    {
        CAutoBaseLock lock(chart.model.Lock());
        WaveChartModel& model = chart.model;
        model.leftAxis.coord.tickCount = 5;
        model.rightAxis.coord.tickCount = 5;
        model.axesFollowYRange = 0;
        model.homeYRange = {0, m_settings.DistanceMax};
        for (WaveAxis* axis : {&model.leftAxis, &model.rightAxis}) {
            axis->coord.minimum = 0;
            axis->coord.maximum = m_settings.DistanceMax;
        }
        model.leftAxis.coord.wrapLow = 0;
        model.leftAxis.coord.wrapHigh = m_settings.DistanceMax;
        model.leftAxis.coord.wrapPeriod = -1;
    }
    chart.Repaint();

    static const UINT kCaptions[] = {IDS_UNIT_SECOND, IDS_UNIT_MINUTE, IDS_UNIT_HOUR};
    SetDlgItemText(IDC_STATIC_TIME_UNIT,
                   AfxLoadString(kCaptions[std::clamp(timeAxis.captionUnit, 0, 2)]).c_str());
    chart.listener = this;
    chart.listenerData = 0;
}

void CKOVATevo512ToolDlg::SetupCharts() {
    if (m_distanceChart.m_hWnd == nullptr)
        return;
    SetupEnergyChart(m_motionLink, m_settings.MotionWnd, false, IDS_CHART_MOTION_TITLE,
                     IDS_CHART_MOTION_ENERGY, IDS_CHART_MOTION_THRESHOLD, m_settings.MotionSensing);
    SetupEnergyChart(m_motionlessLink, m_settings.MotionlessWnd, true, IDS_CHART_MOTIONLESS_TITLE,
                     IDS_CHART_MOTIONLESS_ENERGY, IDS_CHART_MOTIONLESS_THRESHOLD,
                     m_settings.MotionlessSensing);
    SetupDistanceChart();
}

LRESULT CKOVATevo512ToolDlg::OnReportMessage(WPARAM, LPARAM) {
    // At most one display frame each kDisplayFrameMs, whatever the report rate: a message
    // that comes sooner waits on the frame timer, and the hand-over stays pending meanwhile,
    // so the reader posts nothing more.
    const DWORD since = ::GetTickCount() - m_lastDisplayTick;
    if (since < kDisplayFrameMs) {
        SetTimer(kDisplayFrameTimer, kDisplayFrameMs - since, nullptr);
        return 1;
    }
    ShowHandedOverReports();
    return 1;
}

void CKOVATevo512ToolDlg::ShowHandedOverReports() {
    KillTimer(kDisplayFrameTimer);
    m_lastDisplayTick = ::GetTickCount();
    const uint64_t arrived = m_handover.Take(m_takenReports);
    if (arrived == 0)
        return;
    const int64_t span = StatisticsSpanMs(m_settings.DistanceUnit, m_settings.DistanceCount);
    if (PruneDistanceSamples(m_samples, MS_GetTime(), span) > 0)
        m_distanceSampled = true;
    const ReportValues& newest = m_takenReports.back();
    ShowTargetState(newest.state, newest.detectionDistance);
    // Every report counts for the maxima, in the order it came.
    m_energyHistory.CountUnkept(arrived - m_takenReports.size());
    for (const ReportValues& report : m_takenReports)
        m_energyHistory.Push(uint16_t(report.movingEnergy), uint16_t(report.motionlessEnergy));
    if (m_energyHistory.Full()) {
        // An edit repaints whenever its text is set: only a new maximum is.
        const int moving = m_energyHistory.MaxMoving(), motionless = m_energyHistory.MaxMotionless();
        if (!m_sensitivitiesValid || moving != m_shownMaxima[0])
            SetDlgItemInt(IDC_EDIT_MOTION_SENSITIVITY, UINT(moving), TRUE);
        if (!m_sensitivitiesValid || motionless != m_shownMaxima[1])
            SetDlgItemInt(IDC_EDIT_MOTIONLESS_SENSITIVITY, UINT(motionless), TRUE);
        m_shownMaxima[0] = moving;
        m_shownMaxima[1] = motionless;
        m_sensitivitiesValid = 1;
    }
    if (m_distanceSampled.exchange(false) && m_distanceChart.m_hWnd != nullptr)
        m_distanceChart.Repaint();
    m_motionLink.FlushRepaint();
    m_motionlessLink.FlushRepaint();
}

void CKOVATevo512ToolDlg::ShowTargetState() {
    ShowTargetState(m_current.state.load(), m_current.detectionDistance.load());
}

void CKOVATevo512ToolDlg::ShowTargetState(int32_t state, int32_t distance) {
    const TargetIndicator indicator = IndicatorForState(state);
    switch (indicator.radio) {
    case IndicatorRadio::Neither:
        CheckDlgButton(IDC_RADIO_MOTION, BST_UNCHECKED);
        CheckDlgButton(IDC_RADIO_MOTIONLESS, BST_UNCHECKED);
        break;
    case IndicatorRadio::Moving:
        ::CheckRadioButton(m_hWnd, IDC_RADIO_MOTION, IDC_RADIO_MOTIONLESS, IDC_RADIO_MOTION);
        break;
    case IndicatorRadio::Motionless:
        ::CheckRadioButton(m_hWnd, IDC_RADIO_MOTION, IDC_RADIO_MOTIONLESS, IDC_RADIO_MOTIONLESS);
        break;
    case IndicatorRadio::Unchanged:
        break;
    }
    ShowIndicatorPicture(indicator.picture);

    wchar_t text[16];
    swprintf(text, 16, L"%d", int(distance));
    // Only a new value is drawn again. A static paints itself when its text is set, so no
    // second paint is asked for.
    CWnd* readout = GetDlgItem(IDC_STATIC_DISTANCE);
    if (readout != nullptr && readout->GetWindowText() != text)
        readout->SetWindowText(text);
}

void CKOVATevo512ToolDlg::UpdateControlStates() {
    const bool connected = CurrentLinkState() == LinkState::Open;
    const ControlStates states = ComputeControlStates(connected, m_reporting != 0);
    auto enable = [this](int id, bool on) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(on ? TRUE : FALSE);
    };
    enable(IDC_CHECK_ENGINEERING, states.engineeringMode);
    for (int id :
         {IDC_EDIT_MOTION_GATE_MAX, IDC_EDIT_MOTIONLESS_GATE_MAX, IDC_EDIT_OFF_TIME, IDC_EDIT_DISTANCE_COUNT,
          IDC_COMBO_DISTANCE_UNIT, IDC_BTN_READ, IDC_BTN_CONFIG, IDC_BTN_RESET, IDC_BTN_SENSITIVITY})
        enable(id, states.parameters);
    enable(IDC_BTN_APPLY, states.apply);
    enable(IDC_BTN_START, states.startStop);
    enable(IDC_BTN_CONNECT, states.connect);
    m_sensingDialog.EnableConfirm(states.parameters);
}

void CKOVATevo512ToolDlg::ShowIndicatorPicture(IndicatorPicture picture) {
    Gdiplus::Bitmap* image = nullptr;
    switch (picture) {
    case IndicatorPicture::Nobody:
        image = m_images.nobody;
        break;
    case IndicatorPicture::Motion:
        image = m_images.motion;
        break;
    case IndicatorPicture::Motionless:
        image = m_images.motionless;
        break;
    case IndicatorPicture::None:
        break;
    }
    // The indicator keeps a copy of its picture: made only when the picture changes.
    if (m_indicator.m_hWnd == nullptr || picture == m_shownPicture)
        return;
    m_shownPicture = picture;
    m_indicator.SetImage(image);
    m_indicator.Invalidate(TRUE);
}
