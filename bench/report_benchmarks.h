// The benchmarks' names and the facts their ratios are built on.
#pragma once

#include <cstddef>

inline constexpr size_t kStreamBytes = 1 << 20;
inline constexpr size_t kEngineeringFrameBytes = 45; // nine gates, as the module sends them
inline constexpr double kWireBitsPerByte = 10;       // start, eight data bits, stop
inline constexpr double kWireBaud = 256000;

inline constexpr char kMemcpyBenchmark[] = "MemcpyStream";
inline constexpr char kScanBenchmark[] = "ScanStream";
inline constexpr char kReportPathBenchmark[] = "ReportPathPerFrame";
