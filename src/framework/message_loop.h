// The thread's message pump: windows of ours see keyboard and mouse messages before they
// are dispatched (PreTranslateMessage), so dialogs get their keyboard navigation.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Offers the message to our windows from its target up to its top-level window; true when
// one of them consumed it.
bool AfxPreTranslateMessage(MSG* msg);

// Waits for one message and dispatches it; false when it was WM_QUIT, whose code goes to
// `exitCode`.
bool AfxPumpMessage(int* exitCode);

// Pumps until WM_QUIT; returns its code.
int AfxRunMessageLoop();
