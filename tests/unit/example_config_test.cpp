// The example configuration that goes into the package: users copy it to appConfig.xml, so it
// must parse, name every setting the program reads and give each exactly its default.
#include "app_settings.h"
#include "config_file.h"
#include "ui_language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadExample() {
    std::ifstream file(KOVA_EXAMPLE_CONFIG, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

template <typename T> void Line(std::ostringstream& out, const char* key, const T& value) {
    out << key << '=' << value << '\n';
}

// Colour words as they are written in the file.
std::string Hex(uint32_t colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", colour);
    return text;
}

std::string Gates(const std::vector<uint16_t>& gates) {
    std::string text;
    for (uint16_t value : gates)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

void DescribeEnergyChart(std::ostringstream& out, const char* name, const EnergyChartSettings& chart) {
    out << name << ": ";
    Line(out, "BkColor", Hex(chart.BkColor));
    Line(out, "DrawBkColor", Hex(chart.DrawBkColor));
    Line(out, "LineWidth", chart.LineWidth);
    Line(out, "Line0Color", Hex(chart.Line0Color));
    Line(out, "Line1Color", Hex(chart.Line1Color));
}

// One "key=value" line a field, so that a difference names its key.
std::string Describe(const AppSettings& s) {
    std::ostringstream out;
    Line(out, "BaudRate", s.BaudRate);
    Line(out, "DebugMode", s.DebugMode);
    Line(out, "GateCountMax", s.GateCountMax);
    Line(out, "MotionSensing", Gates(s.MotionSensing));
    Line(out, "MotionlessSensing", Gates(s.MotionlessSensing));
    Line(out, "DistanceMax", s.DistanceMax);
    Line(out, "MotionGateMax", s.MotionGateMax);
    Line(out, "MotionlessGateMax", s.MotionlessGateMax);
    Line(out, "OffTime", s.OffTime);
    Line(out, "DistanceUnit", s.DistanceUnit);
    Line(out, "DistanceCount", s.DistanceCount);
    DescribeEnergyChart(out, "MotionWnd", s.MotionWnd);
    DescribeEnergyChart(out, "MotionlessWnd", s.MotionlessWnd);
    const DistanceChartSettings& d = s.DistanceWnd;
    out << "DistanceWnd: ";
    Line(out, "BkColor", Hex(d.BkColor));
    Line(out, "NoBodyBkColor", Hex(d.NoBodyBkColor));
    Line(out, "MotionBkColor", Hex(d.MotionBkColor));
    Line(out, "MotionlessBkColor", Hex(d.MotionlessBkColor));
    Line(out, "LineWidth", d.LineWidth);
    Line(out, "LineColor", Hex(d.LineColor));
    return out.str();
}

void MoveAway(EnergyChartSettings& chart) {
    chart.BkColor = ~chart.BkColor;
    chart.DrawBkColor = ~chart.DrawBkColor;
    chart.LineWidth += 1;
    chart.Line0Color = ~chart.Line0Color;
    chart.Line1Color = ~chart.Line1Color;
}

// Every field away from its default: a key the example leaves out or misspells keeps it.
AppSettings AwayFromDefaults() {
    AppSettings s;
    s.BaudRate = 9600;
    s.DebugMode = 0;
    s.GateCountMax = 4;
    s.DistanceMax = 1.5;
    s.MotionGateMax = 2;
    s.MotionlessGateMax = 3;
    s.OffTime = 30;
    s.DistanceUnit = 2;
    s.DistanceCount = 7;
    MoveAway(s.MotionWnd);
    MoveAway(s.MotionlessWnd);
    DistanceChartSettings& d = s.DistanceWnd;
    d.BkColor = ~d.BkColor;
    d.NoBodyBkColor = ~d.NoBodyBkColor;
    d.MotionBkColor = ~d.MotionBkColor;
    d.MotionlessBkColor = ~d.MotionlessBkColor;
    d.LineWidth += 1;
    d.LineColor = ~d.LineColor;
    return s;
}

class ExampleConfig : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string text = ReadExample();
        ASSERT_FALSE(text.empty()) << "cannot read " << KOVA_EXAMPLE_CONFIG;
        ASSERT_TRUE(document.LoadBuffer(text.data(), text.size())) << "does not parse";
    }
    XMLParser document;
};

} // namespace

TEST_F(ExampleConfig, GivesEverySettingItsDefault) {
    AppSettings loaded = AwayFromDefaults();
    LoadSettings(document, loaded);
    EXPECT_EQ(Describe(loaded), Describe(AppSettings()));
}

// The lists only overwrite the default tables, so a missing list would pass the test above.
TEST_F(ExampleConfig, SpellsOutTheSensitivityListsAndTheLanguage) {
    const XMLNode root = FindAppConfig(document);
    const AppSettings defaults;
    for (auto [key, gates] : {std::pair{"MotionSensing", &defaults.MotionSensing},
                              std::pair{"MotionlessSensing", &defaults.MotionlessSensing}}) {
        const char* text = root.FindAttribute(key);
        ASSERT_NE(text, nullptr) << key;
        EXPECT_EQ(text, Gates(*gates)) << key;
    }
    ASSERT_NE(root.FindAttribute("Language"), nullptr);
    EXPECT_EQ(ChooseUiLanguage(document).languageId, ChooseUiLanguage(nullptr).languageId);
}
