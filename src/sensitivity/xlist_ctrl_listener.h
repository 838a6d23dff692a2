// How the editable list tells its owner what the user does, and how its in-place editor tells
// the list. Every call to the owner passes the value the owner gave with its listener first.
#pragma once

#include <cstdint>
#include <string>

class CComboBox;

class IXListCtrlListener {
public:
    virtual ~IXListCtrlListener() = default;

    // Reserved; the list never calls it.
    virtual void OnXListReserved(int64_t /*value*/) {}
    // The left button was released over a cell's push button.
    virtual void OnXListButtonClicked(int64_t /*value*/, int /*row*/, int /*column*/,
                                      int64_t /*buttonValue*/) {}
    // A click changed a cell's check box.
    virtual void OnXListCheckToggled(int64_t /*value*/, int /*row*/, int /*column*/) {}
    // A double-click on an editable cell: nonzero opens the editor with `text` (which may be
    // changed here).
    virtual int OnXListBeginEdit(int64_t /*value*/, int /*row*/, int /*column*/, std::wstring& /*text*/) {
        return 0;
    }
    // The editor lost the focus (after the numeric edit applied its limits): nonzero stores
    // `text` in the cell.
    virtual int OnXListEndEditKillFocus(int64_t /*value*/, int /*row*/, int /*column*/,
                                        const std::wstring& /*text*/) {
        return 0;
    }
    // Enter in the editor (before the numeric edit checked the text): nonzero stores it.
    virtual int OnXListEndEditReturn(int64_t /*value*/, int /*row*/, int /*column*/,
                                     const std::wstring& /*text*/) {
        return 0;
    }
    // A click on a cell's drop-down button: fill `combo`; nonzero opens it.
    virtual int OnXListBeginDropDown(int64_t /*value*/, int /*row*/, int /*column*/, std::wstring& /*text*/,
                                     CComboBox* /*combo*/) {
        return 0;
    }
    // An entry was chosen in the drop-down: nonzero stores `text` (which may be changed here).
    virtual int OnXListDropDownChosen(int64_t /*value*/, int /*row*/, int /*column*/, int /*selected*/,
                                      std::wstring& /*text*/) {
        return 0;
    }
};

// Implemented by the list; both read the editor's text and cell from the editor.
class IXListCtrlEditListener {
public:
    virtual ~IXListCtrlEditListener() = default;
    virtual void OnXListEditKillFocus() = 0;
    virtual void OnXListEditReturn() = 0;
};
