// The editable list's in-place editor: a numeric edit that ends an edit on Enter (handing the
// text over as typed), Escape (dropping it) or focus loss (after its own limit check), and
// tells the list through IXListCtrlEditListener. The cell it edits is in its window's user
// data as row * 65536 + column.
#pragma once

#include "digital_edit_win.h"
#include "xlist_ctrl_listener.h"

#include <cstdint>

class CXListCtrlEdit : public CDigitalEdit {
public:
    // Enter and Escape end the edit before the dialog can take them for its buttons.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The cell being edited.
    void SetCell(int row, int column);
    void GetCell(int& row, int& column) const;

    IXListCtrlEditListener* listener = nullptr;
    int64_t listenerValue = 0;
    // The edit has ended by a key: the focus loss that follows reports nothing.
    int32_t done = 0;

protected:
    void OnKillFocus(CWnd* newFocus);
    DECLARE_MESSAGE_MAP()

private:
    // Hides the editor; the focus it had goes back to the list.
    void HideKeepingFocusInList();
};
