// The arithmetic of proportional re-layout: every child keeps its recorded place and font
// scaled by the change of the parent's client size since recording.
#pragma once

#include "win_types.h"

struct ResizeFactors {
    double horizontal = 1.0;
    double vertical = 1.0;
    double font = 1.0; // the smaller of the two, so text never outgrows its control
};

// Factors for a client of cx x cy recorded at recordedWidth x recordedHeight; with
// keepAspect both directions take the smaller factor. A recorded size of 0 in a direction
// (nothing sensible to scale from) gives a factor of 1 there.
ResizeFactors ComputeResizeFactors(int recordedWidth, int recordedHeight, int cx, int cy, bool keepAspect);

// The recorded rectangle scaled; corners are truncated, so the same size always gives the
// same rectangle and the recorded size gives the recorded rectangle back.
RECT ScaleRect(const RECT& recorded, const ResizeFactors& factors);

// A font height or width scaled by the font factor (truncated toward zero).
LONG ScaleFontMetric(LONG recorded, const ResizeFactors& factors);
