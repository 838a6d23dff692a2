// The editable list under Wine, subclassed onto the list of a real dialog (or created as a
// window of its own): in-place editing driven by posted mouse messages and keys, cell
// colours read back from the screen, header checks, selection and divider refusal, tool tips.
#include "resource.h"
#include "resource_language.h"
#include "xlist_ctrl_win.h"
#include "xlist_geometry.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CommonControlsRunning);

void SetItemState(CListCtrl& list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    list.SendMessage(LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
}

struct Call {
    int slot;
    int row;
    int column;
    std::wstring text;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out) {
    *out << "slot " << call.slot << " (" << call.row << "," << call.column << ") \""
         << std::string(call.text.begin(), call.text.end()) << "\"";
}

// Records every call; answers `answer` where an answer is asked for.
class Recorder : public IXListCtrlListener {
public:
    std::vector<Call> calls;
    int answer = 1;
    int64_t valueSeen = -1;

    void OnXListButtonClicked(int64_t value, int row, int column, int64_t buttonValue) override {
        valueSeen = value;
        calls.push_back({2, row, column, std::to_wstring(buttonValue)});
    }
    void OnXListCheckToggled(int64_t value, int row, int column) override {
        valueSeen = value;
        calls.push_back({3, row, column, L""});
    }
    int OnXListBeginEdit(int64_t value, int row, int column, std::wstring& text) override {
        valueSeen = value;
        calls.push_back({4, row, column, text});
        return answer;
    }
    int OnXListEndEditKillFocus(int64_t value, int row, int column, const std::wstring& text) override {
        valueSeen = value;
        calls.push_back({5, row, column, text});
        return answer;
    }
    int OnXListEndEditReturn(int64_t value, int row, int column, const std::wstring& text) override {
        valueSeen = value;
        calls.push_back({6, row, column, text});
        return answer;
    }
    int OnXListBeginDropDown(int64_t value, int row, int column, std::wstring& text,
                             CComboBox* combo) override {
        valueSeen = value;
        calls.push_back({7, row, column, text});
        combo->ResetContent();
        for (const std::wstring& entry : entries)
            combo->AddString(entry.c_str());
        return answer;
    }
    int OnXListDropDownChosen(int64_t value, int row, int column, int selected, std::wstring& text) override {
        valueSeen = value;
        calls.push_back({8, row, column, std::to_wstring(selected) + L":" + text});
        text += L"!"; // what the owner makes of the choice is stored
        return answer;
    }

    std::vector<std::wstring> entries; // offered by a drop-down
};

// The sensitivity dialog's template with only the list bound, as a CXListCtrl of four rows
// "row 0" ... "row 3" whose columns 1 and 2 hold 10 * row + 20 and + 40 and are editable.
class ListDialog : public CDialog {
public:
    ListDialog() : CDialog(IDD_SENSING_SETTING) {}
    CXListCtrl list;

protected:
    void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, IDC_LIST_SENSING, list); }
};

class XList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(IDD_SENSING_SETTING));
        list().SetListener(&recorder, 77);
        list().InsertColumnCentered(0, L"Gate", 150);
        list().InsertColumnCentered(1, L"Moving", 90);
        list().InsertColumnCentered(2, L"Still", 90);
        for (int row = 0; row < 4; ++row) {
            ASSERT_EQ(list().InsertItem(row, (L"row " + std::to_wstring(row)).c_str()), row);
            ASSERT_NE(list().AttachCells(row), nullptr);
            list().SetItemText(row, 1, std::to_wstring(10 * row + 20).c_str());
            list().SetItemText(row, 2, std::to_wstring(10 * row + 40).c_str());
            list().SetCellEditable(row, 1, TRUE);
            list().SetCellEditable(row, 2, TRUE);
        }
        dialog.ShowWindow(SW_SHOW);
        dialog.UpdateWindow();
        PumpPending();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        PumpPending();
    }

    CXListCtrl& list() { return dialog.list; }
    CXListCtrlEdit& editor() { return dialog.list.Editor(); }
    std::wstring Cell(int row, int column) { return list().GetItemText(row, column); }
    bool Editing() { return editor().IsWindowVisible() != FALSE; }

    POINT CellPoint(int row, int column, int dx = 0) {
        RECT cell{};
        EXPECT_TRUE(list().GetCellRect(row, column, &cell));
        return {(cell.left + cell.right) / 2 + dx, (cell.top + cell.bottom) / 2};
    }
    void Post(UINT message, POINT at) {
        list().PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
    }
    void DoubleClick(int row, int column) {
        Post(WM_LBUTTONDBLCLK, CellPoint(row, column));
        Post(WM_LBUTTONUP, CellPoint(row, column));
        PumpPending();
    }
    void Click(POINT at) {
        Post(WM_LBUTTONDOWN, at);
        Post(WM_LBUTTONUP, at);
        PumpPending();
    }
    // Replaces the editor's text by typing `text` over all of it.
    void TypeOver(const std::wstring& text) {
        editor().SetSel(0, -1);
        for (wchar_t c : text)
            editor().SendMessage(WM_CHAR, WPARAM(c), 1);
    }
    void Key(UINT key) {
        editor().PostMessage(WM_KEYDOWN, key, 1);
        PumpPending();
    }

    ListDialog dialog;
    Recorder recorder;
};

} // namespace

TEST_F(XList, ADoubleClickOpensTheEditorOnlyOnAnEditableCellWithTheCaretAfterTheText) {
    DoubleClick(1, 0);
    EXPECT_FALSE(Editing());
    EXPECT_TRUE(recorder.calls.empty());

    DoubleClick(1, 1);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{4, 1, 1, L"30"}}));
    EXPECT_EQ(recorder.valueSeen, 77);
    EXPECT_EQ(editor().GetWindowText(), L"30");
    EXPECT_EQ(GetFocus(), editor().m_hWnd);
    int start = -1, end = -1;
    editor().GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 2);
    // The editor covers the cell.
    RECT cell{}, placed{};
    list().GetCellRect(1, 1, &cell);
    editor().GetWindowRect(&placed);
    list().ScreenToClient(&placed);
    EXPECT_EQ(placed.left, cell.left);
    EXPECT_EQ(placed.top, cell.top);
    EXPECT_EQ(placed.right, cell.right);
    EXPECT_EQ(placed.bottom, cell.bottom);
}

TEST_F(XList, NoEditorOpensWhenTheListenerSaysNoOrThereIsNone) {
    recorder.answer = 0;
    DoubleClick(0, 1);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{4, 0, 1, L"20"}}));

    list().SetListener(nullptr, 0);
    DoubleClick(0, 2);
    EXPECT_FALSE(Editing());

    // A disabled row ignores the double-click too.
    list().SetListener(&recorder, 0);
    recorder.answer = 1;
    recorder.calls.clear();
    list().SetRowEnabled(2, FALSE);
    DoubleClick(2, 1);
    EXPECT_FALSE(Editing());
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(XList, AnEditEndsByEnterEscapeOrAClickOnAnotherRow) {
    // Enter hands the text over as typed.
    DoubleClick(0, 1);
    TypeOver(L"35");
    Key(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Cell(0, 1), L"35");
    EXPECT_EQ(recorder.calls.back(), (Call{6, 0, 1, L"35"}));
    EXPECT_EQ(recorder.calls.size(), 2u); // no second report when the focus then goes

    // Escape drops it without a word to the listener.
    recorder.calls.clear();
    DoubleClick(1, 2);
    TypeOver(L"99");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Cell(1, 2), L"50");
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{4, 1, 2, L"50"}}));

    // A click on another row takes the focus, and the edit is stored on its way out.
    recorder.calls.clear();
    DoubleClick(2, 1);
    TypeOver(L"45");
    Click(CellPoint(3, 0));
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Cell(2, 1), L"45");
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{4, 2, 1, L"40"}, {5, 2, 1, L"45"}}));

    // A listener that answers 0 keeps the cell as it was.
    recorder.answer = 1;
    DoubleClick(3, 1);
    recorder.answer = 0;
    TypeOver(L"12");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(3, 1), L"50");
    EXPECT_FALSE(Editing());
}

TEST_F(XList, AClickBelowTheRowsOnlyEndsTheEditAndTheEditorsLimitAppliesOnTheWayOut) {
    editor().valueKind = DigitalUInt32;
    editor().SetMinimum(1, L"最小值");
    DoubleClick(0, 2);
    TypeOver(L"0");
    RECT client{};
    list().GetClientRect(&client);
    const int selectedBefore = int(list().SendMessage(LVM_GETSELECTEDCOUNT));
    Click({20, client.bottom - 5}); // below the last row
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Cell(0, 2), L"1");
    EXPECT_EQ(recorder.calls.back(), (Call{5, 0, 2, L"1"}));
    BalloonTip tip;
    ASSERT_TRUE(editor().tipWindow.GetTip(0, tip));
    EXPECT_EQ(tip.title, L"Data Invalid");
    EXPECT_EQ(tip.text, L"最小值 Must >= 1");
    EXPECT_EQ(int(list().SendMessage(LVM_GETSELECTEDCOUNT)), selectedBefore); // nothing else happened

    // Enter hands "0" over before the editor checks it.
    DoubleClick(1, 2);
    TypeOver(L"0");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 2), L"0");
}

namespace {

// What the list shows on the screen, as COLORREF values (the screen's DIB has red in bits
// 16..23, a COLORREF in bits 0..7).
class Screen {
public:
    explicit Screen(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC windowDc = GetDC(window);
        HDC memory = CreateCompatibleDC(windowDc);
        HBITMAP copy = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        colors.resize(size_t(width) * size_t(height));
        for (size_t i = 0; i < colors.size(); ++i)
            colors[i] = RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF);
        SelectObject(memory, old);
        DeleteObject(copy);
        DeleteDC(memory);
        ReleaseDC(window, windowDc);
    }
    COLORREF At(int x, int y) const { return colors[size_t(y) * size_t(width) + size_t(x)]; }
    int Count(const RECT& area, COLORREF color) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) == color ? 1 : 0;
        return count;
    }

    int width = 0, height = 0;
    std::vector<COLORREF> colors;
};

} // namespace

TEST_F(XList, RowsAreStripedAndAFocusedSelectionDrawsInTheHighlightColours) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    list().SetExtendedStyle(list().GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    SetItemState(list(), 2, LVIS_SELECTED, LVIS_SELECTED);
    list().SetFocus();
    list().RedrawWindow();
    const Screen screen(list().m_hWnd);
    const struct {
        int row;
        COLORREF text, background;
    } cases[] = {
        {0, 0xE1BE11, 0xF7F7FF},
        {1, 0xC510BA, 0xE7EFEF},
        {2, highlightText, highlight},
        {3, 0xC510BA, 0xE7EFEF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        for (int column = 0; column < 3; ++column) {
            RECT cell{};
            ASSERT_TRUE(list().GetCellRect(c.row, column, &cell));
            const RECT painted = xlist::CellPaintRect(cell);
            EXPECT_EQ(screen.At(painted.left + 3, (painted.top + painted.bottom) / 2), c.background)
                << "column " << column;
            EXPECT_GT(screen.Count(painted, c.text), 0) << "column " << column; // the text's ink
        }
    }
}

TEST_F(XList, ProgressBarsAndCheckBoxesDrawTheirParts) {
    XListCell* progress = list().GetCell(0, 1);
    progress->progress = 1;
    progress->progressValue = 50;
    progress->progressTextShown = 0;
    list().GetCell(1, 1)->checkState = 1;
    list().GetCell(2, 1)->checkState = 0;
    list().RedrawWindow();
    const Screen screen(list().m_hWnd);

    RECT cell{};
    list().GetCellRect(0, 1, &cell);
    const RECT bar = xlist::CellPaintRect(cell);
    const RECT fill = xlist::ProgressFillRect(bar, 50);
    const int middle = (bar.top + bar.bottom) / 2;
    EXPECT_EQ(screen.At(fill.left + 1, middle), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(screen.At(fill.right - 1, middle), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(screen.At(fill.right + 1, middle), COLORREF(0xE0E0E0));
    EXPECT_EQ(screen.At(bar.left, middle), GetSysColor(COLOR_BTNSHADOW)); // the frame

    for (int row : {1, 2}) {
        SCOPED_TRACE(row);
        list().GetCellRect(row, 1, &cell);
        const RECT box = xlist::CheckBoxRect(xlist::CellPaintRect(cell), 0);
        EXPECT_EQ(screen.At(box.left, (box.top + box.bottom) / 2), COLORREF(0x996633));
        EXPECT_EQ(screen.Count(box, 0x339933) > 0, row == 1); // the tick only when ticked
    }
}

TEST_F(XList, HeaderCheckBoxesFollowTheRowsAndAColumnClickSetsThemAll) {
    list().SetHeaderCheck(2, xlist::kHeaderClear);
    for (int row = 0; row < 4; ++row)
        list().GetCell(row, 2)->checkState = row == 3 ? -1 : 0; // row 3 has no box
    // A click on the column's header ticks every box.
    NMLISTVIEW columnClick{};
    columnClick.hdr = {list().m_hWnd, UINT_PTR(IDC_LIST_SENSING), LVN_COLUMNCLICK};
    columnClick.iItem = -1;
    columnClick.iSubItem = 2;
    dialog.SendMessage(WM_NOTIFY, IDC_LIST_SENSING, LPARAM(&columnClick));
    EXPECT_EQ(list().GetHeaderCheck(2), xlist::kHeaderTicked);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list().GetCell(row, 2)->checkState, 1) << row;
    EXPECT_EQ(list().GetCell(3, 2)->checkState, -1);

    // Clearing one box by a click clears the header's; ticking it again ticks it.
    RECT cell{};
    list().GetCellRect(1, 2, &cell);
    const RECT box = xlist::CheckBoxRect(xlist::CellPaintRect(cell), 0);
    const POINT inBox{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    Click(inBox);
    EXPECT_EQ(list().GetCell(1, 2)->checkState, 0);
    EXPECT_EQ(list().GetHeaderCheck(2), xlist::kHeaderClear);
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{3, 1, 2, L""}}));
    Click(inBox);
    EXPECT_EQ(list().GetCell(1, 2)->checkState, 1);
    EXPECT_EQ(list().GetHeaderCheck(2), xlist::kHeaderTicked);

    // A second header click clears them all.
    dialog.SendMessage(WM_NOTIFY, IDC_LIST_SENSING, LPARAM(&columnClick));
    EXPECT_EQ(list().GetHeaderCheck(2), xlist::kHeaderClear);
    EXPECT_EQ(list().GetCell(0, 2)->checkState, 0);
}

TEST_F(XList, AButtonInACellReportsItsValueWhenReleasedOverIt) {
    XListCell* cell = list().GetCell(3, 0);
    cell->button = 1;
    cell->buttonWidth = 30;
    cell->buttonHeight = 10;
    cell->buttonValue = 4242;
    cell->buttonText = L"Go";
    const POINT center = CellPoint(3, 0);
    Post(WM_LBUTTONDOWN, center);
    PumpPending();
    EXPECT_EQ(cell->buttonPressed, 1);
    EXPECT_EQ(GetCapture(), list().m_hWnd);
    Post(WM_LBUTTONUP, center);
    PumpPending();
    EXPECT_EQ(cell->buttonPressed, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{2, 3, 0, L"4242"}}));

    // Released elsewhere: nothing.
    recorder.calls.clear();
    Post(WM_LBUTTONDOWN, center);
    Post(WM_LBUTTONUP, CellPoint(3, 2));
    PumpPending();
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(cell->buttonPressed, 0);
}

TEST_F(XList, ADropDownCellOffersTheOwnersEntriesAndStoresTheChosenOne) {
    list().GetCell(2, 0)->dropDown = 1;
    recorder.entries = {L"alpha", L"beta"};
    RECT cell{};
    list().GetCellRect(2, 0, &cell);
    const RECT button = xlist::DropDownButtonRect(xlist::CellPaintRect(cell));
    Click({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    CComboBox& combo = list().DropDown();
    ASSERT_TRUE(combo.IsWindowVisible());
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{7, 2, 0, L"row 2"}}));

    combo.SetCurSel(1);
    list().SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE), LPARAM(combo.m_hWnd));
    PumpPending();
    EXPECT_EQ(recorder.calls.back(), (Call{8, 2, 0, L"1:beta"}));
    EXPECT_EQ(Cell(2, 0), L"beta!");
    EXPECT_FALSE(combo.IsWindowVisible());
    EXPECT_FALSE(combo.GetDroppedState());

    // A press elsewhere in the cell opens nothing.
    recorder.calls.clear();
    Click({cell.left + 5, (cell.top + cell.bottom) / 2});
    EXPECT_FALSE(combo.IsWindowVisible());
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(XList, SelectionAndDividerDraggingCanBeRefused) {
    const struct {
        BOOL allow;
        bool selected;
    } cases[] = {{FALSE, false}, {TRUE, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.allow);
        SetItemState(list(), 1, 0, LVIS_SELECTED);
        list().SetAllowSelection(c.allow);
        SetItemState(list(), 1, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ((list().GetItemState(1, LVIS_SELECTED) & LVIS_SELECTED) != 0, c.selected);
    }

    NMHEADERW note{};
    note.hdr = {list().GetHeaderHwnd(), 0, HDN_BEGINTRACKW};
    note.iItem = 1;
    list().SetAllowColumnResize(FALSE);
    EXPECT_EQ(list().SendMessage(WM_NOTIFY, 0, LPARAM(&note)), TRUE);
    note.hdr.code = HDN_DIVIDERDBLCLICKW;
    const int width = list().GetColumnWidth(1);
    EXPECT_EQ(list().SendMessage(WM_NOTIFY, 0, LPARAM(&note)), TRUE);
    EXPECT_EQ(list().GetColumnWidth(1), width);
    list().SetAllowColumnResize(TRUE);
    note.hdr.code = HDN_BEGINTRACKW;
    EXPECT_EQ(list().SendMessage(WM_NOTIFY, 0, LPARAM(&note)), FALSE);
}

TEST_F(XList, ACellsTipIsItsTooltipOrItsTextCut) {
    list().SetItemText(2, 1, std::wstring(100, L'7').c_str());
    list().GetCell(0, 2)->tooltip = L"own tip";
    list().SetItemText(1, 0, L"");
    const struct {
        int row, column;
        std::wstring expected;
    } cases[] = {
        {0, 1, L"20"}, {0, 2, L"own tip"}, {2, 1, std::wstring(79, L'7')}, {1, 0, L""}, {3, 0, L"row 3"},
    };
    HWND sender = dialog.GetDlgItem(IDOK)->m_hWnd; // any window but the list's own tip
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        NMTTDISPINFOW wide{};
        wide.hdr = {sender, UINT_PTR(xlist::CellToolId(c.row, c.column)), TTN_GETDISPINFOW};
        list().SendMessage(WM_NOTIFY, wide.hdr.idFrom, LPARAM(&wide));
        ASSERT_NE(wide.lpszText, nullptr);
        EXPECT_EQ(std::wstring(wide.lpszText), c.expected);

        NMTTDISPINFOA narrow{};
        narrow.hdr = {sender, wide.hdr.idFrom, TTN_GETDISPINFOA};
        list().SendMessage(WM_NOTIFY, narrow.hdr.idFrom, LPARAM(&narrow));
        ASSERT_NE(narrow.lpszText, nullptr);
        EXPECT_EQ(std::string(narrow.lpszText), std::string(c.expected.begin(), c.expected.end()));
    }

    // The tool under the mouse is the cell's.
    TOOLINFOW info{};
    const POINT onCell = CellPoint(3, 2);
    EXPECT_EQ(list().OnToolHitTest(CPoint(onCell), &info), xlist::CellToolId(3, 2));
    EXPECT_EQ(info.hwnd, list().m_hWnd);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKW);
    RECT client{};
    list().GetClientRect(&client);
    EXPECT_EQ(list().OnToolHitTest(CPoint(5, client.bottom - 3), &info), -1);
}

TEST_F(XList, CellsOutsideTheRowsAndColumnsAreLeftAlone) {
    EXPECT_FALSE(list().SetItemText(4, 1, L"x"));
    EXPECT_FALSE(list().SetItemText(0, 3, L"x"));
    EXPECT_FALSE(list().SetItemText(-1, 0, L"x"));
    EXPECT_FALSE(list().SetItemTextKeepColors(0, 5, L"x"));
    EXPECT_FALSE(list().SetRowEnabled(9, FALSE));
    EXPECT_FALSE(list().SetCellEditable(0, -1, TRUE));
    EXPECT_FALSE(list().InvalidateCell(4, 0));
    EXPECT_EQ(list().GetCell(0, 3), nullptr);
    EXPECT_EQ(list().AttachCells(0), nullptr); // already has its cells
    // A data value the list did not make is never taken for cells.
    ASSERT_EQ(list().InsertItem(4, L"foreign"), 4);
    list().CListCtrl::SetItemData(4, 0x1234);
    EXPECT_EQ(list().GetCell(4, 0), nullptr);
    list().RedrawWindow();
    EXPECT_TRUE(list().DeleteAllItems());
    EXPECT_EQ(list().GetItemCount(), 0);
}

TEST_F(XList, SetItemTextGivesTheRowColoursBackAndTheOtherKeepsTheCells) {
    XListCell* cell = list().GetCell(1, 1);
    cell->defaultTextColor = 0;
    cell->textColor = 0x0000FF;
    EXPECT_TRUE(list().SetItemTextKeepColors(1, 1, L"61"));
    EXPECT_EQ(cell->defaultTextColor, 0);
    EXPECT_TRUE(list().SetItemText(1, 1, nullptr)); // colours only
    EXPECT_EQ(Cell(1, 1), L"61");
    EXPECT_EQ(cell->defaultTextColor, 1);
    EXPECT_EQ(cell->textColor, GetSysColor(COLOR_WINDOWTEXT));
}

TEST(XListOrigin, SubclassedTheListTakesOverItsPartsCreatedOnlyItsHeader) {
    ListDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SENSING_SETTING));
    CXListCtrl& subclassed = dialog.list;
    EXPECT_EQ(CWnd::FromHandlePermanent(subclassed.GetHeaderHwnd()), &subclassed.Header());
    ASSERT_NE(subclassed.Editor().m_hWnd, nullptr);
    EXPECT_EQ(subclassed.Editor().GetDlgCtrlID(), 1);
    EXPECT_EQ(GetParent(subclassed.Editor().m_hWnd), subclassed.m_hWnd);
    EXPECT_FALSE(subclassed.Editor().IsWindowVisible());
    ASSERT_NE(subclassed.DropDown().m_hWnd, nullptr);
    EXPECT_EQ(subclassed.DropDown().GetDlgCtrlID(), 2);
    EXPECT_FALSE(subclassed.DropDown().IsWindowVisible());
    EXPECT_TRUE(subclassed.ToolTipsEnabled());

    CXListCtrl created;
    ASSERT_TRUE(created.CreateEx(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                 CRect(0, 0, 200, 100), &dialog, 3000));
    EXPECT_EQ(CWnd::FromHandlePermanent(created.GetHeaderHwnd()), &created.Header());
    EXPECT_EQ(created.Editor().m_hWnd, nullptr);
    EXPECT_EQ(created.DropDown().m_hWnd, nullptr);
    EXPECT_FALSE(created.ToolTipsEnabled());
    // Without an editor a double-click opens nothing.
    Recorder recorder;
    created.SetListener(&recorder, 0);
    created.InsertColumnCentered(0, L"A", 100);
    created.InsertItem(0, L"a");
    created.AttachCells(0);
    created.SetCellEditable(0, 0, TRUE);
    RECT cell{};
    created.GetCellRect(0, 0, &cell);
    created.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.left + 5, cell.top + 3));
    EXPECT_TRUE(recorder.calls.empty());
    created.DestroyWindow();
    dialog.DestroyWindow();
}
