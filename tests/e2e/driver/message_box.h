// Recognising the message boxes a program shows, and which standard icon one carries.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The topmost visible message box of the dialog's process, or nullptr.
HWND FindMessageBox(HWND dialog);
// "error", "warning", "question", "information", "none", or "unknown" for a picture of its own.
std::string IconKind(HWND box);

} // namespace e2e
