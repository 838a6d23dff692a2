// Number parsing for configuration texts.
//
// Accepted notation: optional blanks, an optional sign, then decimal digits or "0x"/"0X"
// and hexadecimal digits (so colour words such as 0xFF3C322A can be written by hand),
// then optional blanks. The 64-bit floating type takes decimal notation with a fraction
// and exponent ("6.75", "-1e2"). Anything else is not a number: the destination is left
// unchanged and the call returns FALSE.
#pragma once

#include "win_types.h"

enum DigitalValueType {
    DIGITAL_TYPE_UINT16 = 4,  // uint16_t, 0..65535
    DIGITAL_TYPE_INT32 = 5,   // int32_t; -2^31..2^32-1, stored as its 32-bit pattern
    DIGITAL_TYPE_COLOR32 = 6, // uint32_t; same range and storage as type 5
    DIGITAL_TYPE_DOUBLE = 7,  // double, finite values only
};

// Bytes one value of `type` occupies, 0 for an unknown type.
int DigitalValueSize(int type);

// Parses `length` characters of `text` (-1: zero-terminated) into *destination.
BOOL DigtalStringToValue(const char* text, int length, void* destination, int type);

// Splits `text` (null: nothing happens; `length` -1: zero-terminated) at any of the
// `separatorCount` characters in `separators` and parses piece i into entry i of the
// `destination` array, for at most `capacity` pieces. An empty or unparsable piece leaves
// its entry unchanged. `flags` is reserved (0). Returns the number of entries written.
int ParseDigitalArrayValue(const char* text, int length, const char* separators, int separatorCount,
                           int flags, int type, void* destination, int capacity);
