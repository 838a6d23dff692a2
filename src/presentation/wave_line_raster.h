// A chart's series line drawn straight into the frame's pixels: the pixels whose centre lies
// within half the width of the polyline, which is what a wide GDI pen (round ends and joins)
// paints. GDI's wide pens take a slow path under Wine (several milliseconds for the distance
// chart's line, drawn at the report rate); this costs a few microseconds.
#pragma once

#include "win_types.h"

#include <cstdint>

// Draws `count` points joined by segments `lineWidth` pixels wide (at least 1) in `pixel` into
// a top-down 32-bit buffer of `width` x `height` pixels (stride `width`), clipped to it.
void DrawWidePolyline(uint32_t* pixels, int width, int height, const POINT* points, int count, int lineWidth,
                      uint32_t pixel);
