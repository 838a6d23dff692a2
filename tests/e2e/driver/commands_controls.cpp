// Subcommands on single controls: texts, buttons, check boxes, combo boxes, typing and keys.
#include "commands.h"
#include "names.h"

#include <cwchar>

namespace e2e {
namespace {

int IdArg(const Args& args) {
    return ParseInt(args[0], "a control id");
}

std::wstring ComboItem(HWND combo, int index) {
    auto length = size_t(Send(combo, CB_GETLBTEXTLEN, WPARAM(index)));
    std::wstring text(length + 1, L'\0');
    Send(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// An index, or the exact text of an item.
int ComboIndex(HWND combo, const std::wstring& choice) {
    wchar_t* end = nullptr;
    long index = std::wcstol(choice.c_str(), &end, 10);
    if (!choice.empty() && *end == L'\0')
        return int(index);
    auto count = int(Send(combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i)
        if (ComboItem(combo, i) == choice)
            return i;
    Fail("no item \"" + Utf8(choice) + "\" in the combo box");
}

// Gives the control the keyboard focus the way the dialog itself moves it (tab order aside).
void Focus(HWND control) {
    Send(GetAncestor(control, GA_PARENT), WM_NEXTDLGCTL, WPARAM(control), TRUE);
}

} // namespace

int GetText(const Args& args) {
    PrintLine(Utf8(TextOf(Control(IdArg(args)))));
    return 0;
}

int SetText(const Args& args) {
    if (!Send(Control(IdArg(args)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str())))
        Fail("the control refused the text");
    return 0;
}

int Click(const Args& args) {
    // Posted, never sent: the click may open a modal box, which would hold a sent message.
    Notify(EnabledControl(IdArg(args)), BN_CLICKED);
    return 0;
}

// What reaches a dialog without the button being usable: Enter's IDOK, a click queued before
// the button was disabled.
int PostClick(const Args& args) {
    Notify(Control(IdArg(args)), BN_CLICKED);
    return 0;
}

int Check(const Args& args) {
    HWND box = EnabledControl(IdArg(args));
    Send(box, BM_SETCHECK, WPARAM(ParseInt(args[1], "a check state")));
    Notify(box, BN_CLICKED);
    return 0;
}

int Enabled(const Args& args) {
    PrintLine(IsWindowEnabled(Control(IdArg(args))) ? "1" : "0");
    return 0;
}

int Checked(const Args& args) {
    PrintLine(std::to_string(Send(Control(IdArg(args)), BM_GETCHECK)));
    return 0;
}

int ComboItems(const Args& args) {
    HWND combo = Control(IdArg(args));
    auto count = int(Send(combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i)
        PrintLine(Utf8(ComboItem(combo, i)));
    return 0;
}

int ComboSelect(const Args& args) {
    HWND combo = EnabledControl(IdArg(args));
    int index = ComboIndex(combo, args[1]);
    if (Send(combo, CB_SETCURSEL, WPARAM(index)) == CB_ERR && index != -1)
        Fail("no item " + std::to_string(index) + " in the combo box");
    Notify(combo, CBN_SELCHANGE);
    return 0;
}

int Type(const Args& args) {
    HWND control = EnabledControl(IdArg(args));
    Focus(control);
    // Sent one by one, so that the text is complete when the driver returns.
    for (wchar_t c : args[1])
        Send(control, WM_CHAR, WPARAM(c), 1);
    return 0;
}

// As the user's Ctrl+V over the whole text: the program's WM_CHAR filter never sees it.
int Paste(const Args& args) {
    HWND control = EnabledControl(IdArg(args));
    const std::wstring& text = args[1];
    if (!OpenClipboard(nullptr))
        Fail("cannot open the clipboard");
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory != nullptr) {
        std::wmemcpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
    Focus(control);
    Send(control, EM_SETSEL, 0, -1);
    Send(control, WM_PASTE);
    return 0;
}

int Key(const Args& args) {
    HWND control = EnabledControl(IdArg(args));
    int key = KeyCode(args[1]);
    Focus(control);
    // Posted through the program's message loop, where the dialog manager turns Enter and Escape
    // into OK and Cancel.
    LPARAM scan = LPARAM(MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC)) << 16;
    Post(control, WM_KEYDOWN, WPARAM(key), scan | 1);
    // The key-down may already have closed the window (Enter on OK): its key-up then has no
    // one to go to, which is no failure.
    if (!PostMessageW(control, WM_KEYUP, WPARAM(key), scan | 1 | (LPARAM(1) << 30) | (LPARAM(1) << 31)) &&
        IsWindow(control))
        Fail("cannot post the key-up");
    return 0;
}

} // namespace e2e
