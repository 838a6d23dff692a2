// Dialogs from a template of the chosen resource language, modal (DoModal) or modeless
// (Create). Member controls are bound to their dialog items by DoDataExchange (DDX_Control)
// before OnInitDialog runs; IDOK and IDCANCEL end the dialog through OnOK and OnCancel.
#pragma once

#include "wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Subclasses dialog item `id` with `control`, once.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_pParentWnd(parent) {}

    // Modeless: creates the dialog owned by `parent`; visible only when the template says so.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog until EndDialog; returns its result, or -1 when it could not be made.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with `result`; hides a modeless one.
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Controls exist and are bound; TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Keyboard navigation of the dialog (Tab, Enter, Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    // IDOK: data exchange, then EndDialog(IDOK).
    virtual void OnOK();
    // IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    BOOL HandleInitDialog();
    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();

    bool m_inModalLoop = false;
    int m_modalResult = -1;
};

class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
};
