// The main dialog's Start/Stop button: the module's report stream, the capture file of each
// run and the reader thread.
#include "kova_tevo512_tool_dlg.h"

#include "KOVA_DataProcess.h"
#include "app_document.h"
#include "command_mode.h"
#include "dbg_output.h"
#include "off_thread_call.h"
#include "report_reader.h"
#include "file_helpers.h"
#include "resource.h"
#include "resource_language.h"

namespace {

constexpr uint16_t kEngineeringReportsOn = 0x62;
constexpr uint16_t kEngineeringReportsOff = 0x63;
constexpr int kCommandTimeoutMs = 2000;
// While reporting runs the link is looked at this often, so an unplugged module is noticed
// within a second.
constexpr UINT kLinkWatchIntervalMs = 250;

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
    if (m_commandRunning)
        return;
    if (m_reporting) {
        StopReportingShown();
        UpdateControlStates();
        return;
    }
    ControlsToSettings();
    if (!StartReporting())
        return;
    SetDlgItemText(IDC_BTN_START, AfxLoadString(IDS_STOP).c_str());
    UpdateControlStates();
    SaveSettings(AppConfigDocument(), m_settings, AppConfigPath().c_str());
}

int CKOVATevo512ToolDlg::StartReporting() {
    if (CurrentLinkState() == LinkState::Lost)
        HandleLinkLost();
    if (m_link != LinkState::Open)
        return 0;
    {
        CommandRun run(m_commandRunning, m_closeAsked, m_hWnd);
        const uint64_t device = m_device;
        const uint16_t reports = m_settings.DebugMode ? kEngineeringReportsOn : kEngineeringReportsOff;
        uint16_t refused = 0;
        RunOffThisThread(m_hWnd, [device, reports, &refused] {
            CommandMode bracket(device);
            refused = KOVA_Interface_RadarDevice_Protocol_SendCommand(
                device, reports, nullptr, 0, CheckCmdAckData_RetCode, 0, kCommandTimeoutMs);
            KOVA_Interface_RadarDevice_Start(device);
        });
        // The reports still come, of the kind the module was sending: the log says why.
        if (refused != 0)
            DbgOutputA(2, "Start: the module did not take command 0x%04X (code 0x%04X)\r\n", reports,
                       refused);
    }
    // A module unplugged since the last exchange shows here first.
    if (CurrentLinkState() != LinkState::Open) {
        KOVA_Interface_RadarDevice_Stop(m_device);
        HandleLinkLost();
        return 0;
    }

    m_current.Reset();
    SetupCharts();
    ShowTargetState();
    m_sensitivitiesValid = 0;
    m_energyHistory.Reset();

    CloseCapture(m_capture);
    m_capture = OpenCaptureFile();
    m_captureFailed = false;
    if (m_capture == nullptr) {
        DbgOutputA(2, "No capture file: the Log folder cannot be written\r\n");
        PostMessage(WM_STORAGE_NOTICE, WPARAM(StorageTrouble::LogFolder));
    }

    m_handover.Reset();
    m_distanceSampled = false;
    m_lastDisplayTick = 0;
    m_stop = 0;
    m_reader.StartThread("ABDData", this, nullptr, 0, 0x400000, 0);
    m_reporting = 1;
    SetTimer(kLinkWatchTimer, kLinkWatchIntervalMs, nullptr);
    return 1;
}

void CKOVATevo512ToolDlg::StopReportingShown() {
    if (!m_reporting)
        return;
    StopReporting();
    SetDlgItemText(IDC_BTN_START, AfxLoadString(IDS_START).c_str());
}

void CKOVATevo512ToolDlg::OnTimer(UINT_PTR id) {
    if (id == kDisplayFrameTimer)
        ShowHandedOverReports();
    else if (id == kLinkWatchTimer && m_reporting && CurrentLinkState() == LinkState::Lost)
        HandleLinkLost();
    else if (id == kLinkWatchTimer && m_captureFailed.exchange(false))
        PostMessage(WM_STORAGE_NOTICE, WPARAM(StorageTrouble::CaptureWrite));
}

// Safe when nothing runs: no thread, no open capture, an empty sample list. The thread goes
// first, then the stream, then the file the thread writes into.
void CKOVATevo512ToolDlg::StopReporting() {
    if (m_hWnd != nullptr) {
        KillTimer(kLinkWatchTimer);
        KillTimer(kDisplayFrameTimer);
    }
    m_stop = 1;
    m_reader.StopThread();
    m_handover.Reset();
    KOVA_Interface_RadarDevice_Stop(m_device);
    // The last bytes go out at the close: a full disk may show only then.
    if ((!CloseCapture(m_capture) || m_captureFailed.exchange(false)) && m_hWnd != nullptr)
        PostMessage(WM_STORAGE_NOTICE, WPARAM(StorageTrouble::CaptureWrite));
    m_sensitivitiesValid = 0;
    MSG pending;
    while (PeekMessageW(&pending, m_hWnd, WM_REPORT_MESSAGE, WM_REPORT_MESSAGE, PM_REMOVE)) {
    }
    ShowIndicatorPicture(IndicatorPicture::Nobody);
    m_samples.Clear();
    m_reporting = 0;
}
