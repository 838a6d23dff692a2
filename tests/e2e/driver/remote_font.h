// The font a control of another process draws with.
#pragma once
#include <windows.h>

namespace e2e {

// False when the control has no font of its own (it draws with the system font) or the font
// cannot be read.
bool RemoteFont(HWND control, LOGFONTW& font);

} // namespace e2e
