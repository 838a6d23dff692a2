// The GDI+ drawing the chart window needs, through the flat API: caption fonts and smooth
// series curves. GDI+ must be started by the program.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// gdiplus.h needs PROPID, which the lean Windows headers leave out.
#include <objidl.h>
#include <gdiplus.h>

// A point font of `pointSize` in the family 黑体, or the generic sans-serif family when that
// family or font cannot be made (a machine without CJK fonts); null when neither can.
Gdiplus::GpFont* CreateChartCaptionFont(float pointSize);

// An anti-aliased cardinal curve through `points` in ARGB(255, colour) with a pen `width`
// wide (world units). Nothing for fewer than two points.
void DrawSmoothSeries(HDC dc, const POINT* points, int count, COLORREF color, int width);
