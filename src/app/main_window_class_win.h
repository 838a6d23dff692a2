// The window class the main dialog's template names.
#pragma once

#include "win_types.h"

// Registers "KOVA_Tevo512Tool", a copy of the standard dialog class, for `instance`; true
// when it is registered (also when it already was).
bool RegisterMainWindowClass(HINSTANCE instance);
