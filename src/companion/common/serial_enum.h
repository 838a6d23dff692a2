// Listing the serial ports that are present.
#pragma once

#include "ptr_containers.h"

// Appends one heap-allocated wide port name per present port to `list` and returns how
// many were added. On Windows the names come from HKLM\HARDWARE\DEVICEMAP\SERIALCOMM in the
// registry's own order ("COM3"); elsewhere they are the device paths of the serial devices
// that exist ("/dev/ttyUSB0"), in natural order. No ports (or no key) gives 0.
int EnumSerialPortNameW(CPtrListCtrl* list);

// Frees every name in `list` and empties it.
void FreeSerialPortNameA(CPtrListCtrl* list);

// Takes ownership of a copy of `name` into `list`; shared by the per-OS listings.
void AppendSerialPortName(CPtrListCtrl* list, const wchar_t* name);
