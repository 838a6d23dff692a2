// A call that may take a while (an exchange with a device) without freezing the window: the
// work runs on a thread of its own while this thread keeps handling its messages, so the
// window paints, runs its timers and answers other programs meanwhile.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>

// Runs `work` on another thread and returns when it has ended; an exception it threw is
// thrown here. `window` takes no input meanwhile, as under a modal box, and gets back the
// focus it had. A WM_QUIT that arrives meanwhile is posted again afterwards.
void RunOffThisThread(HWND window, const std::function<void()>& work);
