#include "app_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

AppSettings LoadFrom(const std::string& xml) {
    XMLParser document;
    document.LoadBuffer(xml.data(), xml.size());
    AppSettings settings;
    LoadSettings(document, settings);
    return settings;
}

using Gates = std::vector<uint16_t>;

} // namespace

TEST(Settings, DefaultsWithoutAnyFile) {
    AppSettings s = LoadFrom("");
    EXPECT_EQ(s.BaudRate, 256000);
    EXPECT_EQ(s.DebugMode, 1);
    EXPECT_EQ(s.GateCountMax, 9);
    EXPECT_DOUBLE_EQ(s.DistanceMax, 6.75);
    EXPECT_EQ(s.MotionGateMax, 9);
    EXPECT_EQ(s.MotionlessGateMax, 9);
    EXPECT_EQ(s.OffTime, 3);
    EXPECT_EQ(s.DistanceUnit, 0);
    EXPECT_EQ(s.DistanceCount, 120);
    EXPECT_EQ(s.MotionSensing, (Gates{50, 50, 40, 40, 40, 40, 30, 30, 30}));
    EXPECT_EQ(s.MotionlessSensing, (Gates{0, 0, 40, 40, 40, 40, 15, 15, 15}));
    EXPECT_EQ(s.MotionWnd.BkColor, 0xFF3C322Au);
    EXPECT_EQ(s.MotionlessWnd.Line1Color, 0xFF00FF00u);
    EXPECT_EQ(s.DistanceWnd.MotionBkColor, 0x3FFF0000u);
    EXPECT_EQ(s.DistanceWnd.LineWidth, 3);
}

TEST(Settings, ClampsOfGatesAndUnit) {
    struct Case {
        const char* attributes;
        int motionGate, motionlessGate, unit;
    } cases[] = {
        {"MotionGateMax='0' MotionlessGateMax='-4'", 1, 1, 0},
        {"MotionGateMax='12' GateCountMax='8'", 8, 8, 0}, // the default 9 is clamped too
        {"MotionGateMax='3' MotionlessGateMax='7'", 3, 7, 0},
        {"DistanceUnit='5'", 9, 9, 2},
        {"DistanceUnit='-1'", 9, 9, 0},
        {"DistanceUnit='1' MotionGateMax=''", 9, 9, 1},
    };
    for (const Case& c : cases) {
        AppSettings s = LoadFrom(std::string("<AppConfig ") + c.attributes + "/>");
        EXPECT_EQ(s.MotionGateMax, c.motionGate) << c.attributes;
        EXPECT_EQ(s.MotionlessGateMax, c.motionlessGate) << c.attributes;
        EXPECT_EQ(s.DistanceUnit, c.unit) << c.attributes;
    }
}

TEST(Settings, SensitivityListsOverwriteDefaultsFromGateZero) {
    AppSettings s = LoadFrom("<AppConfig MotionSensing='60;55' MotionlessSensing='1,2;3,x,,99999,7'/>");
    EXPECT_EQ(s.MotionSensing, (Gates{60, 55, 40, 40, 40, 40, 30, 30, 30}));
    // Unparsable and empty entries keep their defaults; later ones still land on their gate.
    EXPECT_EQ(s.MotionlessSensing, (Gates{1, 2, 3, 40, 40, 40, 7, 15, 15}));

    s = LoadFrom("<AppConfig GateCountMax='3' MotionSensing='1;2;3;4;5'/>");
    EXPECT_EQ(s.MotionSensing, (Gates{1, 2, 3}));
    EXPECT_EQ(s.MotionlessSensing, (Gates{0, 0, 40}));
}

TEST(Settings, GateCountOfZeroOrLessLeavesTheArraysAbsent) {
    for (const char* count : {"0", "-3"}) {
        AppSettings s = LoadFrom(std::string("<AppConfig GateCountMax='") + count + "' MotionSensing='5'/>");
        EXPECT_TRUE(s.MotionSensing.empty()) << count;
        EXPECT_TRUE(s.MotionlessSensing.empty()) << count;
        EXPECT_EQ(s.MotionGateMax, 1) << count;
        EXPECT_EQ(s.MotionlessGateMax, 1) << count;
    }
}

TEST(Settings, GatesPastTheDefaultTablesTakeTheLastGatesValue) {
    AppSettings s = LoadFrom("<AppConfig GateCountMax='12' MotionSensing='1;2;3;4;5;6;7;8;9;10'/>");
    EXPECT_EQ(s.MotionSensing, (Gates{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30, 30}));
    EXPECT_EQ(s.MotionlessSensing, (Gates{0, 0, 40, 40, 40, 40, 15, 15, 15, 15, 15, 15}));
    EXPECT_DOUBLE_EQ(s.DistanceMax, 6.75); // not recomputed from the gate count
}

TEST(Settings, GateCountIsCappedAtWhatTheWireCanAddress) {
    AppSettings s = LoadFrom("<AppConfig GateCountMax='2000000000' MotionGateMax='300'/>");
    EXPECT_EQ(s.GateCountMax, kMaxGateCount);
    EXPECT_EQ(s.MotionSensing.size(), size_t(kMaxGateCount));
    EXPECT_EQ(s.MotionGateMax, kMaxGateCount);
}

TEST(Settings, ScalarKeysAndNotations) {
    AppSettings s = LoadFrom("<AppConfig BaudRate='115200' DebugMode='0' DistanceMax='4.5' OffTime='0x1E' "
                             "DistanceCount='abc' DistanceUnit=' 1 '/>");
    EXPECT_EQ(s.BaudRate, 115200);
    EXPECT_EQ(s.DebugMode, 0);
    EXPECT_DOUBLE_EQ(s.DistanceMax, 4.5);
    EXPECT_EQ(s.OffTime, 30);
    EXPECT_EQ(s.DistanceCount, 120); // not a number: default kept
    EXPECT_EQ(s.DistanceUnit, 1);

    EXPECT_DOUBLE_EQ(LoadFrom("<AppConfig DistanceMax='6'/>").DistanceMax, 6.0);
    EXPECT_DOUBLE_EQ(LoadFrom("<AppConfig DistanceMax='far'/>").DistanceMax, 6.75);
}

// Values nobody means are replaced by what the program can show and the module can take.
TEST(Settings, AbsurdValuesBecomeSaneOnes) {
    struct Case {
        const char* attributes;
        int32_t baudRate, offTime, lineWidth;
        double distanceMax;
    };
    const Case cases[] = {
        {"BaudRate='-5' OffTime='-1' DistanceMax='-3'", 256000, 0, 3, 6.75},
        {"BaudRate='0' OffTime='99999999999' DistanceMax='1e308'", 256000, 3, 3, kMaxGateCount * 0.75},
        {"BaudRate='0x3E800' OffTime='0x7FFFFFFF' DistanceMax='nan'", 256000, kMaxOffTime, 3, 6.75},
        {"DistanceMax='inf' OffTime='65536'", 256000, kMaxOffTime, 3, 6.75},
    };
    for (const Case& c : cases) {
        AppSettings s = LoadFrom(std::string("<AppConfig ") + c.attributes + "/>");
        EXPECT_EQ(s.BaudRate, c.baudRate) << c.attributes;
        EXPECT_EQ(s.OffTime, c.offTime) << c.attributes;
        EXPECT_EQ(s.DistanceWnd.LineWidth, c.lineWidth) << c.attributes;
        EXPECT_DOUBLE_EQ(s.DistanceMax, c.distanceMax) << c.attributes;
    }
    EXPECT_EQ(LoadFrom("<AppConfig><DistanceWnd LineWidth='-40'/></AppConfig>").DistanceWnd.LineWidth, 1);
    EXPECT_EQ(LoadFrom("<AppConfig><DistanceWnd LineWidth='400'/></AppConfig>").DistanceWnd.LineWidth,
              kMaxLineWidth);
    AppSettings s =
        LoadFrom("<AppConfig GateCountMax='-9' MotionGateMax='99999999999999' MotionlessGateMax='-4'/>");
    EXPECT_EQ(s.MotionGateMax, 1);
    EXPECT_EQ(s.MotionlessGateMax, 1);
}

TEST(Settings, ChartElementsFoundWithoutCaseAndOnlyTheFirstCounts) {
    AppSettings s = LoadFrom("<AppConfig>"
                             "<motionwnd BkColor='0xFF010203' LINEWIDTH='2' Line0Color='0x00FF00FF'/>"
                             "<MotionWnd BkColor='0xFF999999' Line1Color='1'/>"
                             "<MotionlessWnd DrawBkColor='0x11223344'/>"
                             "<DistanceWnd NoBodyBkColor='0x80000000' MotionBkColor='-1' LineColor='255'/>"
                             "</AppConfig>");
    EXPECT_EQ(s.MotionWnd.BkColor, 0xFF010203u);
    EXPECT_EQ(s.MotionWnd.LineWidth, 2);
    EXPECT_EQ(s.MotionWnd.Line0Color, 0x00FF00FFu);
    EXPECT_EQ(s.MotionWnd.Line1Color, 0xFF00FF00u); // only in the second MotionWnd: ignored
    EXPECT_EQ(s.MotionlessWnd.DrawBkColor, 0x11223344u);
    EXPECT_EQ(s.DistanceWnd.NoBodyBkColor, 0x80000000u);
    EXPECT_EQ(s.DistanceWnd.MotionBkColor, 0xFFFFFFFFu);
    EXPECT_EQ(s.DistanceWnd.LineColor, 255u);
    EXPECT_EQ(s.DistanceWnd.BkColor, 0xFFFFFFFFu);
}

// Reset: what the document holds replaces the parameters, what it lacks keeps the values in
// use, and the sensitivity lists fall back to their default tables.
TEST(Settings, ParameterSettingsForReset) {
    AppSettings s;
    s.GateCountMax = 12; // as a read from a twelve-gate module left it
    s.MotionGateMax = 5;
    s.OffTime = 10;
    s.DistanceCount = 60;
    s.MotionSensing.assign(12, 77);
    XMLParser document;
    const std::string xml = "<AppConfig MotionGateMax='0' MotionlessGateMax='40' DistanceUnit='7' "
                            "MotionlessSensing='1,2'/>";
    ASSERT_TRUE(document.LoadBuffer(xml.data(), xml.size()));
    LoadParameterSettings(document, s);
    EXPECT_EQ(s.GateCountMax, 12);
    EXPECT_EQ(s.MotionGateMax, 1);      // clamped up from 0
    EXPECT_EQ(s.MotionlessGateMax, 12); // clamped down to the gate count
    EXPECT_EQ(s.OffTime, 10);
    EXPECT_EQ(s.DistanceCount, 60);
    EXPECT_EQ(s.DistanceUnit, 2);
    EXPECT_EQ(s.MotionSensing, (Gates{50, 50, 40, 40, 40, 40, 30, 30, 30, 30, 30, 30}));
    EXPECT_EQ(s.MotionlessSensing, (Gates{1, 2, 40, 40, 40, 40, 15, 15, 15, 15, 15, 15}));
}
