// The settings record: the configuration values the main dialog keeps, named by their
// appConfig.xml keys, with their defaults, and their load from and save into the document.
#pragma once

#include "xml_config.h"

#include <cstdint>
#include <vector>

// Colours and line width of an energy chart (MotionWnd, MotionlessWnd).
struct EnergyChartSettings {
    uint32_t BkColor = 0xFF3C322A;     // pixel word 0xAARRGGBB
    uint32_t DrawBkColor = 0xFF000000; // pixel word
    int32_t LineWidth = 5;
    uint32_t Line0Color = 0xFFFF0000; // top byte cleared: COLORREF
    uint32_t Line1Color = 0xFF00FF00;
};

// Colours and line width of the distance chart (DistanceWnd).
struct DistanceChartSettings {
    uint32_t BkColor = 0xFFFFFFFF;
    uint32_t NoBodyBkColor = 0xFF6A819E;
    uint32_t MotionBkColor = 0x3FFF0000;
    uint32_t MotionlessBkColor = 0x3F00FF00;
    int32_t LineWidth = 3;
    uint32_t LineColor = 0xFFFFFF00;
};

inline constexpr int kDefaultGateCount = 9;
// The gate index is one byte on the wire, so no module has more gates than this.
inline constexpr int kMaxGateCount = 256;
inline constexpr int32_t kMaxOffTime = 65535; // seconds
inline constexpr int32_t kMaxLineWidth = 16;  // pixels
extern const uint16_t kDefaultMotionSensitivity[kDefaultGateCount];
extern const uint16_t kDefaultMotionlessSensitivity[kDefaultGateCount];

struct AppSettings {
    AppSettings();

    int32_t BaudRate = 256000;
    int32_t DebugMode = 1;
    int32_t GateCountMax = kDefaultGateCount;
    // GateCountMax entries each, gate 0 first; empty while GateCountMax is 0 or less.
    std::vector<uint16_t> MotionSensing;
    std::vector<uint16_t> MotionlessSensing;
    double DistanceMax = kDefaultGateCount * 0.75; // metres
    int32_t MotionGateMax = 9;                     // farthest gate, counted from 1
    int32_t MotionlessGateMax = 9;
    int32_t OffTime = 3;      // seconds
    int32_t DistanceUnit = 0; // 0 second, 1 minute, 2 hour
    int32_t DistanceCount = 120;
    EnergyChartSettings MotionWnd;
    EnergyChartSettings MotionlessWnd;
    DistanceChartSettings DistanceWnd;
};

// Rebuilds one sensitivity array: GateCountMax entries from the default table (gates past
// its end take its last entry), then the list "a,b;c..." over them from gate 0 on. A gate
// count of 0 or less leaves the array empty; a null list changes nothing.
void RebuildSensitivity(std::vector<uint16_t>& array, const uint16_t (&defaults)[kDefaultGateCount],
                        int gateCount, const char* listText);

// Reads the AppConfig attributes and chart elements into `settings`, keeping defaults for
// what is missing, and applies the clamps: a BaudRate of 0 or less and a DistanceMax that is
// not a positive number become the defaults, DistanceMax is at most kMaxGateCount gates of
// 0.75 m, the distance line 1..kMaxLineWidth pixels wide.
void LoadSettings(const XMLParser& document, AppSettings& settings);

// Reads the module's parameters and the statistics length from AppConfig (GateCountMax at most
// kMaxGateCount, the farthest gates clamped to 1..GateCountMax (1 when that is below 1), OffTime
// to 0..kMaxOffTime, both sensitivity lists over their default
// tables, DistanceCount, DistanceUnit clamped to 0..2). A missing attribute keeps the value
// `settings` holds, except the sensitivity lists, which fall back to the default tables. The
// start-up load and Reset both use it.
void LoadParameterSettings(const XMLParser& document, AppSettings& settings);

// Writes BaudRate and then DebugMode into AppConfig (when it exists) and saves the file.
// Returns whether the file was written.
bool SaveSettings(XMLParser& document, const AppSettings& settings, const char* path);
