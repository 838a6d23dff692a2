// The sensitivity settings dialog: a table of every range gate's moving and motionless
// sensitivity, edited in place, with Set (one pair for all gates), Reset (the owner's
// defaults), Confirm and Cancel. It is modeless and lives hidden beside its owner, which fills
// it before showing it and reads the table back on Confirm.
//
// The owner's side:
//   dialog.Create(this);                         // hidden, owned by `this`
//   dialog.SetListener(this, 0);
//   dialog.FillGates(moving, motionless, count);  // each time before showing
//   dialog.ShowWindow(SW_SHOW);
//   // in OnSensingConfirm: GetRowCount(), GetCellText(row, sensing::kColumnMoving) ...
#pragma once

#include "framework.h"
#include "sensing_setting_listener.h"
#include "xlist_ctrl_win.h"

#include <cstdint>
#include <string>

class CSensingSettingDlg : public CDialog, public IXListCtrlListener {
public:
    CSensingSettingDlg();

    // Creates the hidden dialog from template IDD_SENSING_SETTING, owned by `owner`.
    BOOL Create(CWnd* owner);
    void SetListener(ISensingSettingDlgListener* listener, int64_t value);

    // Adds gate `gate`'s row at index `gate`, labelled with string IDS_ROW_GATE_FORMAT and
    // showing both values (their low 16 bits); its row index, or -1 for a negative gate or a
    // refused insertion.
    int AddRow(int gate, int32_t moving, int32_t motionless);
    // Replaces every row by gates 0 .. count - 1 with these values, drawing once at the end.
    void FillGates(const uint16_t* moving, const uint16_t* motionless, int count);

    // Confirm is offered only while the owner can write (not while the module reports). It
    // is also off while a Confirm runs, so the owner is never asked twice at once.
    void EnableConfirm(bool enabled);

    int GetRowCount() const { return m_table.GetItemCount(); }
    // A cell's text as the user left it (not checked: Set copies any text).
    std::wstring GetCellText(int row, int column) const { return m_table.GetItemText(row, column); }
    CXListCtrl& Table() { return m_table; }

    // The table's answers: every editable cell may be edited, and every edit is kept.
    int OnXListBeginEdit(int64_t value, int row, int column, std::wstring& text) override;
    int OnXListEndEditKillFocus(int64_t value, int row, int column, const std::wstring& text) override;
    int OnXListEndEditReturn(int64_t value, int row, int column, const std::wstring& text) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    // Confirm: the listener reads the table, then the dialog hides unless it refused.
    void OnOK() override;
    // Cancel and closing only hide; the rows stay until the next filling.
    void OnCancel() override;
    void OnClose();
    void OnSetAll();
    void OnResetDefaults();
    DECLARE_MESSAGE_MAP()

private:
    void LayOutTable();
    void WriteRow(int row, const std::wstring& moving, const std::wstring& motionless);

    // Before the table: the table's window, which uses it, goes first.
    CImageList m_rowHeightImages;
    CXListCtrl m_table;
    void ShowConfirmState();

    ISensingSettingDlgListener* m_listener = nullptr;
    int64_t m_listenerValue = 0;
    bool m_confirmEnabled = true;
    bool m_confirming = false;
};
