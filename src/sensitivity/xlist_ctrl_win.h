// A report-view list that draws every cell itself and edits cells in place. Each row keeps a
// record per column (XListCell) with its colours, bold text, image, tool tip and kind: plain
// text, text edited in place with a numeric editor, text chosen from a drop-down, a check box,
// a progress bar or a push button. Rows are striped; the header (CXHeaderCtrl) draws captions
// on several lines. The owner hears of the user's actions through IXListCtrlListener; without
// a listener no edit or drop-down opens.
//
// Subclassed onto a dialog's list, the control takes over its header and its tool tips at once
// and makes its editor and drop-down; created as a new window, it takes over only the header.
//
// The owner adds a row like this:
//   int row = list.InsertItem(index, caption);
//   XListRowCells* cells = list.AttachCells(row);      // one record per column
//   list.SetItemText(row, 1, L"20");
//   list.SetCellEditable(row, 1, TRUE);
#pragma once

#include "framework.h"
#include "xheader_ctrl_win.h"
#include "xlist_cell.h"
#include "xlist_colors.h"
#include "xlist_ctrl_edit_win.h"
#include "xlist_ctrl_listener.h"

#include <cstdint>
#include <string>
#include <unordered_set>

class CXListCtrl : public CListCtrl, public IXListCtrlEditListener {
public:
    CXListCtrl();
    // Frees the rows' cells with the window (wnd.h: whoever frees on WM_DESTROY destroys its
    // window in its own destructor).
    ~CXListCtrl() override;

    void SetListener(IXListCtrlListener* listener, int64_t value);
    IXListCtrlListener* GetListener() const { return m_listener; }
    int64_t GetListenerValue() const { return m_listenerValue; }
    // Given to the list now when it has a window, and when it is subclassed.
    void SetListFont(const LOGFONTW& font);

    CXHeaderCtrl& Header() { return m_header; }
    CXListCtrlEdit& Editor() { return m_edit; }
    CComboBox& DropDown() { return m_combo; }

    // 0 blocks dragging and double-clicking the header dividers.
    void SetAllowColumnResize(BOOL allow) { m_allowColumnResize = allow; }
    // 0 refuses every change that would select an item.
    void SetAllowSelection(BOOL allow) { m_allowSelection = allow; }
    // 1 shows a selection without the focus in window text on button face.
    void SetDimUnfocusedSelection(BOOL dim) { m_dimUnfocusedSelection = dim; }
    // 1 gives clicks and double-clicks outside every row to the list's own handling.
    void SetDefaultClicksOutsideItems(BOOL allow) { m_defaultClicksOutsideItems = allow; }

    // A centred column; column 0 too, which the list makes left-aligned when it is inserted.
    int InsertColumnCentered(int index, LPCWSTR text, int width);

    // Rows. A row outside the item count, or a column outside the header's, does nothing
    // and answers 0 (or null).
    // Gives the row its cell records, one per column the header has now; null when the row
    // does not exist or already has them.
    XListRowCells* AttachCells(int row);
    XListCell* GetCell(int row, int column);
    const XListCell* GetCell(int row, int column) const;
    BOOL SetRowEnabled(int row, BOOL enabled);
    BOOL GetRowEnabled(int row) const;
    BOOL SetCellEditable(int row, int column, BOOL editable);
    // Sets the text and gives the cell its row's striped colours again; a null text only
    // resets the colours.
    BOOL SetItemText(int row, int column, LPCWSTR text);
    // Sets the text and keeps the cell's colours, as an accepted edit does.
    BOOL SetItemTextKeepColors(int row, int column, LPCWSTR text);
    BOOL InvalidateCell(int row, int column);
    // Frees every row's cells, then deletes the items.
    BOOL DeleteAllItems();
    // Column 0's rectangle ends where column 1 begins.
    BOOL GetCellRect(int row, int column, RECT* rect) const;
    // The cell under a point of the client area; false outside every row or column.
    bool CellFromPoint(POINT point, int& row, int& column) const;

    // A column header's check box: 0 none, 1 clear, 2 ticked.
    int GetHeaderCheck(int column) const;
    BOOL SetHeaderCheck(int column, int state);

    // The editor's end of an edit.
    void OnXListEditKillFocus() override;
    void OnXListEditReturn() override;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCTW create);
    void OnDestroy();
    void OnSysColorChange();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnClick(NMHDR* header, LRESULT* result);
    BOOL OnItemChanging(NMHDR* header, LRESULT* result);
    BOOL OnColumnClick(NMHDR* header, LRESULT* result);
    BOOL OnDeleteItem(NMHDR* header, LRESULT* result);
    BOOL OnHeaderDividerNote(NMHDR* header, LRESULT* result);
    BOOL OnToolTipText(NMHDR* header, LRESULT* result);
    void OnComboSelChange();
    void OnComboHide();
    DECLARE_MESSAGE_MAP()

private:
    // Taking over the list's parts (see the class comment).
    void SubclassHeader();
    void CreateEditors();
    void ReadSysColors();
    XListCellDefaults CellDefaults() const;
    void FreeAllCells();
    XListRowCells* RowCells(int row) const;
    bool IsCell(int row, int column) const;
    int ColumnCount() const;

    // Drawing (xlist_ctrl_draw_win.cpp).
    void DrawCell(CDC& dc, int row, int column);
    void DrawTextCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                      xlist::CellColors colors);
    void DrawCheckCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                       xlist::CellColors colors);
    void DrawProgressCell(CDC& dc, const XListCell& cell, RECT area, xlist::CellColors colors);
    void DrawDropDownCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                          xlist::CellColors colors);
    void DrawCellText(CDC& dc, int column, const XListCell& cell, const std::wstring& text, RECT area,
                      COLORREF color);

    // Editing and the drop-down (xlist_ctrl_edit_ops_win.cpp).
    bool HasWindowOwner() const;
    bool BeginEdit(int row, int column);
    void EndEdit(bool onReturn);
    bool BeginDropDown(int row, int column);
    void HideEditors();
    // The part of a cell a press can hit: its button, check box or drop-down button.
    enum class CellPart { None, Button, CheckBox, DropDown };
    CellPart PartAt(int row, int column, POINT point) const;
    void ToggleCheck(int row, int column);

    CXHeaderCtrl m_header;
    CXListCtrlEdit m_edit;
    CComboBox m_combo;
    IXListCtrlListener* m_listener = nullptr;
    int64_t m_listenerValue = 0;
    CFont m_listFont;
    int32_t m_headerSubclassed = 0;
    BOOL m_allowColumnResize = TRUE;
    BOOL m_allowSelection = TRUE;
    BOOL m_dimUnfocusedSelection = FALSE;
    BOOL m_defaultClicksOutsideItems = FALSE;
    xlist::SysColors m_colors{};
    int m_pressedRow = -1;
    int m_pressedColumn = -1;
    // The cell records this list made: an item's data value is taken for cells only when it
    // is one of these, so a value someone else put there is never freed or read as cells.
    std::unordered_set<const XListRowCells*> m_rows;
};
