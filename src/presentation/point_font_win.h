// A GDI font sized in tenths of a point for the screen: the chart's axis labels are sized
// that way.
#pragma once

#include "gdi_objects.h"

// Replaces `font` with a regular font of `tenthsOfPoint` / 10 points in `face`.
BOOL CreatePointFont(CFont* font, int tenthsOfPoint, const wchar_t* face);
