#include "kova_tevo512_tool_dlg.h"

#include "KOVA_DataProcess.h"
#include "app_document.h"
#include "dialog_init.h"
#include "file_helpers.h"
#include "resource.h"
#include "resource_language.h"
#include "win_app.h"

#include <algorithm>
#include <string>

BEGIN_MESSAGE_MAP(CKOVATevo512ToolDlg, CDialogEx)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_TIMER()
ON_BN_CLICKED(IDC_BTN_REFRESH, &CKOVATevo512ToolDlg::OnRefreshPorts)
ON_BN_CLICKED(IDC_BTN_CONNECT, &CKOVATevo512ToolDlg::OnConnect)
ON_BN_CLICKED(IDC_BTN_START, &CKOVATevo512ToolDlg::OnStartStop)
ON_BN_CLICKED(IDC_BTN_READ, &CKOVATevo512ToolDlg::ReadParameters)
ON_BN_CLICKED(IDC_BTN_CONFIG, &CKOVATevo512ToolDlg::WriteParameters)
ON_BN_CLICKED(IDC_BTN_RESET, &CKOVATevo512ToolDlg::ResetParameters)
ON_BN_CLICKED(IDC_BTN_SENSITIVITY, &CKOVATevo512ToolDlg::OnSensitivities)
ON_BN_CLICKED(IDC_BTN_APPLY, &CKOVATevo512ToolDlg::OnApplySensitivity)
ON_CBN_SELCHANGE(IDC_COMBO_DISTANCE_UNIT, &CKOVATevo512ToolDlg::OnDistanceUnitChanged)
ON_MESSAGE(WM_REPORT_MESSAGE, &CKOVATevo512ToolDlg::OnReportMessage)
ON_MESSAGE(WM_STORAGE_NOTICE, &CKOVATevo512ToolDlg::OnStorageNotice)
END_MESSAGE_MAP()

CKOVATevo512ToolDlg::CKOVATevo512ToolDlg(CWnd* parent) : CDialogEx(IDD_MAIN_DIALOG, parent) {
    m_icon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CKOVATevo512ToolDlg::~CKOVATevo512ToolDlg() = default;

void CKOVATevo512ToolDlg::DoDataExchange(CDataExchange* exchange) {
    CDialogEx::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_EDIT_MOTION_GATE_MAX, m_motionGateEdit);
    DDX_Control(exchange, IDC_EDIT_MOTIONLESS_GATE_MAX, m_motionlessGateEdit);
    DDX_Control(exchange, IDC_EDIT_DISTANCE_COUNT, m_distanceCountEdit);
    DDX_Control(exchange, IDC_STATIC_INDICATOR, m_indicator);
    DDX_Control(exchange, IDC_STATIC_DISTANCE, m_distanceReadout);
    DDX_Control(exchange, IDC_STATIC_DISTANCE_UNIT, m_distanceUnit);
    DDX_Control(exchange, IDC_STATIC_GATE_SIZE, m_gateNote);
    DDX_Control(exchange, IDC_CHART_MOTION, m_motionChart);
    DDX_Control(exchange, IDC_CHART_MOTIONLESS, m_motionlessChart);
    DDX_Control(exchange, IDC_CHART_DISTANCE, m_distanceChart);
}

BOOL CKOVATevo512ToolDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    ExecuteDialogInit(
        m_hWnd, LoadDialogInitEntries(AfxGetInstanceHandle(), IDD_MAIN_DIALOG, AfxGetResourceLanguage()));
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    SetTitleWithVersion();

    const std::string folder = ProgramFolder();
    if (!m_log.Open(LogFolder()))
        PostMessage(WM_STORAGE_NOTICE, WPARAM(StorageTrouble::LogFolder));
    m_images.Load(folder.c_str());

    m_sensingDialog.Create(this);
    m_sensingDialog.SetListener(this, 0);
    // The gate edits hold gate indices: unsigned, at least 0.
    for (CDigitalEdit* gate : {&m_motionGateEdit, &m_motionlessGateEdit}) {
        gate->valueKind = DigitalUInt32;
        gate->SetMinimum(0, L"最小值");
    }

    OnRefreshPorts();
    LoadSettings(AppConfigDocument(), m_settings);
    SettingsToControls();
    GetDlgItem(IDC_BTN_START)->EnableWindow(FALSE);

    SetupImageStatics();
    SetupCharts();
    ShowTargetState();

    RECT client;
    GetClientRect(&client);
    m_resizeTool.RemoveAllRecords();
    m_resizeTool.recordedWidth = client.right - client.left;
    m_resizeTool.recordedHeight = client.bottom - client.top;
    m_resizeTool.RecordChildren(m_hWnd);
    m_resizeTool.enabled = 1;
    m_resizeTool.keepAspect = 0;
    m_resizeTool.parent = m_hWnd;

    m_device = KOVA_Interface_RadarDevice_Serial_Create();
    return TRUE;
}

// The indicator, the large distance readout with its unit, and the gate note draw themselves
// on the button face.
void CKOVATevo512ToolDlg::SetupImageStatics() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto points = [this](int size) { return int(size * m_displayScale); };
    m_indicator.Setup(nullptr, face, L"", 0, points(40), 1, 2);
    m_distanceReadout.Setup(nullptr, face, L"460", 0, points(40), 1, 2);
    // A number is never broken over two lines, also where the face's digits are wide.
    m_distanceReadout.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip);
    m_distanceUnit.Setup(nullptr, face, nullptr, 0, points(30), 1, 0);
    m_gateNote.Setup(nullptr, face, nullptr, ::GetSysColor(COLOR_BTNTEXT), points(9), 0, 0);
}

void CKOVATevo512ToolDlg::SetTitleWithVersion() {
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    wchar_t version[260] = L"";
    GetFileVersionW(program, version, 260);
    std::wstring title = GetWindowText() + L"(v" + version + L")";
    SetWindowText(title.c_str());
}

void CKOVATevo512ToolDlg::OnClose() {
    // An exchange with the module runs on while the window answers: the dialog and what the
    // exchange uses stay until it has ended (CommandRun asks again then).
    if (m_commandRunning) {
        m_closeAsked = true;
        return;
    }
    EndDialog(IDCANCEL);
    Default();
}

void CKOVATevo512ToolDlg::OnDestroy() {
    Default();
    StopReporting();
    KOVA_Interface_RadarDevice_Serial_Close(m_device);
    KOVA_Interface_RadarDevice_Serial_Destroy(m_device);
    m_device = 0;
    ControlsToSettings();
    SaveSettings(AppConfigDocument(), m_settings, AppConfigPath().c_str());
    m_log.Close();
    m_settings.MotionSensing.clear();
    m_settings.MotionlessSensing.clear();
    m_images.Free();
}

void CKOVATevo512ToolDlg::OnSize(UINT type, int cx, int cy) {
    Default();
    if (type == SIZE_MINIMIZED || type == SIZE_MAXHIDE)
        return;
    double horizontal = 1.0, vertical = 1.0;
    if (m_resizeTool.Resize(cx, cy, &horizontal, &vertical)) {
        // A client squeezed to nothing keeps the last scale: fonts and margins of size 0
        // would not come back sensibly.
        double scale = std::min(horizontal, vertical);
        if (scale > 0)
            m_displayScale = scale;
        SetupCharts();
    }
}

// The other handlers live beside this file, one file per workflow: connection, reporting,
// parameters, sensitivities, live display and distance statistics.
void CKOVATevo512ToolDlg::OnDistanceUnitChanged() {
    ApplyStatisticsUnit();
}
