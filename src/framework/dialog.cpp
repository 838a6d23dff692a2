#include "dialog.h"

#include "message_loop.h"
#include "resource_language.h"
#include "win_app.h"
#include "wnd_creation_hook.h"

namespace {

// The dialog's messages reach its object through the subclassed window procedure, so the
// dialog manager's own procedure leaves everything to the default processing.
INT_PTR CALLBACK PassingDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (control.m_hWnd == nullptr)
        control.SubclassDlgItem(UINT(id), exchange->m_pDlgWnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
KOVA_MSG_ENTRY(WM_INITDIALOG, 0, 0, 0, result = self->HandleInitDialog(); return true;)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent != nullptr ? parent->m_hWnd : nullptr) != nullptr;
}

HWND CDialog::CreateFromTemplate(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = AfxLoadDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr || m_hWnd != nullptr)
        return nullptr;
    CWndCreationHook hook(this);
    return ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), dialogTemplate, owner, &PassingDialogProc, 0);
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    m_modalResult = -1;
    m_inModalLoop = true;
    if (CreateFromTemplate(owner) != nullptr && m_inModalLoop) {
        ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_inModalLoop = false;
    // The owner is enabled again before the dialog goes, so that it gets the activation.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    DestroyWindow();
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    while (m_inModalLoop && m_hWnd != nullptr) {
        int quitCode = 0;
        if (!AfxPumpMessage(&quitCode)) {
            ::PostQuitMessage(quitCode); // for the loop outside this one
            break;
        }
    }
}

void CDialog::EndDialog(int result) {
    if (m_inModalLoop) {
        m_modalResult = result;
        m_inModalLoop = false;
        PostMessage(WM_NULL); // wakes the loop when this came from a sent message
    } else {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::HandleInitDialog() {
    UpdateData(FALSE);
    return OnInitDialog();
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::IsDialogMessageW(m_hWnd, msg);
    return FALSE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
