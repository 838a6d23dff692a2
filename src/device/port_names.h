// What the port list keeps of a serial port's name.
#pragma once

// The port number of a name such as "COM12": the decimal number that starts after the first
// three characters. -1 when no number stands there (the list then offers no device).
int PortNumberFromName(const wchar_t* name);
