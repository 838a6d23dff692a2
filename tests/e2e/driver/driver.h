// Shared pieces of the e2e driver: output, argument parsing and access to the dialog under test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

using Args = std::vector<std::wstring>; // the arguments after the subcommand

// Prints "e2e-driver: MESSAGE" on stderr and exits with status 1.
[[noreturn]] void Fail(const std::string& message);

std::string Utf8(const std::wstring& text);
std::string Hex(unsigned long long value);
void Print(const std::string& utf8); // as it stands, no newline added
void PrintLine(const std::string& utf8);

int ParseInt(const std::wstring& text, const char* what);
// Argument INDEX as milliseconds, or FALLBACK when it is absent.
DWORD TimeoutArg(const Args& args, size_t index, DWORD fallback);
// Polls CONDITION until it holds or MS have passed; returns whether it held.
bool WaitFor(DWORD ms, const std::function<bool()>& condition);

// The dialog under test: the top-level window of class KOVA_E2E_CLASS (default "KOVA_Tevo512Tool").
std::wstring DialogClass();
HWND FindDialog();                           // nullptr when there is none
HWND Dialog();                               // fails when there is none
HWND Control(int id);                        // fails when there is none
HWND EnabledControl(int id);                 // fails unless a user could reach it (visible and enabled)
std::vector<HWND> OwnedDialogs(HWND dialog); // visible "#32770" windows of the dialog's process

std::wstring ClassOf(HWND window);
// SendMessageTimeout that fails the command when the window does not answer in time.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring TextOf(HWND window);
// Posts the notification a control sends its parent, as if the user had acted on it.
void Notify(HWND control, WORD code);

} // namespace e2e
