// The main dialog's detection parameters: Read, Config and Reset against the module, and the
// exchange between the parameter controls and the settings record.
#include "kova_tevo512_tool_dlg.h"

#include "KOVA_DataProcess.h"
#include "app_document.h"
#include "command_mode.h"
#include "off_thread_call.h"
#include "threshold_line.h"
#include "parameter_ack.h"
#include "resource.h"

#include <algorithm>

namespace {

constexpr uint16_t kReadParameters = 0x61;
constexpr uint16_t kWriteGatesAndOffTime = 0x60;
constexpr uint16_t kWriteGateSensitivity = 0x64;
constexpr int kCommandTimeoutMs = 2000;

// One parameter command of three (word, value) pairs, words 0, 1, 2; true when acknowledged.
bool SetThreeParameters(RADAR_HANDLE device, uint16_t command, uint32_t first, uint32_t second,
                        uint32_t third) {
    const uint16_t words[3] = {0, 1, 2};
    const uint32_t values[3] = {first, second, third};
    return KOVA_Interface_RadarDevice_Protocol_SetParameter(device, command, 3, words, values,
                                                            kCommandTimeoutMs) != 0;
}

} // namespace

void CKOVATevo512ToolDlg::ReadParameters() {
    if (!MayTalkToModule())
        return;
    CommandRun run(m_commandRunning, m_closeAsked, m_hWnd);
    ParameterReadResult result;
    uint16_t code = 0;
    const uint64_t device = m_device;
    RunOffThisThread(m_hWnd, [&] {
        CommandMode bracket(device);
        code = KOVA_Interface_RadarDevice_Protocol_SendCommand(
            device, kReadParameters, nullptr, 0, ReadParameterAck, uint64_t(&result), kCommandTimeoutMs);
    });
    if (code != 0) {
        ReportCommandFailure(IDS_READ_CONFIG_FAILED);
        return;
    }
    {
        CAutoBaseLock lock(m_sensitivityLock);
        m_settings.GateCountMax = result.gateCount;
        m_settings.MotionSensing = std::move(result.movingSensitivity);
        m_settings.MotionlessSensing = std::move(result.motionlessSensitivity);
    }
    LoadThresholdLine(m_motionLink, m_settings.MotionSensing, true);
    LoadThresholdLine(m_motionlessLink, m_settings.MotionlessSensing, true);
    SetDlgItemInt(IDC_EDIT_MOTION_GATE_MAX, UINT(result.movingGateCount - 1), TRUE);
    SetDlgItemInt(IDC_EDIT_MOTIONLESS_GATE_MAX, UINT(result.motionlessGateCount - 1), TRUE);
    SetDlgItemInt(IDC_EDIT_OFF_TIME, UINT(result.offTime), TRUE);
    SetGateEditLimits();
    ShowSuccess(IDS_READ_CONFIG_OK);
}

void CKOVATevo512ToolDlg::WriteParameters() {
    if (!MayTalkToModule())
        return;
    CommandRun run(m_commandRunning, m_closeAsked, m_hWnd);
    const uint32_t movingGate = GetDlgItemInt(IDC_EDIT_MOTION_GATE_MAX, nullptr, TRUE);
    const uint32_t motionlessGate = GetDlgItemInt(IDC_EDIT_MOTIONLESS_GATE_MAX, nullptr, TRUE);
    const uint32_t offTime = GetDlgItemInt(IDC_EDIT_OFF_TIME, nullptr, TRUE);
    // The exchange's own copy: the window goes on handling messages while it runs.
    const int gates = std::min({m_settings.GateCountMax, int(m_settings.MotionSensing.size()),
                                int(m_settings.MotionlessSensing.size())});
    const std::vector<uint16_t> moving(m_settings.MotionSensing.begin(),
                                       m_settings.MotionSensing.begin() + gates);
    const std::vector<uint16_t> motionless(m_settings.MotionlessSensing.begin(),
                                           m_settings.MotionlessSensing.begin() + gates);
    const uint64_t device = m_device;
    bool written = false;
    RunOffThisThread(m_hWnd, [&] {
        CommandMode bracket(device);
        written = SetThreeParameters(device, kWriteGatesAndOffTime, movingGate, motionlessGate, offTime);
        // Gate 0 first; the first refusal ends the sequence, and what was written stays.
        for (int gate = 0; written && gate < gates; ++gate)
            written = SetThreeParameters(device, kWriteGateSensitivity, uint32_t(gate), moving[size_t(gate)],
                                         motionless[size_t(gate)]);
    });
    if (!written) {
        ReportCommandFailure(IDS_WRITE_CONFIG_FAILED);
        return;
    }
    LoadThresholdLine(m_motionLink, m_settings.MotionSensing, false);
    LoadThresholdLine(m_motionlessLink, m_settings.MotionlessSensing, false);
    ShowSuccess(IDS_WRITE_CONFIG_OK);
}

// The parameters as the configuration document holds them (as loaded and saved in this run;
// the file is not read again), written to the module.
void CKOVATevo512ToolDlg::ResetParameters() {
    if (!MayTalkToModule())
        return;
    {
        CAutoBaseLock lock(m_sensitivityLock);
        LoadParameterSettings(AppConfigDocument(), m_settings);
    }
    ParametersToControls();
    WriteParameters();
}

void CKOVATevo512ToolDlg::LoadThresholdLine(EnergyChartLink& chart, const std::vector<uint16_t>& table,
                                            bool rescale) {
    const int gates = m_settings.GateCountMax;
    if (rescale && chart.GetSampleCount() != gates)
        chart.SetGateCount(gates);
    std::vector<uint16_t> line;
    CopyThresholds(table, chart.GetSampleCount(), line);
    AppendThresholdLine(chart, line);
    chart.FlushRepaint();
}

// The parameter controls and the settings record.
void CKOVATevo512ToolDlg::SettingsToControls() {
    SetDlgItemInt(IDC_EDIT_BAUD_RATE, UINT(m_settings.BaudRate), TRUE);
    CheckDlgButton(IDC_CHECK_ENGINEERING, m_settings.DebugMode ? BST_CHECKED : BST_UNCHECKED);
    ParametersToControls();
    SetGateEditLimits();
}

// The farthest gates (shown as gate indices), the off time and the statistics length and unit.
void CKOVATevo512ToolDlg::ParametersToControls() {
    SetDlgItemInt(IDC_EDIT_MOTION_GATE_MAX, UINT(m_settings.MotionGateMax - 1), TRUE);
    SetDlgItemInt(IDC_EDIT_MOTIONLESS_GATE_MAX, UINT(m_settings.MotionlessGateMax - 1), TRUE);
    SetDlgItemInt(IDC_EDIT_OFF_TIME, UINT(m_settings.OffTime), TRUE);
    SetDlgItemInt(IDC_EDIT_DISTANCE_COUNT, UINT(m_settings.DistanceCount), TRUE);
    SendDlgItemMessage(IDC_COMBO_DISTANCE_UNIT, CB_SETCURSEL, WPARAM(m_settings.DistanceUnit));
    ApplyStatisticsUnit();
    // The length as the unit's limits leave it, for the chart's time axis too.
    m_settings.DistanceCount = int32_t(GetDlgItemInt(IDC_EDIT_DISTANCE_COUNT, nullptr, TRUE));
}

void CKOVATevo512ToolDlg::ControlsToSettings() {
    // Only a rate a port can run at is kept: a "-9600" typed once would otherwise be saved and
    // make every later Connect fail.
    BOOL baudIsNumber = FALSE;
    int32_t baudRate = int32_t(GetDlgItemInt(IDC_EDIT_BAUD_RATE, &baudIsNumber, TRUE));
    if (baudIsNumber && baudRate > 0)
        m_settings.BaudRate = baudRate;
    m_settings.MotionGateMax = int32_t(GetDlgItemInt(IDC_EDIT_MOTION_GATE_MAX, nullptr, TRUE)) + 1;
    m_settings.MotionlessGateMax = int32_t(GetDlgItemInt(IDC_EDIT_MOTIONLESS_GATE_MAX, nullptr, TRUE)) + 1;
    m_settings.OffTime = int32_t(GetDlgItemInt(IDC_EDIT_OFF_TIME, nullptr, TRUE));
    m_settings.DistanceCount = int32_t(GetDlgItemInt(IDC_EDIT_DISTANCE_COUNT, nullptr, TRUE));
    m_settings.DebugMode = IsDlgButtonChecked(IDC_CHECK_ENGINEERING) == BST_CHECKED ? 1 : 0;
    m_settings.DistanceUnit = int32_t(SendDlgItemMessage(IDC_COMBO_DISTANCE_UNIT, CB_GETCURSEL));
}

void CKOVATevo512ToolDlg::SetGateEditLimits() {
    for (CDigitalEdit* gate : {&m_motionGateEdit, &m_motionlessGateEdit}) {
        gate->ClearMaximum();
        gate->SetMaximum(DigitalSlot(m_settings.GateCountMax - 1), L"最大值");
    }
}
