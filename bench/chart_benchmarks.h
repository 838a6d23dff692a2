// The distance chart's repaint cost against the length of the history it shows.
#pragma once

inline constexpr int kPlotWidth = 1000;
inline constexpr int kPlotHeight = 300;
inline constexpr int kShortHistory = 1000;  // samples
inline constexpr int kLongHistory = 432000; // 12 hours at ten reports a second
inline constexpr int kHistorySpanMs = 43'200'000;

inline constexpr char kShortRepaintBenchmark[] = "DistanceRepaint/1000";
inline constexpr char kLongRepaintBenchmark[] = "DistanceRepaint/432000";
