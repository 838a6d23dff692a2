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
