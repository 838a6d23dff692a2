#include "app_settings.h"

#include "config_file.h"
#include "number_parse.h"

#include <algorithm>
#include <cmath>

const uint16_t kDefaultMotionSensitivity[kDefaultGateCount] = {50, 50, 40, 40, 40, 40, 30, 30, 30};
const uint16_t kDefaultMotionlessSensitivity[kDefaultGateCount] = {0, 0, 40, 40, 40, 40, 15, 15, 15};

AppSettings::AppSettings() {
    RebuildSensitivity(MotionSensing, kDefaultMotionSensitivity, GateCountMax, nullptr);
    RebuildSensitivity(MotionlessSensing, kDefaultMotionlessSensitivity, GateCountMax, nullptr);
}

void RebuildSensitivity(std::vector<uint16_t>& array, const uint16_t (&defaults)[kDefaultGateCount],
                        int gateCount, const char* listText) {
    array.clear();
    array.shrink_to_fit();
    if (gateCount < 1)
        return;
    gateCount = std::min(gateCount, kMaxGateCount);
    array.resize(size_t(gateCount));
    for (int gate = 0; gate < gateCount; ++gate)
        array[size_t(gate)] = defaults[std::min(gate, kDefaultGateCount - 1)];
    ParseDigitalArrayValue(listText, -1, ",;", 2, 0, DIGITAL_TYPE_UINT16, array.data(), gateCount);
}

namespace {

// Parses the attribute into `field` when it is present and not empty.
void ReadKey(const XMLNode& element, const char* key, void* field, int type) {
    const char* text = element.FindAttribute(key);
    if (text != nullptr && *text != '\0')
        DigtalStringToValue(text, -1, field, type);
}

// A module without gates (a count of 0 or less: no sensitivity lists) still shows gate 0.
void ClampGate(int32_t& gate, int32_t gateCount) {
    gate = std::clamp(gate, 1, std::max(gateCount, 1));
}

void ReadEnergyChart(const XMLNode& element, EnergyChartSettings& chart) {
    ReadKey(element, "BkColor", &chart.BkColor, DIGITAL_TYPE_INT32);
    ReadKey(element, "DrawBkColor", &chart.DrawBkColor, DIGITAL_TYPE_COLOR32);
    ReadKey(element, "LineWidth", &chart.LineWidth, DIGITAL_TYPE_INT32);
    ReadKey(element, "Line0Color", &chart.Line0Color, DIGITAL_TYPE_COLOR32);
    ReadKey(element, "Line1Color", &chart.Line1Color, DIGITAL_TYPE_COLOR32);
}

} // namespace

void LoadParameterSettings(const XMLParser& document, AppSettings& s) {
    XMLNode root = FindAppConfig(document);
    ReadKey(root, "GateCountMax", &s.GateCountMax, DIGITAL_TYPE_INT32);
    s.GateCountMax = std::min(s.GateCountMax, kMaxGateCount);

    ReadKey(root, "MotionGateMax", &s.MotionGateMax, DIGITAL_TYPE_INT32);
    ClampGate(s.MotionGateMax, s.GateCountMax);
    ReadKey(root, "MotionlessGateMax", &s.MotionlessGateMax, DIGITAL_TYPE_INT32);
    ClampGate(s.MotionlessGateMax, s.GateCountMax);

    ReadKey(root, "OffTime", &s.OffTime, DIGITAL_TYPE_INT32);
    s.OffTime = std::clamp(s.OffTime, 0, kMaxOffTime);
    RebuildSensitivity(s.MotionSensing, kDefaultMotionSensitivity, s.GateCountMax,
                       root.FindAttribute("MotionSensing"));
    RebuildSensitivity(s.MotionlessSensing, kDefaultMotionlessSensitivity, s.GateCountMax,
                       root.FindAttribute("MotionlessSensing"));
    ReadKey(root, "DistanceCount", &s.DistanceCount, DIGITAL_TYPE_INT32);
    ReadKey(root, "DistanceUnit", &s.DistanceUnit, DIGITAL_TYPE_INT32);
    s.DistanceUnit = std::clamp(s.DistanceUnit, 0, 2);
}

void LoadSettings(const XMLParser& document, AppSettings& s) {
    XMLNode root = FindAppConfig(document);
    ReadKey(root, "BaudRate", &s.BaudRate, DIGITAL_TYPE_INT32);
    ReadKey(root, "DebugMode", &s.DebugMode, DIGITAL_TYPE_INT32);
    if (s.BaudRate <= 0)
        s.BaudRate = AppSettings().BaudRate;
    ReadKey(root, "DistanceMax", &s.DistanceMax, DIGITAL_TYPE_DOUBLE);
    // The chart's scale: the farthest a module of the most gates sees, at most.
    if (!std::isfinite(s.DistanceMax) || s.DistanceMax <= 0)
        s.DistanceMax = AppSettings().DistanceMax;
    s.DistanceMax = std::min(s.DistanceMax, kMaxGateCount * 0.75);
    LoadParameterSettings(document, s);

    ReadEnergyChart(root.FindChild("MotionWnd"), s.MotionWnd);
    ReadEnergyChart(root.FindChild("MotionlessWnd"), s.MotionlessWnd);

    XMLNode distance = root.FindChild("DistanceWnd");
    ReadKey(distance, "BkColor", &s.DistanceWnd.BkColor, DIGITAL_TYPE_INT32);
    ReadKey(distance, "NoBodyBkColor", &s.DistanceWnd.NoBodyBkColor, DIGITAL_TYPE_COLOR32);
    ReadKey(distance, "MotionBkColor", &s.DistanceWnd.MotionBkColor, DIGITAL_TYPE_COLOR32);
    ReadKey(distance, "MotionlessBkColor", &s.DistanceWnd.MotionlessBkColor, DIGITAL_TYPE_COLOR32);
    ReadKey(distance, "LineWidth", &s.DistanceWnd.LineWidth, DIGITAL_TYPE_INT32);
    s.DistanceWnd.LineWidth = std::clamp(s.DistanceWnd.LineWidth, 1, kMaxLineWidth);
    ReadKey(distance, "LineColor", &s.DistanceWnd.LineColor, DIGITAL_TYPE_COLOR32);
}

bool SaveSettings(XMLParser& document, const AppSettings& s, const char* path) {
    XMLNode root = FindAppConfig(document);
    if (!root.IsNull()) {
        root.SetAttributeInt64("BaudRate", s.BaudRate);
        root.SetAttributeInt64("DebugMode", s.DebugMode);
    }
    return document.SaveFile(path);
}
