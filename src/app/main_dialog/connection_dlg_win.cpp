// The main dialog's port list and its Connect/Disconnect button.
#include "kova_tevo512_tool_dlg.h"

#include "KOVA_DataProcess.h"
#include "app_document.h"
#include "dbg_output.h"
#include "port_names.h"
#include "resource.h"
#include "resource_language.h"
#include "serial_enum.h"

void CKOVATevo512ToolDlg::OnRefreshPorts() {
    SendDlgItemMessage(IDC_COMBO_PORT, CB_RESETCONTENT);
    CPtrListCtrl names;
    EnumSerialPortNameW(&names);
    for (int i = 0; i < names.GetCount(); ++i) {
        const auto* name = static_cast<const wchar_t*>(names.GetAt(i));
        LRESULT index = SendDlgItemMessage(IDC_COMBO_PORT, CB_ADDSTRING, 0, LPARAM(name));
        if (index >= 0)
            SendDlgItemMessage(IDC_COMBO_PORT, CB_SETITEMDATA, WPARAM(index),
                               LPARAM(PortNumberFromName(name)));
    }
    FreeSerialPortNameA(&names);
    SendDlgItemMessage(IDC_COMBO_PORT, CB_SETCURSEL, 0);
}

void CKOVATevo512ToolDlg::OnConnect() {
    if (m_commandRunning)
        return;
    StopReportingShown();
    ControlsToSettings();
    // A link the library found lost (the adapter was unplugged) is still the one the button
    // offers to close: the click disconnects rather than opening the port again.
    if (CurrentLinkState() != LinkState::Closed) {
        CloseLink();
    } else {
        const LRESULT selected = SendDlgItemMessage(IDC_COMBO_PORT, CB_GETCURSEL);
        const LRESULT port =
            selected >= 0 ? SendDlgItemMessage(IDC_COMBO_PORT, CB_GETITEMDATA, WPARAM(selected)) : -1;
        if (selected < 0 || port == -1 || port == CB_ERR) {
            UpdateControlStates();
            ShowFailure(IDS_NO_DEVICE);
        } else if (!KOVA_Interface_RadarDevice_Serial_OpenByPortNum(m_device, int(port), BaudRateToOpen(), 2,
                                                                    1, 1, 150)) {
            // The caption, the control states and the file stay as they were.
            ShowFailure(IDS_OPEN_DEVICE_FAILED);
            return;
        } else {
            m_link = LinkState::Open;
            SetDlgItemText(IDC_BTN_CONNECT, AfxLoadString(IDS_DISCONNECT).c_str());
            KOVA_Interface_RadarDevice_GetVersion(m_device, &m_version);
        }
    }
    UpdateControlStates();
    ShowTargetState();
    SaveSettings(AppConfigDocument(), m_settings, AppConfigPath().c_str());
}

LinkState CKOVATevo512ToolDlg::CurrentLinkState() {
    m_link = ObserveLinkState(m_link, KOVA_Interface_RadarDevice_IsConnected(m_device) != 0);
    return m_link;
}

void CKOVATevo512ToolDlg::CloseLink() {
    KOVA_Interface_RadarDevice_Serial_Close(m_device);
    m_link = LinkState::Closed;
    SetDlgItemText(IDC_BTN_CONNECT, AfxLoadString(IDS_CONNECT).c_str());
    m_version.Set("Unknown");
}

void CKOVATevo512ToolDlg::HandleLinkLost() {
    if (m_link == LinkState::Closed)
        return;
    const bool wasReporting = m_reporting != 0;
    StopReportingShown();
    CloseLink();
    DbgOutputA(2, "Serial link lost%s: the port was closed\r\n", wasReporting ? " while reporting" : "");
    UpdateControlStates();
    ShowTargetState();
    ShowFailure(IDS_LINK_LOST);
}

void CKOVATevo512ToolDlg::ReportCommandFailure(UINT text) {
    if (CurrentLinkState() == LinkState::Lost)
        HandleLinkLost();
    else
        ShowFailure(text);
}

bool CKOVATevo512ToolDlg::MayTalkToModule() {
    if (m_commandRunning)
        return false;
    if (m_reporting) {
        ShowFailure(IDS_STOP_REPORTING_FIRST);
        return false;
    }
    return true;
}

// The edit's baud rate as typed: text that is not a number opens nothing (the library refuses
// 0), while the settings keep the last good value for the file.
int CKOVATevo512ToolDlg::BaudRateToOpen() {
    BOOL number = FALSE;
    int baudRate = int(GetDlgItemInt(IDC_EDIT_BAUD_RATE, &number, TRUE));
    return number ? baudRate : 0;
}

void CKOVATevo512ToolDlg::ShowFailure(UINT text) {
    MessageBox(AfxLoadString(text).c_str(), AfxLoadString(IDS_ERROR).c_str(), MB_ICONERROR | MB_TOPMOST);
}

void CKOVATevo512ToolDlg::ShowSuccess(UINT text) {
    MessageBox(AfxLoadString(text).c_str(), AfxLoadString(IDS_PROMPT).c_str(), MB_ICONINFORMATION);
}
