// The main dialog's Start/Stop button: the module's report stream, the capture file of each
// run and the reader thread.
#include "kova_tevo512_tool_dlg.h"

#include "KOVA_DataProcess.h"
#include "app_document.h"
#include "file_helpers.h"
#include "resource.h"
#include "resource_language.h"

namespace {

constexpr uint16_t kEngineeringReportsOn = 0x62;
constexpr uint16_t kEngineeringReportsOff = 0x63;
constexpr int kCommandTimeoutMs = 2000;

// A new capture file in the Log folder, named like the log; null when it cannot be made.
std::FILE* OpenCaptureFile() {
    const std::string folder = LogFolder();
    RecursiveCreateDirectoryA(folder.c_str());
    char name[MAX_PATH];
    char path[MAX_PATH];
    if (!GetFileNameByDateA(name, ".dat", "Tevo512Tool_", "", 0, 1, 0) ||
        !CombinePathNameA(path, folder.c_str(), name))
        return nullptr;
    return std::fopen(path, "wb");
}

} // namespace

void CKOVATevo512ToolDlg::OnStartStop() {
    if (m_reporting) {
        StopReporting();
        SetDlgItemText(IDC_BTN_START, AfxLoadString(IDS_START).c_str());
        GetDlgItem(IDC_BTN_CONNECT)->EnableWindow(TRUE);
        UpdateControlStates();
        return;
    }
    ControlsToSettings();
    if (!StartReporting())
        return;
    SetDlgItemText(IDC_BTN_START, AfxLoadString(IDS_STOP).c_str());
    GetDlgItem(IDC_BTN_CONNECT)->EnableWindow(FALSE);
    UpdateControlStates();
    SaveSettings(AppConfigDocument(), m_settings, AppConfigPath().c_str());
}

int CKOVATevo512ToolDlg::StartReporting() {
    if (!KOVA_Interface_RadarDevice_IsConnected(m_device))
        return 0;
    KOVA_Interface_RadarDevice_StartCmdMode(m_device, 2, 150);
    KOVA_Interface_RadarDevice_CleanCmdBuffer(m_device, 500);
    KOVA_Interface_RadarDevice_Protocol_SendCommand(
        m_device, m_settings.DebugMode ? kEngineeringReportsOn : kEngineeringReportsOff, nullptr, 0,
        CheckCmdAckData_RetCode, 0, kCommandTimeoutMs);
    KOVA_Interface_RadarDevice_Start(m_device);
    KOVA_Interface_RadarDevice_StopCmdMode(m_device);

    m_current.Reset();
    SetupCharts();
    ShowTargetState();
    m_sensitivitiesValid = 0;
    m_energyHistory.Reset();

    if (m_capture != nullptr)
        std::fclose(m_capture);
    m_capture = OpenCaptureFile();

    m_stop = 0;
    m_reader.StartThread("ABDData", this, nullptr, 0, 0x400000, 0);
    m_reporting = 1;
    return 1;
}

// Safe when nothing runs: no thread, no open capture, an empty sample list. The thread goes
// first, then the stream, then the file the thread writes into.
void CKOVATevo512ToolDlg::StopReporting() {
    m_stop = 1;
    m_reader.StopThread();
    KOVA_Interface_RadarDevice_Stop(m_device);
    if (m_capture != nullptr)
        std::fclose(m_capture);
    m_capture = nullptr;
    m_sensitivitiesValid = 0;
    MSG pending;
    while (PeekMessageW(&pending, m_hWnd, WM_REPORT_MESSAGE, WM_REPORT_MESSAGE, PM_REMOVE)) {
    }
    ShowIndicatorPicture(IndicatorPicture::Nobody);
    m_samples.Clear();
    m_reporting = 0;
}
