// Drawing into raw pixel buffers (rows top to bottom, `stride` bytes apart) and the
// rectangle helpers that go with it.
#pragma once

#include "win_types.h"

// Series colours, COLORREF (red in the low byte): series i takes [i % 5][(i / 5) % 10].
extern const COLORREF gCommonColorTable[5][10];

// Fills `rect` of a 32-bit buffer of `height` rows with the pixel word `color`. The
// rectangle is clipped on every edge: to the width that `stride` gives and to the rows, so
// any rectangle (one made from data included) stays inside the buffer.
void DrawColorOnBuffer(DWORD color, void* pixels, const RECT* rect, int stride, int height);

// Draws the line from `from` to `to`, both ends included, into a `width` x `height` buffer
// of `bytesPerPixel` (3 or 4) bytes per pixel. Pixel k along the line takes
// colors[k % patternLength], counted from `from` even where the line is clipped. `flags`
// is reserved (0).
void DrawLineOnBuffer(void* pixels, POINT from, POINT to, int width, int height, int stride,
                      int bytesPerPixel, int patternLength, const DWORD* colors, int flags);

// Writes into *out the part of `requested` that lies inside `bounds`; an empty rectangle
// (all zero) when they do not meet. Returns whether the result is not empty.
BOOL BoundRect(RECT* out, const RECT* requested, const RECT* bounds);

// Sets `rect` from its top-left corner and size.
void SetRectXY(RECT* rect, int x, int y, int width, int height);

#ifdef _WIN32
// Creates a DIB section of `bitsPerPixel` (16, 24 or 32) and returns its handle, with the
// pixel pointer in *bits when `bits` is not null. A positive height gives rows from top to
// bottom (what the buffer functions above expect), a negative one rows from bottom to top.
// `section` and `offset` are handed to CreateDIBSection (normally 0, 0).
HBITMAP CreateHBitmap(void** bits, int width, int height, int bitsPerPixel, HANDLE section, DWORD offset);
#endif
