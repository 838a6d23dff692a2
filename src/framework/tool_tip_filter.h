// The framework's tool tip: one per thread, serving every window that enabled tool tips.
// The message loop shows it mouse messages; it asks the window under the mouse for its tool
// (CWnd::OnToolHitTest) and keeps exactly that one tool registered.
#pragma once

#include "tool_tip_ctrl.h"

// Called for each message before it is dispatched (AfxPreTranslateMessage does).
void AfxRelayToolTipMessage(MSG* msg);

// The thread's tool tip, or null before a window with tool tips saw the mouse.
CToolTipCtrl* AfxGetThreadToolTip();
