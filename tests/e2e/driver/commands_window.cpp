// Subcommands on the dialog window as a whole: appear, vanish, title, size, close.
#include "commands.h"
#include "remote_font.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 5000;

// "W H" of the client area, what the program lays its controls out in.
std::string ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return std::to_string(client.right) + " " + std::to_string(client.bottom);
}

std::string FontHeight(HWND window) {
    LOGFONTW font{};
    return RemoteFont(window, font) ? std::to_string(font.lfHeight) : "-";
}

} // namespace

int WaitWindow(const Args& args) {
    HWND found = nullptr;
    // Visible means the dialog has finished initialising: a dialog box is shown after that.
    bool shown = WaitFor(TimeoutArg(args, 1, kWaitMs), [&] {
        found = FindWindowW(args[0].c_str(), nullptr);
        return found != nullptr && IsWindowVisible(found);
    });
    if (!shown)
        Fail("no visible window of class " + Utf8(args[0]));
    PrintLine(Hex(reinterpret_cast<ULONG_PTR>(found)));
    return 0;
}

int WaitExit(const Args& args) {
    if (!WaitFor(TimeoutArg(args, 0, kWaitMs), [] { return FindDialog() == nullptr; }))
        Fail("the window of class " + Utf8(DialogClass()) + " is still there");
    return 0;
}

int Title(const Args&) {
    PrintLine(Utf8(TextOf(Dialog())));
    return 0;
}

int Close(const Args&) {
    // Posted: closing may ask a question in a modal box.
    Post(Dialog(), WM_CLOSE);
    return 0;
}

int Resize(const Args& args) {
    HWND dialog = Dialog();
    int width = ParseInt(args[0], "a width");
    int height = ParseInt(args[1], "a height");
    if (!SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        Fail("SetWindowPos failed");
    PrintLine(ClientSize(dialog));
    return 0;
}

int Minimize(const Args&) {
    HWND dialog = Dialog();
    ShowWindow(dialog, SW_MINIMIZE);
    if (!WaitFor(kWaitMs, [&] { return IsIconic(dialog) != FALSE; }))
        Fail("the window did not minimise");
    return 0;
}

int Restore(const Args&) {
    HWND dialog = Dialog();
    ShowWindow(dialog, SW_RESTORE);
    if (!WaitFor(kWaitMs, [&] { return IsIconic(dialog) == FALSE; }))
        Fail("the window did not restore");
    PrintLine(ClientSize(dialog));
    return 0;
}

// Puts the mouse pointer at a screen position, e.g. away from the window so that no tool tip
// shows in a screenshot.
int Mouse(const Args& args) {
    if (!SetCursorPos(ParseInt(args[0], "an x"), ParseInt(args[1], "a y")))
        Fail("SetCursorPos failed");
    return 0;
}

// popup CLASS: the visible window of that class the dialog's thread shows (such as a tip
// balloon), as "x y width height" in the dialog's client coordinates; "none" when there is none.
int Popup(const Args& args) {
    HWND dialog = Dialog();
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    HWND found = nullptr;
    for (HWND window = FindWindowExW(nullptr, nullptr, args[0].c_str(), nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, args[0].c_str(), nullptr)) {
        if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == thread) {
            found = window;
            break;
        }
    }
    if (found == nullptr) {
        PrintLine("none");
        return 0;
    }
    RECT box{};
    GetWindowRect(found, &box);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&box), 2);
    PrintLine(std::to_string(box.left) + " " + std::to_string(box.top) + " " +
              std::to_string(box.right - box.left) + " " + std::to_string(box.bottom - box.top));
    return 0;
}

int Rect(const Args& args) {
    HWND dialog = Dialog();
    if (args.empty()) {
        PrintLine("0 0 " + ClientSize(dialog) + " " + FontHeight(dialog));
        return 0;
    }
    HWND control = Control(ParseInt(args[0], "a control id"));
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&box), 2);
    PrintLine(std::to_string(box.left) + " " + std::to_string(box.top) + " " +
              std::to_string(box.right - box.left) + " " + std::to_string(box.bottom - box.top) + " " +
              FontHeight(control));
    return 0;
}

} // namespace e2e
