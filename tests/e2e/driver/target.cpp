// Finding the dialog under test and its controls, and talking to them across processes.
#include "driver.h"

#include <cstdlib>

namespace e2e {
namespace {

constexpr UINT kAnswerMs = 5000; // a dialog that is busy longer than this counts as hung

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct ChildSearch {
    int id;
    HWND found;
    HWND hiddenFound;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (GetDlgCtrlID(child) != search->id)
        return TRUE;
    if (!IsWindowVisible(child)) {
        if (search->hiddenFound == nullptr)
            search->hiddenFound = child;
        return TRUE;
    }
    search->found = child;
    return FALSE;
}

struct OwnedSearch {
    DWORD pid;
    HWND dialog;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<OwnedSearch*>(context);
    if (window != search->dialog && IsWindowVisible(window) && ProcessOf(window) == search->pid &&
        ClassOf(window) == L"#32770")
        search->found.push_back(window);
    return TRUE;
}

} // namespace

std::wstring DialogClass() {
    const wchar_t* name = _wgetenv(L"KOVA_E2E_CLASS");
    return name != nullptr && *name != L'\0' ? name : L"KOVA_Tevo512Tool";
}

HWND FindDialog() {
    return FindWindowW(DialogClass().c_str(), nullptr);
}

HWND Dialog() {
    HWND dialog = FindDialog();
    if (dialog == nullptr)
        Fail("no window of class " + Utf8(DialogClass()));
    return dialog;
}

std::vector<HWND> OwnedDialogs(HWND dialog) {
    OwnedSearch search{ProcessOf(dialog), dialog, {}};
    EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Control(int id) {
    HWND dialog = Dialog();
    if (HWND direct = GetDlgItem(dialog, id))
        return direct;
    // Controls of child dialogs and of the dialogs the program opens on top (a settings table, a
    // message box) are reached by id too; a visible one wins over a hidden one.
    ChildSearch search{id, nullptr, nullptr};
    EnumChildWindows(dialog, MatchChild, reinterpret_cast<LPARAM>(&search));
    for (HWND owned : OwnedDialogs(dialog)) {
        if (search.found != nullptr)
            break;
        EnumChildWindows(owned, MatchChild, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found != nullptr)
        return search.found;
    if (search.hiddenFound != nullptr)
        return search.hiddenFound;
    Fail("no control " + std::to_string(id) + " in the dialog");
}

HWND EnabledControl(int id) {
    HWND control = Control(id);
    if (!IsWindowVisible(control))
        Fail("control " + std::to_string(id) + " is hidden");
    if (!IsWindowEnabled(control))
        Fail("control " + std::to_string(id) + " is disabled");
    return control;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        Fail("the window did not answer message " + Hex(message) + " (busy in a modal loop?)");
    return LRESULT(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam))
        Fail("cannot post message " + Hex(message));
}

std::wstring TextOf(HWND window) {
    auto length = size_t(Send(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    auto copied = size_t(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

void Notify(HWND control, WORD code) {
    HWND parent = GetAncestor(control, GA_PARENT);
    Post(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

} // namespace e2e
