// msgbox and msgbox-answer: the message boxes the program opens.
#include "commands.h"
#include "message_box.h"
#include "names.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 5000;
constexpr int kTextId = 0xFFFF;

HWND WaitForMessageBox(DWORD ms) {
    HWND dialog = Dialog();
    HWND box = nullptr;
    if (!WaitFor(ms, [&] { return (box = FindMessageBox(dialog)) != nullptr; }))
        Fail("no message box");
    return box;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM context) {
    auto* names = reinterpret_cast<std::string*>(context);
    if (IsWindowVisible(child) && ClassOf(child) == L"Button") {
        if (!names->empty())
            names->append(" ");
        names->append(ButtonName(GetDlgCtrlID(child)));
    }
    return TRUE;
}

} // namespace

int MsgBox(const Args& args) {
    HWND box = WaitForMessageBox(TimeoutArg(args, 0, kWaitMs));
    std::string buttons;
    EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    PrintLine("caption=" + Utf8(TextOf(box)));
    PrintLine("icon=" + IconKind(box));
    PrintLine("buttons=" + buttons);
    // Last, because the text may run over several lines.
    PrintLine("text=" + Utf8(TextOf(GetDlgItem(box, kTextId))));
    return 0;
}

int MsgBoxAnswer(const Args& args) {
    int id = ButtonId(args[0]);
    HWND box = WaitForMessageBox(TimeoutArg(args, 1, kWaitMs));
    HWND button = GetDlgItem(box, id);
    if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button))
        Fail("the message box has no button " + ButtonName(id));
    Post(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    // Gone before returning, so that the next look finds the next box and not this one.
    if (!WaitFor(kWaitMs, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        Fail("the message box stayed open");
    return 0;
}

} // namespace e2e
