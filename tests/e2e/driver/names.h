// Symbolic names of virtual keys and dialog button ids on the driver's command line.
#pragma once
#include <string>

namespace e2e {

// "VK_RETURN", "RETURN", "ESCAPE", ... or a number.
int KeyCode(const std::wstring& name);
// "IDOK", "OK", "IDCANCEL", ... or a number.
int ButtonId(const std::wstring& name);
// "IDOK" for 1 and so on; the number itself for ids without a name.
std::string ButtonName(int id);

} // namespace e2e
