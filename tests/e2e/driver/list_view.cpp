// list-rows: every row of a list view in another process, one line each, columns separated by tabs.
#include "commands.h"
#include "remote_buffer.h"

#include <commctrl.h>

namespace e2e {
namespace {

constexpr int kTextChars = 512;

int ColumnCount(HWND list) {
    auto header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
    int columns = header != nullptr ? int(Send(header, HDM_GETITEMCOUNT)) : 0;
    return columns > 0 ? columns : 1; // a list without report columns still has item texts
}

} // namespace

int ListRows(const Args& args) {
    HWND list = Control(ParseInt(args[0], "a control id"));
    auto rows = int(Send(list, LVM_GETITEMCOUNT));
    int columns = ColumnCount(list);
    // LVM_GETITEMTEXTW carries a pointer to an LVITEMW, which must live in the list's own process.
    RemoteBuffer remote(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
            item.cchTextMax = kTextChars;
            remote.Write(0, &item, sizeof item);
            auto length =
                size_t(Send(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address())));
            std::wstring text(length < kTextChars ? length : kTextChars - 1, L'\0');
            remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
            if (column > 0)
                line.append("\t");
            line.append(Utf8(text));
        }
        PrintLine(line);
    }
    return 0;
}

} // namespace e2e

namespace e2e {

// list-edit ID ROW COLUMN TEXT: edits a cell as the user does: a double-click on it, the text
// typed into the editor that opens there (replacing what it shows), then Enter.
int ListEdit(const Args& args) {
    HWND list = EnabledControl(ParseInt(args[0], "a control id"));
    int row = ParseInt(args[1], "a row"), column = ParseInt(args[2], "a column");
    RemoteBuffer remote(list, sizeof(RECT));
    RECT cell{LVIR_BOUNDS, column, 0, 0}; // left: the part, top: the column
    remote.Write(0, &cell, sizeof cell);
    if (!Send(list, LVM_GETSUBITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address())))
        Fail("no cell " + std::to_string(row) + "," + std::to_string(column));
    remote.Read(0, &cell, sizeof cell);
    LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(list, WM_LBUTTONUP, 0, at);
    Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Post(list, WM_LBUTTONUP, 0, at);
    HWND editor = nullptr;
    if (!WaitFor(3000, [&] {
            editor = FindWindowExW(list, nullptr, L"Edit", nullptr);
            return editor != nullptr && IsWindowVisible(editor);
        }))
        Fail("no editor opened on cell " + std::to_string(row) + "," + std::to_string(column));
    Send(editor, EM_SETSEL, 0, -1);
    for (wchar_t c : args[3])
        Send(editor, WM_CHAR, WPARAM(c), 1);
    LPARAM scan = LPARAM(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
    Post(editor, WM_KEYDOWN, VK_RETURN, scan | 1);
    Post(editor, WM_KEYUP, VK_RETURN, scan | 0xC0000001);
    if (!WaitFor(3000, [&] { return !IsWindowVisible(editor) || !IsWindow(editor); }))
        Fail("the editor did not close on Enter");
    return 0;
}

} // namespace e2e
