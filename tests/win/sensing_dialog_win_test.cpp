// The sensitivity dialog under Wine, as its owner uses it: created hidden, filled with the
// gates' values, shown, edited in place, Set, Reset, Confirm, Cancel; the header's captions
// read back from the screen. With KOVA_SHOT_DIR set (a Windows path such as Z:/tmp), it also
// saves what the dialog looks like in each language as sensing_dialog_<language>.bmp there.
#include "resource.h"
#include "resource_language.h"
#include "sensing_setting_dlg_win.h"
#include "sensing_table.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CommonControlsRunning);

// The main dialog's side: built-in defaults for nine gates, and what the table held when the
// user confirmed.
class Owner : public ISensingSettingDlgListener {
public:
    explicit Owner(CSensingSettingDlg& dialog) : m_dialog(dialog) {}

    void OnSensingDefaultValues(int gate, int32_t& moving, int32_t& motionless) override {
        askedGates.push_back(gate);
        static const int32_t kMoving[9] = {50, 50, 40, 40, 40, 40, 30, 30, 30};
        static const int32_t kMotionless[9] = {0, 0, 40, 40, 40, 40, 15, 15, 15};
        if (gate >= 0 && gate < 9) {
            moving = kMoving[gate];
            motionless = kMotionless[gate];
        }
    }
    bool OnSensingConfirm(int64_t value) override {
        confirmedValues.push_back(value);
        visibleAtConfirm = m_dialog.IsWindowVisible() != FALSE;
        confirmEnabledAtConfirm = m_dialog.GetDlgItem(IDOK)->IsWindowEnabled() != FALSE;
        confirmedTable.clear();
        for (int row = 0; row < m_dialog.GetRowCount(); ++row)
            confirmedTable.push_back(m_dialog.GetCellText(row, 1) + L"/" + m_dialog.GetCellText(row, 2));
        // A second Confirm while this one runs (as from a result box's message loop).
        if (confirmAgainInside)
            m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return accept;
    }

    std::vector<int> askedGates;
    std::vector<int64_t> confirmedValues;
    std::vector<std::wstring> confirmedTable;
    bool visibleAtConfirm = false;
    bool confirmEnabledAtConfirm = true;
    bool accept = true;
    bool confirmAgainInside = false;

private:
    CSensingSettingDlg& m_dialog;
};

const uint16_t kMoving[9] = {50, 50, 40, 40, 40, 40, 30, 30, 30};
const uint16_t kMotionless[9] = {10, 11, 12, 13, 14, 15, 16, 17, 18};

std::vector<std::wstring> Column(CSensingSettingDlg& dialog, int column) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < dialog.GetRowCount(); ++row)
        texts.push_back(dialog.GetCellText(row, column));
    return texts;
}

std::vector<std::wstring> Numbers(const uint16_t* values) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < 9; ++i)
        texts.push_back(std::to_wstring(values[i]));
    return texts;
}

// The dialog of one test: created hidden, owned by a window of its own, then filled with
// nine gates and shown, as the main dialog's Sens... button does.
class SensingDialog : public ::testing::Test {
protected:
    void Open(LANGID language = 1033) {
        AfxSetResourceLanguage(language);
        ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        ASSERT_TRUE(dialog.Create(&owner));
        createdHidden = !dialog.IsWindowVisible();
        dialog.SetListener(&listener, 5);
        dialog.FillGates(kMoving, kMotionless, 9);
        dialog.ShowWindow(SW_SHOW);
        dialog.UpdateWindow();
        PumpPending();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        owner.DestroyWindow();
        PumpPending();
        AfxSetResourceLanguage(1033);
    }

    void Press(int id) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog.m_hWnd, id)));
        PumpPending();
    }
    CXListCtrl& table() { return dialog.Table(); }
    CXListCtrlEdit& editor() { return dialog.Table().Editor(); }
    void DoubleClick(int row, int column) {
        RECT cell{};
        ASSERT_TRUE(table().GetCellRect(row, column, &cell));
        table().PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON,
                            MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        PumpPending();
    }
    void TypeOver(const std::wstring& text) {
        editor().SetSel(0, -1);
        for (wchar_t c : text)
            editor().SendMessage(WM_CHAR, WPARAM(c), 1);
    }

    CWnd owner;
    CSensingSettingDlg dialog;
    Owner listener{dialog};
    bool createdHidden = false;
};

} // namespace

TEST_F(SensingDialog, OpensWithOneLabelledRowPerGateInEitherLanguage) {
    const struct {
        LANGID language;
        const wchar_t* title;
        const wchar_t* rowFormat;
        std::vector<std::wstring> captions;
    } cases[] = {
        {1033,
         L"Sensibility Configuration",
         L"RG %d Sensibility",
         {L"Range Gate\r\n(0.75m/RG)", L"Moving\r\nSensibility", L"Motionless\r\nSensibility"}},
        {2052,
         L"灵敏度设置",
         L"距离门 %d 灵敏度",
         {L"距离门\r\n(0.75米/距离门)", L"运动灵敏度", L"静止灵敏度"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        Open(c.language);
        EXPECT_TRUE(createdHidden);
        EXPECT_EQ(GetWindow(dialog.m_hWnd, GW_OWNER), owner.m_hWnd);
        EXPECT_EQ(dialog.GetWindowText(), c.title);
        ASSERT_EQ(dialog.GetRowCount(), 9);
        for (int gate = 0; gate < 9; ++gate) {
            std::wstring caption = c.rowFormat;
            caption.replace(caption.find(L"%d"), 2, std::to_wstring(gate));
            EXPECT_EQ(dialog.GetCellText(gate, 0), caption);
        }
        EXPECT_EQ(Column(dialog, 1), Numbers(kMoving));
        EXPECT_EQ(Column(dialog, 2), Numbers(kMotionless));
        for (int column = 0; column < 3; ++column) {
            wchar_t text[128] = L"";
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_FORMAT;
            item.pszText = text;
            item.cchTextMax = 128;
            ASSERT_TRUE(table().Header().GetItem(column, &item));
            EXPECT_EQ(std::wstring(text), c.captions[size_t(column)]);
            EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER) << column;
        }
        EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT_ALL_MOTION), L"20");
        EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT_ALL_MOTIONLESS), L"40");
        TearDown();
    }
}

TEST_F(SensingDialog, RowsAndHeaderTakeTheirHeightFromTheTableAndColumnsShareItsWidth) {
    Open();
    CRect client;
    table().GetClientRect(&client);
    const sensing::TableHeights heights = sensing::TableHeightsFor(client.Height());
    ASSERT_TRUE(heights.Usable());
    CRect header;
    table().Header().GetWindowRect(&header);
    EXPECT_EQ(header.Height(), heights.header);
    for (int row = 0; row < 2; ++row) {
        CRect item;
        ASSERT_TRUE(table().GetItemRect(row, &item, LVIR_BOUNDS));
        // The row-height images make a row this high, and its grid line adds one pixel.
        EXPECT_EQ(item.Height(), heights.row + 1) << row;
        EXPECT_GE(item.top, header.Height()); // rows start under the header
    }
    const int quarter = table().GetColumnWidth(1);
    EXPECT_EQ(table().GetColumnWidth(2), quarter);
    EXPECT_GE(table().GetColumnWidth(0), 2 * quarter);
    EXPECT_LE(table().GetColumnWidth(0), 2 * quarter + 1);
    EXPECT_NE(table().GetStyle() & LVS_SINGLESEL, 0u);
    EXPECT_EQ(table().GetExtendedStyle() & 0x50021u, 0x50021u);
}

TEST_F(SensingDialog, SetWritesBothTextsIntoEveryRowAndCancelLeavesTheOwnersValues) {
    Open();
    dialog.SetDlgItemText(IDC_EDIT_ALL_MOTION, L"25");
    dialog.SetDlgItemText(IDC_EDIT_ALL_MOTIONLESS, L"30");
    Press(IDC_BTN_SET_ALL);
    EXPECT_EQ(Column(dialog, 1), std::vector<std::wstring>(9, L"25"));
    EXPECT_EQ(Column(dialog, 2), std::vector<std::wstring>(9, L"30"));

    // Set copies what it finds; the owner converts on Confirm.
    dialog.SetDlgItemText(IDC_EDIT_ALL_MOTION, L"7x");
    Press(IDC_BTN_SET_ALL);
    EXPECT_EQ(dialog.GetCellText(4, 1), L"7x");

    Press(IDCANCEL);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_TRUE(listener.confirmedValues.empty());
    // The owner fills it again from its own values at the next opening.
    dialog.FillGates(kMoving, kMotionless, 9);
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(Column(dialog, 1), Numbers(kMoving));
    EXPECT_EQ(Column(dialog, 2), Numbers(kMotionless));
}

TEST_F(SensingDialog, ResetShowsTheOwnersDefaultsAndThePresetsWhereItHasNone) {
    Open();
    const uint16_t twelve[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    dialog.FillGates(twelve, twelve, 12);
    Press(IDC_BTN_RESET_DEFAULTS);
    EXPECT_EQ(listener.askedGates, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(Column(dialog, 1), (std::vector<std::wstring>{L"50", L"50", L"40", L"40", L"40", L"40", L"30",
                                                            L"30", L"30", L"20", L"20", L"20"}));
    EXPECT_EQ(Column(dialog, 2), (std::vector<std::wstring>{L"0", L"0", L"40", L"40", L"40", L"40", L"15",
                                                            L"15", L"15", L"40", L"40", L"40"}));

    // Without a listener every row gets the presets, and Confirm only hides.
    dialog.SetListener(nullptr, 0);
    Press(IDC_BTN_RESET_DEFAULTS);
    EXPECT_EQ(Column(dialog, 1), std::vector<std::wstring>(12, L"20"));
    EXPECT_EQ(Column(dialog, 2), std::vector<std::wstring>(12, L"40"));
    Press(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(listener.confirmedValues.empty());
}

TEST_F(SensingDialog, ConfirmHandsTheEditedTableToTheOwnerBeforeHiding) {
    Open();
    dialog.SetDlgItemText(IDC_EDIT_ALL_MOTION, L"25");
    dialog.SetDlgItemText(IDC_EDIT_ALL_MOTIONLESS, L"30");
    Press(IDC_BTN_SET_ALL);
    DoubleClick(3, 1);
    TypeOver(L"35");
    editor().PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
    EXPECT_TRUE(dialog.IsWindowVisible()); // Enter ended the edit, not the dialog
    Press(IDOK);
    EXPECT_EQ(listener.confirmedValues, (std::vector<int64_t>{5}));
    EXPECT_TRUE(listener.visibleAtConfirm);
    std::vector<std::wstring> expected(9, L"25/30");
    expected[3] = L"35/30";
    EXPECT_EQ(listener.confirmedTable, expected);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.GetRowCount(), 9); // kept, not destroyed

    // Closing the window hides it as well.
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_CLOSE);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.IsWindow());
}

// The owner decides whether Confirm may run and whether the table is taken: a refused table
// keeps the dialog open, a disabled Confirm (reporting runs) asks nothing, not even by Enter,
// and a Confirm inside a running one is not passed on.
TEST_F(SensingDialog, ConfirmRunsOnlyWhenOfferedOnceAtATimeAndHidesOnlyWhenTaken) {
    Open();
    listener.accept = false;
    Press(IDOK);
    EXPECT_EQ(listener.confirmedValues.size(), 1u);
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.EnableConfirm(false);
    EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    Press(IDOK);
    dialog.SendMessage(DM_SETDEFID, IDOK);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); // what Enter sends
    PumpPending();
    EXPECT_EQ(listener.confirmedValues.size(), 1u);

    dialog.EnableConfirm(true);
    EXPECT_TRUE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    listener.accept = true;
    listener.confirmAgainInside = true;
    Press(IDOK);
    EXPECT_EQ(listener.confirmedValues.size(), 2u);
    EXPECT_FALSE(listener.confirmEnabledAtConfirm);
    EXPECT_TRUE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_FALSE(dialog.IsWindowVisible());
}

TEST_F(SensingDialog, ACellTakesUnsignedNumbersFromOneTo100WhenLeft) {
    Open();
    DoubleClick(0, 0);
    EXPECT_FALSE(editor().IsWindowVisible());

    DoubleClick(0, 1);
    ASSERT_TRUE(editor().IsWindowVisible());
    EXPECT_EQ(editor().GetWindowText(), L"50");
    TypeOver(L"-");
    EXPECT_EQ(editor().GetWindowText(), L"50"); // no sign in an unsigned cell
    TypeOver(L"0");
    ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_EDIT_ALL_MOTION));
    PumpPending();
    EXPECT_FALSE(editor().IsWindowVisible());
    EXPECT_EQ(dialog.GetCellText(0, 1), L"1");
    BalloonTip tip;
    ASSERT_TRUE(editor().tipWindow.GetTip(0, tip));
    EXPECT_EQ(tip.text, L"最小值 Must >= 1");

    DoubleClick(1, 2);
    TypeOver(L"0");
    editor().PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(dialog.GetCellText(1, 2), L"0");

    // Nothing above what the module takes: 300 becomes 100 when left, with the tip (Enter keeps
    // the text as typed, and Confirm refuses it then).
    DoubleClick(1, 1);
    TypeOver(L"300");
    ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_EDIT_ALL_MOTION));
    PumpPending();
    EXPECT_EQ(dialog.GetCellText(1, 1), L"100");
    ASSERT_TRUE(editor().tipWindow.GetTip(0, tip));
    EXPECT_EQ(tip.text, L"最大值 Must <= 100");

    DoubleClick(2, 2);
    TypeOver(L"77");
    editor().PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    PumpPending();
    EXPECT_EQ(dialog.GetCellText(2, 2), L"12");
    EXPECT_TRUE(dialog.IsWindowVisible()); // Escape ended the edit, not the dialog
}

namespace {

// The client area of `window` as COLORREF values.
std::vector<COLORREF> Capture(HWND window, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP copy = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> colors(size_t(width) * size_t(height));
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return colors;
}

// The captions are blue; their ink may be smoothed at its edges.
bool IsCaptionInk(COLORREF c) {
    return GetBValue(c) >= 0x80 && GetRValue(c) < 0x60 && GetGValue(c) < 0x60;
}

// The screen as a 24-bit BMP file.
bool SaveScreenBmp(const RECT& area, const std::string& path) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    const std::vector<COLORREF> colors = Capture(nullptr, area);
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, DWORD(stride * height), 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<char> rows(size_t(stride) * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colors[size_t(height - 1 - y) * size_t(width) + size_t(x)];
            char* p = &rows[size_t(y) * size_t(stride) + size_t(x) * 3];
            p[0] = char(GetBValue(c));
            p[1] = char(GetGValue(c));
            p[2] = char(GetRValue(c));
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(rows.data(), std::streamsize(rows.size()));
    return out.good();
}

} // namespace

TEST_F(SensingDialog, HeaderCaptionsShowOnTwoLinesWhereTheyBreakVerticallyCentred) {
    const struct {
        LANGID language;
        const char* name;
        int lines[3];
    } cases[] = {{1033, "en", {2, 2, 2}}, {2052, "zh", {2, 1, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.language);
        CXHeaderCtrl& header = table().Header();
        header.RedrawWindow();
        CRect client;
        header.GetClientRect(&client);
        const std::vector<COLORREF> pixels = Capture(header.m_hWnd, client);
        // A line of caption is at most as high as the header's font.
        TEXTMETRICW metrics{};
        HDC dc = GetDC(header.m_hWnd);
        HGDIOBJ old = SelectObject(dc, header.GetFont());
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(header.m_hWnd, dc);
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(column);
            CRect item;
            ASSERT_TRUE(header.GetItemRect(column, &item));
            int top = client.Height(), bottom = -1;
            for (int y = 0; y < client.Height(); ++y)
                for (int x = item.left; x < item.right; ++x)
                    if (IsCaptionInk(pixels[size_t(y) * size_t(client.Width()) + size_t(x)])) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            ASSERT_GE(bottom, top) << "no caption drawn";
            const int inkHeight = bottom - top + 1;
            EXPECT_EQ(inkHeight > metrics.tmHeight ? 2 : 1, c.lines[column]) << "ink " << inkHeight;
            EXPECT_NEAR((top + bottom + 1) / 2.0, client.Height() / 2.0, 3.0);
        }
        if (const char* folder = std::getenv("KOVA_SHOT_DIR")) {
            CRect window;
            dialog.GetWindowRect(&window);
            EXPECT_TRUE(SaveScreenBmp(window, std::string(folder) + "/sensing_dialog_" + c.name + ".bmp"));
        }
        TearDown();
    }
}
