#include "xlist_ctrl_win.h"

#include "xlist_geometry.h"

#include <algorithm>
#include <climits>

namespace {

constexpr UINT kEditorId = 1;
constexpr UINT kDropDownId = 2;
// WS_CHILD | WS_BORDER | ES_WANTRETURN | ES_AUTOHSCROLL, hidden until an edit starts.
constexpr DWORD kEditorStyle = 0x40801080;
// A visible, vertically scrolling drop-down list; hidden right after it is made.
constexpr DWORD kDropDownStyle = 0x50200003;
// The list's own tool tip would cover ours; it is kept quiet and quick.
constexpr UINT kOwnTipDelay = 100;

} // namespace

// Header notes carry the header's id, whatever it is.
#define XLIST_ON_HEADER_NOTE(code)                                                                           \
    KOVA_MSG_ENTRY(WM_NOTIFY, code, 0, UINT_MAX,                                                             \
                   return self->OnHeaderDividerNote(KOVA_NMHDR(), &result) != FALSE;)
// Tool tip text requests carry the tool's id as theirs.
#define XLIST_ON_TIP_TEXT(code)                                                                              \
    KOVA_MSG_ENTRY(WM_NOTIFY, code, 0, UINT_MAX, return self->OnToolTipText(KOVA_NMHDR(), &result) != FALSE;)

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CXListCtrl::OnCustomDraw)
ON_NOTIFY_REFLECT(NM_CLICK, &CXListCtrl::OnClick)
ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGING, &CXListCtrl::OnItemChanging)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &CXListCtrl::OnColumnClick)
ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &CXListCtrl::OnDeleteItem)
XLIST_ON_HEADER_NOTE(HDN_BEGINTRACKW)
XLIST_ON_HEADER_NOTE(HDN_DIVIDERDBLCLICKW)
XLIST_ON_TIP_TEXT(TTN_GETDISPINFOW)
XLIST_ON_TIP_TEXT(TTN_GETDISPINFOA)
ON_CBN_SELCHANGE(kDropDownId, &CXListCtrl::OnComboSelChange)
ON_CBN_KILLFOCUS(kDropDownId, &CXListCtrl::OnComboHide)
ON_CBN_CLOSEUP(kDropDownId, &CXListCtrl::OnComboHide)
END_MESSAGE_MAP()

CXListCtrl::CXListCtrl() {
    ReadSysColors();
}

CXListCtrl::~CXListCtrl() {
    DestroyWindow();
    // A window of another thread could not go: its items keep no pointer into freed cells.
    for (const XListRowCells* cells : m_rows)
        delete cells;
    m_rows.clear();
}

void CXListCtrl::ReadSysColors() {
    m_colors.buttonFace = ::GetSysColor(COLOR_BTNFACE);
    m_colors.buttonHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_colors.buttonShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_colors.selectionDimmed = ::GetSysColor(COLOR_BTNFACE);
    m_colors.progressFrame = ::GetSysColor(COLOR_BTNSHADOW);
    m_colors.buttonText = ::GetSysColor(COLOR_BTNTEXT);
    m_colors.grayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_colors.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_colors.highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_colors.window = ::GetSysColor(COLOR_WINDOW);
    m_colors.windowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

XListCellDefaults CXListCtrl::CellDefaults() const {
    return {m_colors.windowText, m_colors.window, m_colors.buttonText};
}

void CXListCtrl::SetListener(IXListCtrlListener* listener, int64_t value) {
    m_listener = listener;
    m_listenerValue = value;
}

void CXListCtrl::SetListFont(const LOGFONTW& font) {
    m_listFont.CreateFontIndirect(&font);
    if (m_hWnd != nullptr && m_listFont.m_hObject != nullptr)
        SetFont(&m_listFont);
}

void CXListCtrl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    // A window made here is complete only after WM_CREATE, where its header is taken over.
    if (!WasSubclassed())
        return;
    if (HWND ownTips = GetToolTipsHwnd()) {
        ::SendMessageW(ownTips, TTM_ACTIVATE, FALSE, 0);
        ::SendMessageW(ownTips, TTM_SETDELAYTIME, TTDT_AUTOMATIC, LPARAM(kOwnTipDelay));
    }
    EnableToolTips(TRUE);
    SubclassHeader();
    CreateEditors();
    if (m_listFont.m_hObject != nullptr)
        SetFont(&m_listFont);
}

int CXListCtrl::OnCreate(LPCREATESTRUCTW create) {
    const int result = CListCtrl::OnCreate(create);
    if (result != -1)
        SubclassHeader();
    return result;
}

void CXListCtrl::SubclassHeader() {
    if (m_headerSubclassed != 0)
        return;
    HWND header = GetHeaderHwnd();
    if (header != nullptr && m_header.SubclassWindow(header))
        m_headerSubclassed = 1;
}

void CXListCtrl::CreateEditors() {
    m_edit.listener = this;
    const CRect empty;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (m_edit.CreateEx(0, L"EDIT", nullptr, kEditorStyle, empty, this, kEditorId)) {
        m_edit.ShowWindow(SW_HIDE);
        m_edit.SetFont(font);
    }
    if (m_combo.Create(kDropDownStyle, empty, this, kDropDownId)) {
        m_combo.ShowWindow(SW_HIDE);
        m_combo.SetFont(font);
    }
}

LRESULT CXListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The editor's and the drop-down's notifications are ours alone: the list's own label
    // editing would take them for its own, and passing them to the dialog would make their
    // ids 1 and 2 look like IDOK and IDCANCEL.
    if (message == WM_COMMAND && lParam != 0 &&
        (HWND(lParam) == m_edit.m_hWnd || HWND(lParam) == m_combo.m_hWnd)) {
        LRESULT result = 0;
        OnWndMsg(message, wParam, lParam, &result);
        return result;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

void CXListCtrl::OnDestroy() {
    FreeAllCells();
    m_headerSubclassed = 0; // the header goes with the list; a new window gets its own
    CListCtrl::OnDestroy();
}

void CXListCtrl::OnSysColorChange() {
    ReadSysColors();
    CListCtrl::OnSysColorChange();
}

int CXListCtrl::ColumnCount() const {
    HWND header = GetHeaderHwnd();
    return header != nullptr ? int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CXListCtrl::IsCell(int row, int column) const {
    return m_hWnd != nullptr && row >= 0 && row < GetItemCount() && column >= 0 && column < ColumnCount();
}

XListRowCells* CXListCtrl::RowCells(int row) const {
    if (m_hWnd == nullptr || row < 0 || row >= GetItemCount())
        return nullptr;
    auto* cells = reinterpret_cast<XListRowCells*>(GetItemData(row));
    return m_rows.count(cells) != 0 ? cells : nullptr;
}

XListCell* CXListCtrl::GetCell(int row, int column) {
    XListRowCells* cells = IsCell(row, column) ? RowCells(row) : nullptr;
    return cells != nullptr ? cells->At(column) : nullptr;
}

const XListCell* CXListCtrl::GetCell(int row, int column) const {
    const XListRowCells* cells = IsCell(row, column) ? RowCells(row) : nullptr;
    return cells != nullptr ? cells->At(column) : nullptr;
}

XListRowCells* CXListCtrl::AttachCells(int row) {
    if (m_hWnd == nullptr || row < 0 || row >= GetItemCount() || RowCells(row) != nullptr)
        return nullptr;
    auto* cells = new XListRowCells(ColumnCount(), CellDefaults());
    if (!CListCtrl::SetItemData(row, DWORD_PTR(cells))) {
        delete cells;
        return nullptr;
    }
    m_rows.insert(cells);
    return cells;
}

void CXListCtrl::FreeAllCells() {
    if (m_hWnd == nullptr)
        return;
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (XListRowCells* cells = RowCells(row)) {
            CListCtrl::SetItemData(row, 0);
            m_rows.erase(cells);
            delete cells;
        }
    }
}

BOOL CXListCtrl::DeleteAllItems() {
    FreeAllCells();
    return CListCtrl::DeleteAllItems();
}

BOOL CXListCtrl::OnDeleteItem(NMHDR* header, LRESULT*) {
    // An item deleted on its own takes its cells along.
    const auto* cells = reinterpret_cast<const XListRowCells*>(reinterpret_cast<NMLISTVIEW*>(header)->lParam);
    if (m_rows.erase(cells) != 0)
        delete cells;
    return FALSE;
}

BOOL CXListCtrl::SetRowEnabled(int row, BOOL enabled) {
    XListCell* first = GetCell(row, 0);
    if (first == nullptr)
        return FALSE;
    first->enabled = enabled ? 1 : 0;
    RECT bounds{};
    if (GetItemRect(row, &bounds, LVIR_BOUNDS))
        InvalidateRect(&bounds, TRUE);
    return TRUE;
}

BOOL CXListCtrl::GetRowEnabled(int row) const {
    const XListRowCells* cells = RowCells(row);
    return cells == nullptr || cells->RowEnabled();
}

BOOL CXListCtrl::SetCellEditable(int row, int column, BOOL editable) {
    XListCell* cell = GetCell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->editable = editable ? 1 : 0;
    return TRUE;
}

BOOL CXListCtrl::SetItemText(int row, int column, LPCWSTR text) {
    if (!IsCell(row, column))
        return FALSE;
    if (text != nullptr)
        CListCtrl::SetItemText(row, column, text);
    if (XListCell* cell = GetCell(row, column))
        cell->UseRowColors(CellDefaults());
    InvalidateCell(row, column);
    return TRUE;
}

BOOL CXListCtrl::SetItemTextKeepColors(int row, int column, LPCWSTR text) {
    if (!IsCell(row, column) || text == nullptr)
        return FALSE;
    CListCtrl::SetItemText(row, column, text);
    InvalidateCell(row, column);
    return TRUE;
}

BOOL CXListCtrl::InvalidateCell(int row, int column) {
    RECT rect{};
    if (!GetCellRect(row, column, &rect))
        return FALSE;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CXListCtrl::GetCellRect(int row, int column, RECT* rect) const {
    if (!IsCell(row, column) || !GetSubItemRect(row, column, LVIR_BOUNDS, rect))
        return FALSE;
    // Column 0's sub-item rectangle is the whole row.
    RECT next{};
    if (column == 0 && ColumnCount() > 1 && GetSubItemRect(row, 1, LVIR_BOUNDS, &next))
        rect->right = next.left;
    return TRUE;
}

bool CXListCtrl::CellFromPoint(POINT point, int& row, int& column) const {
    row = column = -1;
    const int count = GetItemCount();
    const int top = GetTopIndex();
    const int last = std::min(count, top + GetCountPerPage() + 2);
    for (int item = std::max(top, 0); item < last; ++item) {
        RECT bounds{};
        if (GetItemRect(item, &bounds, LVIR_BOUNDS) && xlist::Contains(bounds, point)) {
            row = item;
            break;
        }
    }
    if (row < 0)
        return false;
    const int columns = ColumnCount();
    for (int sub = 0; sub < columns; ++sub) {
        RECT cell{};
        if (GetCellRect(row, sub, &cell) && xlist::Contains(cell, point)) {
            column = sub;
            return true;
        }
    }
    return false;
}

int CXListCtrl::InsertColumnCentered(int index, LPCWSTR text, int width) {
    const int column = InsertColumn(index, text, LVCFMT_CENTER, width);
    if (column == 0) {
        LVCOLUMNW format{};
        format.mask = LVCF_FMT;
        format.fmt = LVCFMT_CENTER;
        SetColumn(0, &format);
        // Some list controls keep column 0 left-aligned even then; the cells and the caption
        // are drawn here as the header item says, so it is told directly.
        HWND header = GetHeaderHwnd();
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (header != nullptr && ::SendMessageW(header, HDM_GETITEMW, 0, LPARAM(&item)) &&
            (item.fmt & HDF_JUSTIFYMASK) != HDF_CENTER) {
            item.fmt = (item.fmt & ~HDF_JUSTIFYMASK) | HDF_CENTER;
            ::SendMessageW(header, HDM_SETITEMW, 0, LPARAM(&item));
        }
    }
    return column;
}

int CXListCtrl::GetHeaderCheck(int column) const {
    HWND header = GetHeaderHwnd();
    HDITEMW item{};
    item.mask = HDI_IMAGE;
    if (header == nullptr || column < 0 || column >= ColumnCount() ||
        !::SendMessageW(header, HDM_GETITEMW, WPARAM(column), LPARAM(&item)))
        return 0;
    return item.iImage;
}

BOOL CXListCtrl::SetHeaderCheck(int column, int state) {
    HWND header = GetHeaderHwnd();
    if (header == nullptr || column < 0 || column >= ColumnCount())
        return FALSE;
    HDITEMW item{};
    item.mask = HDI_IMAGE;
    item.iImage = state;
    if (!::SendMessageW(header, HDM_SETITEMW, WPARAM(column), LPARAM(&item)))
        return FALSE;
    ::InvalidateRect(header, nullptr, TRUE);
    return TRUE;
}

void CXListCtrl::OnClick(NMHDR*, LRESULT* result) {
    *result = 0;
}

BOOL CXListCtrl::OnItemChanging(NMHDR* header, LRESULT* result) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    const bool selects = (change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
                         (change->uOldState & LVIS_SELECTED) == 0;
    if (m_allowSelection || !selects)
        return FALSE;
    *result = TRUE; // refused
    return TRUE;
}

BOOL CXListCtrl::OnColumnClick(NMHDR* header, LRESULT*) {
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    const int state = GetHeaderCheck(column);
    if (state != xlist::kHeaderClear && state != xlist::kHeaderTicked)
        return FALSE;
    const int flipped = xlist::FlippedHeaderCheck(state);
    SetHeaderCheck(column, flipped);
    ::UpdateWindow(GetHeaderHwnd());
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row) {
        XListCell* cell = GetCell(row, column);
        if (cell != nullptr && cell->checkState != -1) {
            cell->checkState = flipped == xlist::kHeaderTicked ? 1 : 0;
            InvalidateCell(row, column);
        }
    }
    return FALSE;
}

BOOL CXListCtrl::OnHeaderDividerNote(NMHDR* header, LRESULT* result) {
    if (header->hwndFrom != GetHeaderHwnd() || m_allowColumnResize)
        return FALSE;
    *result = TRUE; // refused
    return TRUE;
}
