// The distance chart's picture of the recent past: presence bands behind the detected
// distance, rebuilt from the time-stamped samples of the reporting run.
#pragma once

#include "distance_samples.h"
#include "win_types.h"

#include <cstdint>
#include <functional>

// Pixel words (0xAARRGGBB) of the three presence bands.
struct DistanceBandColors {
    uint32_t noBody;
    uint32_t moving;
    uint32_t motionless;
};

// `over` blended over `base`: alpha = a1 + a0 - a1*a0/255, each channel
// x0 + (x1 - x0) * a1 / a0, all modulo 256. A transparent base (a0 = 0) would divide by zero:
// the result is then `over`'s own channels with the blended alpha.
uint32_t BlendPixelWords(uint32_t over, uint32_t base);

// The no-one colour as it is, the moving and motionless colours blended over it.
DistanceBandColors MakeDistanceBandColors(uint32_t noBodyBk, uint32_t motionBk, uint32_t motionlessBk);

// The span the chart covers, in ms: count seconds (unit 0), minutes (1) or hours (2). Formed
// in 64 bits so that no count from the configuration file can overflow it; an unknown unit
// counts seconds, a count below 1 gives a span of 1 ms so that nothing divides by zero.
int64_t StatisticsSpanMs(int32_t unit, int32_t count);

// The horizontal axis of the distance chart: it runs 0 .. rangeEnd in `captionUnit`
// (0 second, 1 minute, 2 hour), the unit its caption names. Short spans are shown in the
// next smaller unit.
struct DistanceTimeAxis {
    int32_t rangeEnd;
    int32_t captionUnit;
};
DistanceTimeAxis MakeDistanceTimeAxis(int32_t unit, int32_t count);

// Removes (and deletes) the samples whose time + span lies before `now`, under the list's
// lock; sets the changed flag when any went. Returns how many were removed. The list is in
// arrival order, so the expired ones are a prefix and go in one removal.
int PruneDistanceSamples(DistanceSampleList& list, uint32_t now, int64_t spanMs);

// The per-column walk over the samples (in time order): column x stands for
// first + x * span / w; it takes the nearest sample at or after the cursor (ties to the earlier
// one), paints its band colour into row[x..] and its distance into values[x..] for the run
// up to the next sample, and never writes past column w - 1; columns after the last sample
// show no one. The caller holds the list's lock. The search gallops through the list's times
// from each column's likely place, so a long history costs about as much as a short one.
void ScanDistanceColumns(const DistanceSampleList& samples, int64_t spanMs, const DistanceBandColors& colors,
                         uint32_t* row, double* values, int w);

// Paints the bands into the plot rectangle of a 32-bit layer (`bufferWidth` x `bufferHeight`
// pixels, rows top to bottom) and hands the per-column distances (plot-width values) to
// `appendSeries`, all under the sample lock. Does nothing for a null layer or an empty list
// (the plot keeps its plain background). Returns whether it painted.
bool PaintDistanceBackground(DistanceSampleList& list, uint32_t* pixels, int bufferWidth, int bufferHeight,
                             const RECT& plot, int64_t spanMs, const DistanceBandColors& colors,
                             const std::function<void(const double* values, int count)>& appendSeries);
