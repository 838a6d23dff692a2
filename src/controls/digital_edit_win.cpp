#include "digital_edit_win.h"

#include "digital_input.h"

#include <utility>

using namespace controls;

BEGIN_MESSAGE_MAP(CDigitalEdit, CEdit)
ON_CONTROL_REFLECT_EX(EN_CHANGE, &CDigitalEdit::OnReflectedChange)
ON_CONTROL_REFLECT_EX(EN_KILLFOCUS, &CDigitalEdit::OnReflectedKillFocus)
ON_MESSAGE(WM_SETTEXT, &CDigitalEdit::OnSetText)
ON_WM_CHAR()
END_MESSAGE_MAP()

CDigitalEdit::CDigitalEdit() = default;

CDigitalEdit::~CDigitalEdit() {
    FreeLimits(mustMinList);
    FreeLimits(mustMaxList);
    FreeLimits(suggestMinList);
    FreeLimits(suggestMaxList);
}

void CDigitalEdit::SetMinimum(DigitalSlot value, std::wstring caption) {
    ReplaceLimit(mustMinList, valueKind, value, std::move(caption));
}

void CDigitalEdit::SetMaximum(DigitalSlot value, std::wstring caption) {
    ReplaceLimit(mustMaxList, valueKind, value, std::move(caption));
}

void CDigitalEdit::ClearMinimum() {
    FreeLimits(mustMinList);
}

void CDigitalEdit::ClearMaximum() {
    FreeLimits(mustMaxList);
}

void CDigitalEdit::SetSuggestedMinimum(DigitalSlot value, std::wstring caption) {
    ReplaceLimit(suggestMinList, valueKind, value, std::move(caption));
}

void CDigitalEdit::SetSuggestedMaximum(DigitalSlot value, std::wstring caption) {
    ReplaceLimit(suggestMaxList, valueKind, value, std::move(caption));
}

BOOL CDigitalEdit::OnReflectedChange() {
    if (settingText == 0)
        pendingCommit = 1;
    return muteChangeNotify != 0;
}

LRESULT CDigitalEdit::OnSetText(WPARAM, LPARAM) {
    ++settingText;
    const LRESULT result = Default();
    --settingText;
    return result;
}

void CDigitalEdit::OnChar(UINT c, UINT, UINT) {
    const std::wstring oldText = GetWindowText();
    int selectionStart = 0, selectionEnd = 0;
    GetSel(selectionStart, selectionEnd);
    const int32_t pendingBefore = pendingCommit;
    muteChangeNotify = 1;
    // The edit takes the character as usual; the verdict is on the text it made of it.
    Default();
    const CharVerdict verdict = JudgeChar(valueKind, wchar_t(c), GetWindowText());
    if (!verdict.accepted) {
        ShowTip(L"Input Error", verdict.message, TipIconError);
        SetWindowText(oldText.c_str());
        // Undone where the user was typing, not at the start of the text.
        SetSel(selectionStart, selectionEnd);
        pendingCommit = pendingBefore; // the text is back as it was
        return;
    }
    pendingCommit = 1;
    if (verdict.movesFocus) {
        CWnd* parent = GetParent();
        if (dynamic_cast<CDialog*>(parent) != nullptr)
            parent->SendMessage(WM_NEXTDLGCTL, 0, 0);
    }
}

BOOL CDigitalEdit::OnReflectedKillFocus() {
    if (pendingCommit == 0)
        return TRUE; // nothing typed: the parent hears nothing
    pendingCommit = 0;
    const ValidationResult result = Validate(GetWindowText());
    muteChangeNotify = 0;
    if (!result.ok) {
        SetWindowText(result.replacement.c_str());
    } else if (HWND parent = ::GetParent(m_hWnd)) {
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), LPARAM(m_hWnd));
    }
    muteChangeNotify = 1;
    return FALSE; // the parent gets EN_KILLFOCUS after EN_CHANGE
}

void CDigitalEdit::ValidateNow() {
    if (m_hWnd == nullptr)
        return;
    const ValidationResult result = Validate(GetWindowText());
    if (!result.ok)
        SetTextNotifying(result.replacement);
}

void CDigitalEdit::SetTextNotifying(const std::wstring& text) {
    muteChangeNotify = 0;
    SetWindowText(text.c_str());
    muteChangeNotify = 1;
}

ValidationResult CDigitalEdit::Validate(const std::wstring& text) {
    const ValidationResult result = controls::Validate(
        valueKind, text, DigitalLimits{mustMinList, mustMaxList, suggestMinList, suggestMaxList});
    if (result.showTip)
        ShowTip(L"Data Invalid", result.message, result.icon);
    return result;
}

int CDigitalEdit::ShowTip(const std::wstring& title, const std::wstring& text, int icon) {
    if (tipWindow.m_hWnd == nullptr)
        tipWindow.Create(this);
    RECT client{};
    GetClientRect(&client);
    ClientToScreen(&client);
    const bool mirrored = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    tipWindow.AddTip(TipAnchorPoint(client, mirrored), title, text, icon);
    return 1;
}
