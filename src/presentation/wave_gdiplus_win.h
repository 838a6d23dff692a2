// The GDI+ drawing the chart window needs, through the flat API: caption fonts, smooth
// series curves and the scaled plot picture. GDI+ must be started by the program.
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

// The picture stretched to width x height (32-bit ARGB), or null; the caller deletes it.
// TODO: replace the body with Gdiplus_ResizeBitmap(picture, width, height, 0, 0) once the
// imaging library is built.
Gdiplus::Bitmap* ScalePlotPicture(Gdiplus::Bitmap* picture, int width, int height);

// Copies the (0, 0, width, height) part of the picture, clipped to the picture, as 32-bit
// ARGB rows to `destination`, `stride` bytes apart. False when its pixels cannot be read.
// TODO: replace the body with Gdiplus_GetBitmapBuffer once the imaging library is built.
bool CopyPlotPicture(Gdiplus::Bitmap* picture, int width, int height, void* destination, int stride);
