// e2e-driver: drives a running program's dialog from outside, one action per call.
// Usage: e2e-driver SUBCOMMAND ARGS...; results go to stdout, failures to stderr with status 1.
#include "commands.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

namespace {

struct Subcommand {
    const wchar_t* name;
    size_t minArgs;
    size_t maxArgs;
    int (*run)(const e2e::Args&);
    const char* usage;
};

constexpr Subcommand kSubcommands[] = {
    {L"wait-window", 1, 2, e2e::WaitWindow,
     "wait-window CLASS [ms]   until a window of CLASS shows; prints its handle"},
    {L"wait-exit", 0, 1, e2e::WaitExit, "wait-exit [ms]           until the dialog is gone"},
    {L"title", 0, 0, e2e::Title, "title                    the dialog's title"},
    {L"close", 0, 0, e2e::Close, "close                    posts WM_CLOSE to the dialog"},
    {L"resize", 2, 2, e2e::Resize, "resize W H               sets the window size; prints the client size"},
    {L"minimize", 0, 0, e2e::Minimize, "minimize"},
    {L"restore", 0, 0, e2e::Restore, "restore                  prints the client size"},
    {L"mouse", 2, 2, e2e::Mouse, "mouse X Y                moves the pointer to that screen position"},
    {L"popup", 1, 1, e2e::Popup,
     "popup CLASS              a visible popup of the dialog's thread: x y w h, or none"},
    {L"rect", 0, 1, e2e::Rect,
     "rect [ID]                x y w h font-height (client coordinates; '-' for no font)"},
    {L"get-text", 1, 1, e2e::GetText, "get-text ID"},
    {L"set-text", 2, 2, e2e::SetText, "set-text ID TEXT"},
    {L"click", 1, 1, e2e::Click, "click ID                 posts BN_CLICKED (the button must be enabled)"},
    {L"post-click", 1, 1, e2e::PostClick,
     "post-click ID            posts BN_CLICKED whether or not the button is enabled"},
    {L"check", 2, 2, e2e::Check, "check ID 0|1             sets a check box and posts BN_CLICKED"},
    {L"enabled", 1, 1, e2e::Enabled, "enabled ID               1 or 0"},
    {L"checked", 1, 1, e2e::Checked, "checked ID               0, 1 or 2"},
    {L"combo-items", 1, 1, e2e::ComboItems, "combo-items ID           one item a line"},
    {L"combo-select", 2, 2, e2e::ComboSelect, "combo-select ID INDEX|TEXT  selects and posts CBN_SELCHANGE"},
    {L"list-rows", 1, 1, e2e::ListRows, "list-rows ID             one row a line, columns separated by tabs"},
    {L"list-edit", 4, 4, e2e::ListEdit, "list-edit ID ROW COL TEXT  double-click a cell, type TEXT, Enter"},
    {L"type", 2, 2, e2e::Type, "type ID TEXT             focus, then one WM_CHAR per character"},
    {L"paste", 2, 2, e2e::Paste, "paste ID TEXT            focus, then TEXT pasted over the whole text"},
    {L"key", 2, 2, e2e::Key,
     "key ID VK                focus, then WM_KEYDOWN/UP (RETURN, ESCAPE, TAB or a number)"},
    {L"msgbox", 0, 1, e2e::MsgBox, "msgbox [ms]              caption=, icon=, buttons=, text= lines"},
    {L"msgbox-answer", 1, 2, e2e::MsgBoxAnswer,
     "msgbox-answer BUTTON [ms]  IDOK, IDCANCEL, IDYES, IDNO, ...; waits until it closes"},
    {L"screenshot", 1, 1, e2e::Screenshot,
     "screenshot FILE.bmp      the dialog and its boxes as on the screen"},
    {L"ping", 1, 3, e2e::Ping,
     "ping SECONDS [ms] [STOP-FILE]  WM_NULL every ms (100) until STOP-FILE exists: pings=, max_ms=, "
     "p99_ms=, slow= (over 100 ms)"},
};

int Usage() {
    std::fputs("usage: e2e-driver SUBCOMMAND ARGS...   (the dialog: window class $KOVA_E2E_CLASS, "
               "default KOVA_Tevo512Tool; waits default to 5000 ms)\n",
               stderr);
    for (const Subcommand& sub : kSubcommands)
        std::fprintf(stderr, "  %s\n", sub.usage);
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Lines end in "\n" alone, as the shell scripts reading them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2)
        return Usage();
    e2e::Args args(argv + 2, argv + argc);
    for (const Subcommand& sub : kSubcommands) {
        if (std::wcscmp(argv[1], sub.name) != 0)
            continue;
        if (args.size() < sub.minArgs || args.size() > sub.maxArgs) {
            std::fprintf(stderr, "usage: e2e-driver %s\n", sub.usage);
            return 2;
        }
        return sub.run(args);
    }
    std::fprintf(stderr, "e2e-driver: unknown subcommand %s\n", e2e::Utf8(argv[1]).c_str());
    return Usage();
}
