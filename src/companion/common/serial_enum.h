// Listing the serial ports that are present.
#pragma once

#include "ptr_containers.h"

// Appends one heap-allocated wide port name per present port to `list` and returns how
// many were added. On Windows the names come from HKLM\HARDWARE\DEVICEMAP\SERIALCOMM in the
// registry's own order ("COM3"); elsewhere they are the device paths of the serial devices
// that exist ("/dev/ttyUSB0"), in natural order. No ports (or no key) gives 0.
int EnumSerialPortNameW(CPtrListCtrl* list);

#ifndef _WIN32
// The listing itself, over a given sysfs tty class folder and device folder (tests use a
// fake tree).
int EnumSerialPortsUnder(const char* ttyClassDir, const char* deviceDir, CPtrListCtrl* list);
#endif

// Frees every name in `list` and empties it.
void FreeSerialPortNameA(CPtrListCtrl* list);

// Takes ownership of a copy of `name` into `list`; shared by the per-OS listings.
void AppendSerialPortName(CPtrListCtrl* list, const wchar_t* name);
