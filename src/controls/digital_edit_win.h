// A single-line edit for one kind of number. It takes only the characters such a number can
// have, checks the value against its limits when the user leaves it (a value beyond a hard
// limit becomes that limit), and explains every problem in a balloon tip under itself. Its
// parent hears of a change once per finished edit (EN_CHANGE, then EN_KILLFOCUS), never per
// keystroke, and never of the texts it sets itself.
//
// Set up after subclassing:
//   edit.valueKind = DigitalUInt32;         // before any limit; not changed later
//   edit.SetMinimum(0, L"最小值");
//   edit.SetMaximum(8, L"最大值");
//   edit.ValidateNow();                     // after changing a limit: corrects the text at once
#pragma once

#include "balloon_wnd_win.h"
#include "digital_limits.h"
#include "framework.h"

#include <cstdint>
#include <string>

class CDigitalEdit : public CEdit {
public:
    CDigitalEdit();
    ~CDigitalEdit() override;

    // Replaces the hard lower (upper) limit by one `value` in the form of `valueKind` (see
    // DigitalSlot) with `caption` in front of its message, e.g. "最小值".
    void SetMinimum(DigitalSlot value, std::wstring caption);
    void SetMaximum(DigitalSlot value, std::wstring caption);
    void ClearMinimum();
    void ClearMaximum();
    // Advisory limits: a value beyond them stays and is only warned about.
    void SetSuggestedMinimum(DigitalSlot value, std::wstring caption);
    void SetSuggestedMaximum(DigitalSlot value, std::wstring caption);
    // Checks the current text now; a value beyond a hard limit is replaced by it and the
    // parent gets EN_CHANGE. Nothing happens without a window.
    void ValidateNow();
    // Shows a tip (TipIcon) just under the control; returns 1.
    int ShowTip(const std::wstring& title, const std::wstring& text, int icon);

    // The balloon of this control's tips; its window comes with the first tip.
    CBalloonWnd tipWindow;
    // DigitalValueKind of the text.
    int32_t valueKind = DigitalInt32;

protected:
    // Every change of the text but the program's own (WM_SETTEXT) marks the check that
    // leaving the edit runs: typing, Delete, Cut, Paste, Clear and Undo, by key or menu.
    BOOL OnReflectedChange();
    BOOL OnReflectedKillFocus();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnChar(UINT c, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

    // Checks `text`, shows the tip the check asks for, and returns the result.
    controls::ValidationResult Validate(const std::wstring& text);
    // Sets the text with the parent hearing its EN_CHANGE.
    void SetTextNotifying(const std::wstring& text);

    CPtrArrayCtrl mustMinList; // owned LimitEntry
    CPtrArrayCtrl mustMaxList;
    CPtrArrayCtrl suggestMinList;
    CPtrArrayCtrl suggestMaxList;
    int32_t pendingCommit = 0;    // changed by the user since the last commit
    int32_t settingText = 0;      // inside WM_SETTEXT: a change that is the program's
    int32_t muteChangeNotify = 1; // while 1 the parent does not get EN_CHANGE
};
