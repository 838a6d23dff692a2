#include "sensing_setting_dlg_win.h"

#include "resource.h"
#include "sensing_table.h"
#include "xlist_text.h"

namespace {

// Gridlines, full-row select, double buffering, single row.
constexpr DWORD kTableExtendedStyle = 0x50021;
constexpr wchar_t kMinimumCaption[] = L"最小值";
constexpr wchar_t kMaximumCaption[] = L"最大值";

} // namespace

BEGIN_MESSAGE_MAP(CSensingSettingDlg, CDialog)
ON_WM_CLOSE()
ON_BN_CLICKED(IDC_BTN_SET_ALL, &CSensingSettingDlg::OnSetAll)
ON_BN_CLICKED(IDC_BTN_RESET_DEFAULTS, &CSensingSettingDlg::OnResetDefaults)
END_MESSAGE_MAP()

CSensingSettingDlg::CSensingSettingDlg() : CDialog(IDD_SENSING_SETTING) {}

BOOL CSensingSettingDlg::Create(CWnd* owner) {
    return CDialog::Create(IDD_SENSING_SETTING, owner);
}

void CSensingSettingDlg::SetListener(ISensingSettingDlgListener* listener, int64_t value) {
    m_listener = listener;
    m_listenerValue = value;
}

void CSensingSettingDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_LIST_SENSING, m_table);
}

BOOL CSensingSettingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_table.SetListener(this, 0);
    m_table.Header().SetListener(nullptr, 0);
    ::ShowScrollBar(m_table.m_hWnd, SB_VERT, TRUE);
    LayOutTable();
    CXListCtrlEdit& editor = m_table.Editor();
    editor.valueKind = DigitalUInt32;
    editor.SetMinimum(1, kMinimumCaption);
    // The module takes no sensitivity above 100.
    editor.SetMaximum(sensing::kMaxSensitivity, kMaximumCaption);
    SetDlgItemInt(IDC_EDIT_ALL_MOTION, UINT(sensing::kPresetMoving), TRUE);
    SetDlgItemInt(IDC_EDIT_ALL_MOTIONLESS, UINT(sensing::kPresetMotionless), TRUE);
    return TRUE;
}

void CSensingSettingDlg::LayOutTable() {
    CRect client;
    m_table.GetClientRect(&client);
    // The list's own image lists would be destroyed with it; this one is the dialog's.
    m_table.ModifyStyle(0, LVS_SHAREIMAGELISTS | LVS_SINGLESEL);
    const sensing::TableHeights heights = sensing::TableHeightsFor(client.Height());
    if (heights.Usable()) {
        m_table.Header().SetHeight(heights.header);
        // The rows are as high as the small images.
        if (m_rowHeightImages.Create(1, heights.row, ILC_COLOR32 | ILC_MASK, 1, 0))
            m_table.SetImageList(m_rowHeightImages, LVSIL_SMALL);
    }
    m_table.SetExtendedStyle(m_table.GetExtendedStyle() | kTableExtendedStyle);
    m_table.GetClientRect(&client);
    const auto widths = sensing::ColumnWidthsFor(client.Width());
    const UINT captions[] = {IDS_HEADER_RANGE_GATE, IDS_HEADER_MOTION_SENSITIVITY,
                             IDS_HEADER_MOTIONLESS_SENSITIVITY};
    for (int column = 0; column < 3; ++column)
        m_table.InsertColumnCentered(column, AfxLoadString(captions[column]).c_str(), widths[size_t(column)]);
}

int CSensingSettingDlg::AddRow(int gate, int32_t moving, int32_t motionless) {
    if (gate < 0 || m_table.m_hWnd == nullptr)
        return -1;
    const std::wstring caption = xlist::FormatWithInt(AfxLoadString(IDS_ROW_GATE_FORMAT), gate);
    const int row = m_table.InsertItem(gate, caption.c_str());
    if (row < 0)
        return -1;
    XListRowCells* cells = m_table.AttachCells(row);
    if (XListCell* first = cells != nullptr ? cells->At(sensing::kColumnGate) : nullptr) {
        first->image = -1;
        first->UseRowColors(
            {::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW), first->buttonTextColor});
    }
    m_table.SetRowEnabled(row, TRUE);
    m_table.SetCellEditable(row, sensing::kColumnMoving, TRUE);
    m_table.SetCellEditable(row, sensing::kColumnMotionless, TRUE);
    m_table.SetItemText(row, sensing::kColumnMoving, sensing::SensitivityText(moving).c_str());
    m_table.SetItemText(row, sensing::kColumnMotionless, sensing::SensitivityText(motionless).c_str());
    return row;
}

void CSensingSettingDlg::FillGates(const uint16_t* moving, const uint16_t* motionless, int count) {
    if (m_table.m_hWnd == nullptr)
        return;
    m_table.SetRedraw(FALSE);
    m_table.DeleteAllItems();
    for (int gate = 0; moving != nullptr && motionless != nullptr && gate < count; ++gate)
        AddRow(gate, moving[gate], motionless[gate]);
    m_table.SetRedraw(TRUE);
    m_table.Invalidate();
}

void CSensingSettingDlg::WriteRow(int row, const std::wstring& moving, const std::wstring& motionless) {
    m_table.SetItemTextKeepColors(row, sensing::kColumnMoving, moving.c_str());
    m_table.SetItemTextKeepColors(row, sensing::kColumnMotionless, motionless.c_str());
}

void CSensingSettingDlg::OnSetAll() {
    // As typed: the owner converts the texts on Confirm.
    const std::wstring moving = GetDlgItemText(IDC_EDIT_ALL_MOTION);
    const std::wstring motionless = GetDlgItemText(IDC_EDIT_ALL_MOTIONLESS);
    const int rows = m_table.GetItemCount();
    for (int row = 0; row < rows; ++row)
        WriteRow(row, moving, motionless);
}

void CSensingSettingDlg::OnResetDefaults() {
    const int rows = m_table.GetItemCount();
    for (int row = 0; row < rows; ++row) {
        int32_t moving = sensing::kPresetMoving, motionless = sensing::kPresetMotionless;
        if (m_listener != nullptr)
            m_listener->OnSensingDefaultValues(row, moving, motionless);
        WriteRow(row, xlist::FormatWithInt(L"%d", moving), xlist::FormatWithInt(L"%d", motionless));
    }
}

void CSensingSettingDlg::EnableConfirm(bool enabled) {
    m_confirmEnabled = enabled;
    ShowConfirmState();
}

void CSensingSettingDlg::ShowConfirmState() {
    if (CWnd* confirm = m_hWnd != nullptr ? GetDlgItem(IDOK) : nullptr)
        confirm->EnableWindow(m_confirmEnabled && !m_confirming ? TRUE : FALSE);
}

// Enter reaches here even with the button disabled, so the same rule holds here too.
void CSensingSettingDlg::OnOK() {
    if (!m_confirmEnabled || m_confirming)
        return;
    bool accepted = true;
    if (m_listener != nullptr) {
        m_confirming = true;
        ShowConfirmState();
        accepted = m_listener->OnSensingConfirm(m_listenerValue);
        m_confirming = false;
        ShowConfirmState();
    }
    if (accepted)
        ShowWindow(SW_HIDE);
}

void CSensingSettingDlg::OnCancel() {
    ShowWindow(SW_HIDE);
}

void CSensingSettingDlg::OnClose() {
    ShowWindow(SW_HIDE);
}

int CSensingSettingDlg::OnXListBeginEdit(int64_t, int, int, std::wstring&) {
    return 1;
}

int CSensingSettingDlg::OnXListEndEditKillFocus(int64_t, int, int, const std::wstring&) {
    return 1;
}

int CSensingSettingDlg::OnXListEndEditReturn(int64_t, int, int, const std::wstring&) {
    return 1;
}
