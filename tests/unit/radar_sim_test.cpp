#include "radar_protocol.h"
#include "radar_simulator.h"
#include "sim_faults.h"
#include "sim_model.h"
#include "sim_options.h"
#include "sim_record.h"
#include "sim_replay.h"
#include "sim_report_frame.h"
#include "sim_scenario.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace radarsim;
namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Hex(const char* text) {
    Bytes bytes;
    unsigned value = 0;
    int digits = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int d = *p >= '0' && *p <= '9' ? *p - '0' : *p >= 'A' && *p <= 'F' ? *p - 'A' + 10 : -1;
        if (d < 0)
            continue;
        value = value * 16 + unsigned(d);
        if (++digits == 2) {
            bytes.push_back(uint8_t(value));
            value = 0;
            digits = 0;
        }
    }
    return bytes;
}

Bytes Command(uint16_t word, const Bytes& value = {}) {
    return radar::BuildCommandFrame(word, value.data(), value.size());
}

Bytes ThreeParameters(uint32_t a, uint32_t b, uint32_t c) {
    const uint16_t words[3] = {0, 1, 2};
    const uint32_t values[3] = {a, b, c};
    return radar::BuildParameterValue(words, values, 3);
}

Bytes Join(const std::vector<Frame>& frames) {
    Bytes all;
    for (const Frame& frame : frames)
        all.insert(all.end(), frame.begin(), frame.end());
    return all;
}

// What the model answered to some input.
struct Exchange {
    std::vector<Frame> out;
    std::vector<CommandEvent> events;
};

Exchange Feed(ModuleModel& model, const Bytes& bytes, uint64_t nowMs = 0) {
    Exchange exchange;
    model.Receive(bytes.data(), bytes.size(), nowMs, exchange.out, exchange.events);
    return exchange;
}

Exchange Send(ModuleModel& model, uint16_t word, const Bytes& value = {}, uint64_t nowMs = 0) {
    return Feed(model, Command(word, value), nowMs);
}

// The status word of the one acknowledgement of `word` in `exchange`.
uint16_t StatusOf(const Exchange& exchange, uint16_t word) {
    EXPECT_EQ(exchange.out.size(), 1u);
    if (exchange.out.size() != 1)
        return 0xFFFF;
    radar::CommandFrameView frame;
    size_t consumed = 0;
    const Frame& ack = exchange.out[0];
    EXPECT_EQ(radar::FindCommandFrame(ack.data(), ack.size(), frame, consumed), radar::ScanResult::kFrame);
    radar::AckView view;
    EXPECT_TRUE(radar::ParseAck(frame, view));
    EXPECT_EQ(view.word, word);
    return radar::ReadU16(view.afterWord);
}

ModuleModel CommandModeModel(ModelOptions options = {}) {
    ModuleModel model(options);
    Send(model, radar::kCmdEnterCommandMode, Hex("01 00"));
    EXPECT_TRUE(model.CommandMode());
    return model;
}

// Runs the model's clock from `fromMs` to `toMs` in 1 ms steps and collects the output.
std::vector<Frame> RunFor(ModuleModel& model, uint64_t fromMs, uint64_t toMs) {
    std::vector<Frame> out;
    for (uint64_t t = fromMs; t <= toMs; ++t)
        model.Tick(t, out);
    return out;
}

// Every well-formed report frame in a byte stream.
std::vector<ReportData> Reports(const Bytes& bytes, std::vector<bool>* engineering = nullptr) {
    std::vector<ReportData> reports;
    size_t from = 0, offset = 0, size = 0;
    while (FindReportFrame(bytes.data(), bytes.size(), from, offset, size)) {
        bool eng = false;
        ReportData report;
        if (ParseReportFrame(bytes.data() + offset, size, eng, report)) {
            reports.push_back(report);
            if (engineering != nullptr)
                engineering->push_back(eng);
        }
        from = offset + size;
    }
    return reports;
}

// The data after the acknowledged word (status first) of the first acknowledgement of
// `word` in `bytes`.
std::optional<Bytes> FindAck(const Bytes& bytes, uint16_t word) {
    size_t position = 0;
    while (position < bytes.size()) {
        radar::CommandFrameView frame;
        size_t consumed = 0;
        radar::ScanResult result =
            radar::FindCommandFrame(bytes.data() + position, bytes.size() - position, frame, consumed);
        if (result != radar::ScanResult::kFrame)
            return std::nullopt;
        radar::AckView ack;
        if (radar::ParseAck(frame, ack) && ack.word == word)
            return Bytes(ack.afterWord, ack.afterWord + ack.afterWordSize);
        position += consumed;
    }
    return std::nullopt;
}

void ExpectConsistent(const ReportData& r) {
    EXPECT_LE(r.state, 3);
    bool moving = (r.state & kMovingTarget) != 0;
    bool motionless = (r.state & kMotionlessTarget) != 0;
    EXPECT_EQ(moving, r.movingDistanceCm != 0);
    EXPECT_EQ(motionless, r.motionlessDistanceCm != 0);
    if (!moving) {
        EXPECT_EQ(r.movingEnergy, 0);
    }
    if (!motionless) {
        EXPECT_EQ(r.motionlessEnergy, 0);
    }
    EXPECT_EQ(r.detectionDistanceCm, moving ? r.movingDistanceCm : r.motionlessDistanceCm);
    EXPECT_LE(r.movingEnergy, 100);
    EXPECT_LE(r.motionlessEnergy, 100);
    for (uint8_t e : r.movingGateEnergy)
        EXPECT_LE(e, 100);
    for (uint8_t e : r.motionlessGateEnergy)
        EXPECT_LE(e, 100);
}

} // namespace

// ---------------------------------------------------------------------------------------
// The module's answers

TEST(SimModel, EnterCommandModeAnswersVersionAndBufferSize) {
    ModuleModel model({});
    EXPECT_FALSE(model.CommandMode());
    Exchange e = Send(model, radar::kCmdEnterCommandMode, Hex("01 00"), 7);
    ASSERT_EQ(e.out.size(), 1u);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 08 00 FF 01 00 00 01 00 40 00 04 03 02 01"));
    EXPECT_TRUE(model.CommandMode());
    ASSERT_EQ(e.events.size(), 1u);
    EXPECT_EQ(e.events[0], (CommandEvent{7, 0x00FF, Hex("01 00"), 0}));
}

TEST(SimModel, ReadParametersReturnsTheDefaults) {
    ModuleModel model = CommandModeModel();
    Exchange e = Send(model, radar::kCmdReadParameters);
    ASSERT_EQ(e.out.size(), 1u);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 1C 00 61 01 00 00 AA 08 08 08 32 32 28 28 28 28 1E 1E 1E"
                            "00 00 28 28 28 28 0F 0F 0F 05 00 04 03 02 01"));
}

TEST(SimModel, FirmwareVersionReadsAsV1_02_22062416) {
    ModuleModel model = CommandModeModel();
    Exchange e = Send(model, radar::kCmdReadFirmwareVersion);
    ASSERT_EQ(e.out.size(), 1u);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 0C 00 A0 01 00 00 00 00 02 01 16 24 06 22 04 03 02 01"));
    std::optional<Bytes> ack = FindAck(e.out[0], radar::kCmdReadFirmwareVersion);
    ASSERT_TRUE(ack);
    uint16_t major = radar::ReadU16(ack->data() + 4);
    uint32_t minor = radar::ReadU32(ack->data() + 6);
    char text[32];
    std::snprintf(text, sizeof text, "V%u.%02X.%08X", unsigned(major >> 8), unsigned(major & 0xFF),
                  unsigned(minor));
    EXPECT_STREQ(text, "V1.02.22062416");
}

TEST(SimModel, StartsWithTheFactorySettings) {
    ModuleModel model({});
    ModuleParameters p = model.Parameters();
    EXPECT_EQ(p.gates, 9);
    EXPECT_EQ(p.farthestMovingGate, 8);
    EXPECT_EQ(p.farthestMotionlessGate, 8);
    EXPECT_EQ(p.offTimeSeconds, 5);
    EXPECT_EQ(p.movingSensitivity, (Bytes{50, 50, 40, 40, 40, 40, 30, 30, 30}));
    EXPECT_EQ(p.motionlessSensitivity, (Bytes{0, 0, 40, 40, 40, 40, 15, 15, 15}));
    EXPECT_FALSE(p.engineering);

    ModuleModel twelve({12});
    p = twelve.Parameters();
    EXPECT_EQ(p.gates, 12);
    EXPECT_EQ(p.farthestMovingGate, 11);
    EXPECT_EQ(p.movingSensitivity, (Bytes{50, 50, 40, 40, 40, 40, 30, 30, 30, 30, 30, 30}));
    EXPECT_EQ(p.motionlessSensitivity, (Bytes{0, 0, 40, 40, 40, 40, 15, 15, 15, 15, 15, 15}));

    ModuleModel one({1});
    EXPECT_EQ(one.Parameters().movingSensitivity, (Bytes{50}));
    EXPECT_TRUE(ModelOptions{.engineering = true}.engineering);
    EXPECT_TRUE(ModuleModel(ModelOptions{.engineering = true}).Parameters().engineering);
}

TEST(SimModel, SetsFarthestGatesAndOffTime) {
    ModuleModel model = CommandModeModel();
    Exchange e = Send(model, radar::kCmdSetGatesAndOffTime, ThreeParameters(5, 6, 3));
    ASSERT_EQ(e.out.size(), 1u);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 04 00 60 01 00 00 04 03 02 01"));
    EXPECT_EQ(model.Parameters().farthestMovingGate, 5);
    EXPECT_EQ(model.Parameters().farthestMotionlessGate, 6);
    EXPECT_EQ(model.Parameters().offTimeSeconds, 3);

    // The pairs may come in any order.
    const uint16_t words[3] = {2, 1, 0};
    const uint32_t values[3] = {600, 2, 8};
    EXPECT_EQ(
        StatusOf(Send(model, radar::kCmdSetGatesAndOffTime, radar::BuildParameterValue(words, values, 3)),
                 radar::kCmdSetGatesAndOffTime),
        0);
    EXPECT_EQ(model.Parameters().farthestMovingGate, 8);
    EXPECT_EQ(model.Parameters().farthestMotionlessGate, 2);
    EXPECT_EQ(model.Parameters().offTimeSeconds, 600);

    e = Send(model, radar::kCmdReadParameters);
    std::optional<Bytes> ack = FindAck(Join(e.out), radar::kCmdReadParameters);
    ASSERT_TRUE(ack);
    ASSERT_EQ(ack->size(), 2 + 2 * 8 + 8u);
    EXPECT_EQ((*ack)[3], 8);
    EXPECT_EQ((*ack)[4], 8);
    EXPECT_EQ((*ack)[5], 2);
    EXPECT_EQ(radar::ReadU16(ack->data() + ack->size() - 2), 600);
}

TEST(SimModel, RefusalsLeaveTheParametersUnchanged) {
    struct Case {
        const char* what;
        uint16_t word;
        Bytes value;
    };
    const Bytes good = ThreeParameters(4, 4, 10);
    Bytes shortValue(good.begin(), good.end() - 1);
    Bytes longValue = good;
    longValue.push_back(0);
    const uint16_t repeated[3] = {0, 0, 2};
    const uint16_t unknown[3] = {0, 1, 3};
    const uint32_t values[3] = {4, 4, 10};
    const Case cases[] = {
        {"farthest moving gate 1", 0x0060, ThreeParameters(1, 4, 10)},
        {"farthest moving gate 9", 0x0060, ThreeParameters(9, 4, 10)},
        {"farthest motionless gate 0", 0x0060, ThreeParameters(4, 0, 10)},
        {"farthest motionless gate 9", 0x0060, ThreeParameters(4, 9, 10)},
        {"farthest gate huge", 0x0060, ThreeParameters(0xFFFFFFFF, 4, 10)},
        {"off time beyond 16 bits", 0x0060, ThreeParameters(4, 4, 65536)},
        {"0x0060 value too short", 0x0060, shortValue},
        {"0x0060 value too long", 0x0060, longValue},
        {"0x0060 without value", 0x0060, {}},
        {"0x0060 word twice", 0x0060, radar::BuildParameterValue(repeated, values, 3)},
        {"0x0060 unknown word", 0x0060, radar::BuildParameterValue(unknown, values, 3)},
        {"moving sensitivity 101", 0x0064, ThreeParameters(3, 101, 20)},
        {"motionless sensitivity 101", 0x0064, ThreeParameters(3, 20, 101)},
        {"all gates, sensitivity 255", 0x0064, ThreeParameters(0xFFFF, 255, 20)},
        {"gate 9", 0x0064, ThreeParameters(9, 20, 20)},
        {"gate 0x10000", 0x0064, ThreeParameters(0x10000, 20, 20)},
        {"gate 0xFFFE", 0x0064, ThreeParameters(0xFFFE, 20, 20)},
        {"0x0064 value too short", 0x0064, shortValue},
        {"0x0064 word twice", 0x0064, radar::BuildParameterValue(repeated, values, 3)},
        {"enter with value 02 00", 0x00FF, Hex("02 00")},
        {"enter without value", 0x00FF, {}},
        {"leave with a value", 0x00FE, Hex("01")},
        {"read with a value", 0x0061, Hex("00")},
        {"engineering on with a value", 0x0062, Hex("01 00")},
        {"engineering off with a value", 0x0063, Hex("01 00")},
        {"version with a value", 0x00A0, Hex("00")},
        {"unknown command", 0x0070, {}},
        {"unknown command with a value", 0x1234, Hex("01 02 03")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModuleModel model = CommandModeModel();
        ModuleState before = model.State();
        Exchange e = Send(model, c.word, c.value);
        EXPECT_EQ(StatusOf(e, c.word), 1);
        // A refusal carries no value: header, length, word, status, tail.
        ASSERT_EQ(e.out.size(), 1u);
        EXPECT_EQ(e.out[0].size(), 14u);
        ModuleState after = model.State();
        EXPECT_EQ(after.parameters, before.parameters);
        EXPECT_EQ(after.commandMode, before.commandMode);
        ASSERT_EQ(e.events.size(), 1u);
        EXPECT_EQ(e.events[0].value, c.value);
        EXPECT_EQ(e.events[0].status, std::optional<uint16_t>(1));
    }
}

TEST(SimModel, SetsOneGateOrAllGates) {
    ModuleModel model = CommandModeModel();
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdSetGateSensitivity, ThreeParameters(3, 70, 60)),
                       radar::kCmdSetGateSensitivity),
              0);
    EXPECT_EQ(model.Parameters().movingSensitivity, (Bytes{50, 50, 40, 70, 40, 40, 30, 30, 30}));
    EXPECT_EQ(model.Parameters().motionlessSensitivity, (Bytes{0, 0, 40, 60, 40, 40, 15, 15, 15}));

    EXPECT_EQ(StatusOf(Send(model, radar::kCmdSetGateSensitivity, ThreeParameters(8, 100, 0)),
                       radar::kCmdSetGateSensitivity),
              0);
    EXPECT_EQ(model.Parameters().movingSensitivity[8], 100);
    EXPECT_EQ(model.Parameters().motionlessSensitivity[8], 0);

    EXPECT_EQ(StatusOf(Send(model, radar::kCmdSetGateSensitivity, ThreeParameters(0xFFFF, 25, 35)),
                       radar::kCmdSetGateSensitivity),
              0);
    EXPECT_EQ(model.Parameters().movingSensitivity, Bytes(9, 25));
    EXPECT_EQ(model.Parameters().motionlessSensitivity, Bytes(9, 35));
}

TEST(SimModel, SwitchesEngineeringReports) {
    ModuleModel model = CommandModeModel();
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdEngineeringOn), radar::kCmdEngineeringOn), 0);
    EXPECT_TRUE(model.Parameters().engineering);
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdEngineeringOff), radar::kCmdEngineeringOff), 0);
    EXPECT_FALSE(model.Parameters().engineering);
}

TEST(SimModel, FarthestGatesFollowTheGateCount) {
    ModuleModel twelve = CommandModeModel({12});
    EXPECT_EQ(StatusOf(Send(twelve, 0x0060, ThreeParameters(11, 11, 5)), 0x0060), 0);
    EXPECT_EQ(StatusOf(Send(twelve, 0x0060, ThreeParameters(12, 11, 5)), 0x0060), 1);
    EXPECT_EQ(StatusOf(Send(twelve, 0x0064, ThreeParameters(11, 10, 10)), 0x0064), 0);
    EXPECT_EQ(StatusOf(Send(twelve, 0x0064, ThreeParameters(12, 10, 10)), 0x0064), 1);
    Exchange e = Send(twelve, radar::kCmdReadParameters);
    std::optional<Bytes> ack = FindAck(Join(e.out), radar::kCmdReadParameters);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->size(), 2 + 2 * 11 + 8u);
    EXPECT_EQ((*ack)[3], 11);

    // With two gates there is no valid farthest gate at all.
    ModuleModel two = CommandModeModel({2});
    EXPECT_EQ(StatusOf(Send(two, 0x0060, ThreeParameters(1, 1, 5)), 0x0060), 1);
    EXPECT_EQ(StatusOf(Send(two, 0x0060, ThreeParameters(2, 2, 5)), 0x0060), 1);

    // 256 gates: the highest index still fits its byte.
    ModuleModel most = CommandModeModel({256});
    e = Send(most, radar::kCmdReadParameters);
    ack = FindAck(Join(e.out), radar::kCmdReadParameters);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->size(), 2 + 2 * 255 + 8u);
    EXPECT_EQ((*ack)[3], 255);
}

TEST(SimModel, IgnoresCommandsOutsideCommandModeButEnter) {
    ModuleModel model({});
    const uint16_t words[] = {0x00FE, 0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x00A0, 0x1234};
    for (uint16_t word : words) {
        Bytes value = word == 0x0060 || word == 0x0064 ? ThreeParameters(3, 3, 3) : Bytes{};
        Exchange e = Send(model, word, value, 40);
        EXPECT_TRUE(e.out.empty()) << std::hex << word;
        ASSERT_EQ(e.events.size(), 1u);
        EXPECT_EQ(e.events[0].word, word);
        EXPECT_EQ(e.events[0].status, std::nullopt);
    }
    EXPECT_EQ(model.Parameters(), ModuleParameters::Defaults(9));
    EXPECT_FALSE(model.CommandMode());
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdEnterCommandMode, Hex("01 00")), radar::kCmdEnterCommandMode),
              0);
    // Entering again is answered too.
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdEnterCommandMode, Hex("01 00")), radar::kCmdEnterCommandMode),
              0);
}

TEST(SimModel, AnswersSeveralFramesInOneReadAndOneByteAtATime) {
    Bytes stream = Command(0x00FF, Hex("01 00"));
    for (const Bytes& more : {Command(0x0061), Command(0x0062), Command(0x00A0), Command(0x00FE)})
        stream.insert(stream.end(), more.begin(), more.end());

    ModuleModel whole({});
    Exchange all = Feed(whole, stream);
    ASSERT_EQ(all.out.size(), 5u);
    ASSERT_EQ(all.events.size(), 5u);

    ModuleModel bytewise({});
    Exchange pieces;
    for (uint8_t byte : stream) {
        Exchange e = Feed(bytewise, Bytes{byte});
        pieces.out.insert(pieces.out.end(), e.out.begin(), e.out.end());
        EXPECT_LE(bytewise.BufferedInputSize(), ModuleModel::kMaxBufferedInput);
    }
    EXPECT_EQ(pieces.out, all.out);
    EXPECT_EQ(bytewise.State().parameters, whole.State().parameters);
    EXPECT_TRUE(whole.Parameters().engineering);
    EXPECT_FALSE(whole.CommandMode());
}

TEST(SimModel, GarbageAndCutFramesNeverHoldUpACommand) {
    ModuleModel model({});
    Random random(5);
    Bytes garbage;
    for (int i = 0; i < 5000; ++i)
        garbage.push_back(uint8_t(random.Next()));
    EXPECT_TRUE(Feed(model, garbage).out.empty());
    EXPECT_LE(model.BufferedInputSize(), ModuleModel::kMaxBufferedInput);

    // A frame cut short, declaring the largest length, then a whole command.
    Bytes cut = Hex("FD FC FB FA 00 04 61 00");
    EXPECT_TRUE(Feed(model, cut).out.empty());
    Exchange e = Send(model, radar::kCmdEnterCommandMode, Hex("01 00"));
    EXPECT_EQ(StatusOf(e, radar::kCmdEnterCommandMode), 0);

    // Two cut frames in a row, then a command.
    Bytes twice = Hex("FD FC FB FA 00 02 61 00 FD FC FB FA 10 00 62");
    Feed(model, twice);
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdReadFirmwareVersion), radar::kCmdReadFirmwareVersion), 0);

    // A header whose length is out of reach, a false tail, a report frame: all skipped.
    Bytes noise = Hex("FD FC FB FA FF FF 00 00 FD FC FB FA 02 00 61 00 01 02 03 04");
    Bytes report = BuildReportFrame(ReportData{}, false);
    noise.insert(noise.end(), report.begin(), report.end());
    Feed(model, noise);
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdReadParameters), radar::kCmdReadParameters), 0);
    EXPECT_LE(model.BufferedInputSize(), ModuleModel::kMaxBufferedInput);

    // A frame too short to hold a command word is dropped without an answer or a record.
    e = Feed(model, Hex("FD FC FB FA 01 00 61 04 03 02 01"));
    EXPECT_TRUE(e.out.empty());
    EXPECT_TRUE(e.events.empty());
}

// ---------------------------------------------------------------------------------------
// Reports

TEST(SimReports, BasicFrameMatchesTheKnownBytes) {
    ReportData r;
    r.state = 3;
    r.movingDistanceCm = 150;
    r.movingEnergy = 60;
    r.motionlessDistanceCm = 300;
    r.motionlessEnergy = 40;
    r.detectionDistanceCm = 150;
    Bytes frame = BuildReportFrame(r, false);
    EXPECT_EQ(frame, Hex("F4 F3 F2 F1 0D 00 02 AA 03 96 00 3C 2C 01 28 96 00 55 00 F8 F7 F6 F5"));
    EXPECT_EQ(ReportFrameSize(false, 9), 23u);
    bool engineering = true;
    ReportData back;
    ASSERT_TRUE(ParseReportFrame(frame.data(), frame.size(), engineering, back));
    EXPECT_FALSE(engineering);
    EXPECT_EQ(back, r);
}

TEST(SimReports, EngineeringFrameCarriesEveryGate) {
    ReportData r;
    r.state = 1;
    r.movingDistanceCm = 200;
    r.movingEnergy = 80;
    r.detectionDistanceCm = 200;
    r.movingGateEnergy = {1, 2, 80, 4, 5, 6, 7, 8, 9};
    r.motionlessGateEnergy = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    r.lightLevel = 90;
    r.outputPin = 1;
    Bytes frame = BuildReportFrame(r, true);
    ASSERT_EQ(frame.size(), 45u);
    EXPECT_EQ(ReportFrameSize(true, 9), 45u);
    EXPECT_EQ(radar::ReadU16(frame.data() + 4), 35);
    EXPECT_EQ(frame[6], 1);
    EXPECT_EQ(frame[7], 0xAA);
    EXPECT_EQ(frame[17], 8); // M
    EXPECT_EQ(frame[18], 8); // S
    EXPECT_EQ(frame[19 + 2], 80);
    EXPECT_EQ(frame[28], 11);
    EXPECT_EQ(frame[37], 90);
    EXPECT_EQ(frame[38], 1);
    EXPECT_EQ(frame[39], 0x55);
    EXPECT_EQ(Bytes(frame.end() - 4, frame.end()), Hex("F8 F7 F6 F5"));
    bool engineering = false;
    ReportData back;
    ASSERT_TRUE(ParseReportFrame(frame.data(), frame.size(), engineering, back));
    EXPECT_TRUE(engineering);
    EXPECT_EQ(back, r);
    EXPECT_EQ(ReportFrameSize(true, 12), 10 + 4 + 9 + 2 + 24 + 2u);
}

TEST(SimReports, StreamComesAtTheRateInTheChosenKind) {
    for (int rate : {10, 25}) {
        SCOPED_TRACE(rate);
        ModuleModel model({.rateHz = rate});
        std::vector<Frame> frames = RunFor(model, 0, 1000); // the first report is due after one period
        EXPECT_EQ(int(frames.size()), rate);
        for (const Frame& frame : frames)
            EXPECT_EQ(frame.size(), 23u);
    }
    ModuleModel engineering({.engineering = true});
    std::vector<Frame> frames = RunFor(engineering, 0, 1000);
    ASSERT_EQ(frames.size(), 10u);
    for (const Frame& frame : frames) {
        EXPECT_EQ(frame.size(), 45u);
        EXPECT_EQ(frame[6], 1);
    }
    // A late tick sends one report and skips the ones it missed.
    std::vector<Frame> late;
    engineering.Tick(5000, late);
    EXPECT_EQ(late.size(), 1u);
    engineering.Tick(5050, late);
    EXPECT_EQ(late.size(), 1u);
    EXPECT_EQ(engineering.NextReportMs(), std::optional<uint64_t>(5100));
}

TEST(SimReports, StreamStopsInCommandModeAndResumesAfterLeaving) {
    ModuleModel model({});
    EXPECT_EQ(RunFor(model, 0, 500).size(), 5u);
    Send(model, radar::kCmdEnterCommandMode, Hex("01 00"), 500);
    EXPECT_EQ(model.NextReportMs(), std::nullopt);
    EXPECT_TRUE(RunFor(model, 501, 2000).empty());
    Send(model, radar::kCmdEngineeringOn, {}, 2000);
    Exchange e = Send(model, radar::kCmdLeaveCommandMode, {}, 2000);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 04 00 FE 01 00 00 04 03 02 01"));
    EXPECT_FALSE(model.CommandMode());
    std::vector<Frame> frames = RunFor(model, 2001, 3000);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[0].size(), 45u); // engineering now
}

TEST(SimReports, ScenarioWalksInMovesStandsStillAndLeaves) {
    ModuleModel model({.engineering = true});
    std::vector<Frame> frames = RunFor(model, 0, Scenario::kCycleMs);
    std::vector<bool> engineering;
    std::vector<ReportData> reports = Reports(Join(frames), &engineering);
    ASSERT_EQ(reports.size(), 400u);
    Scenario scenario(9, 1);
    int seen[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < reports.size(); ++i) {
        SCOPED_TRACE(i);
        const ReportData& r = reports[i];
        uint64_t t = (i + 1) * 100;
        EXPECT_TRUE(engineering[i]);
        ASSERT_EQ(r.movingGateEnergy.size(), 9u);
        ASSERT_EQ(r.motionlessGateEnergy.size(), 9u);
        ExpectConsistent(r);
        ++seen[r.state];
        Scenario::Person person = scenario.PersonAt(t);
        if (!person.present || person.distanceCm >= 9 * kGateCm) {
            EXPECT_EQ(r.state, kNoTarget);
            continue;
        }
        size_t gate = size_t(person.distanceCm / kGateCm);
        if (person.moving) {
            // The moving energy peaks at the person's gate or next to it.
            size_t peak = size_t(std::max_element(r.movingGateEnergy.begin(), r.movingGateEnergy.end()) -
                                 r.movingGateEnergy.begin());
            EXPECT_LE(peak > gate ? peak - gate : gate - peak, 1u);
            EXPECT_TRUE(r.state & kMovingTarget);
            EXPECT_NEAR(r.movingDistanceCm, person.distanceCm, 10);
        } else {
            EXPECT_GT(r.motionlessGateEnergy[gate], 35);
            EXPECT_TRUE(r.state & kMotionlessTarget);
            EXPECT_NEAR(r.motionlessDistanceCm, person.distanceCm, 10);
        }
    }
    // Empty room, walking, both, standing still: all of it happens in one cycle.
    EXPECT_GT(seen[kNoTarget], 40);
    EXPECT_GT(seen[kMovingTarget], 20);
    EXPECT_GT(seen[kMotionlessTarget], 60);
    EXPECT_GT(seen[kBothTargets], 0);
    EXPECT_EQ(reports.front().state, kNoTarget);
    EXPECT_EQ(reports.back().state, kNoTarget);
}

TEST(SimReports, WhatIsReportedFollowsTheParameters) {
    // Moving targets only up to gate 2 (225 cm), nothing motionless at all.
    ModuleModel model = CommandModeModel();
    Send(model, 0x0060, ThreeParameters(2, 8, 0));
    Send(model, 0x0064, ThreeParameters(0xFFFF, 30, 100));
    Send(model, radar::kCmdLeaveCommandMode);
    std::vector<ReportData> reports = Reports(Join(RunFor(model, 0, Scenario::kCycleMs)));
    ASSERT_EQ(reports.size(), 400u);
    int moving = 0;
    for (const ReportData& r : reports) {
        ExpectConsistent(r);
        EXPECT_LE(r.movingDistanceCm, 3 * kGateCm + 5);
        EXPECT_EQ(r.motionlessDistanceCm, 0);
        moving += r.state == kMovingTarget;
    }
    EXPECT_GT(moving, 20);

    // Sensitivity 100 everywhere: no one is ever seen.
    ModuleModel deaf = CommandModeModel();
    Send(deaf, 0x0064, ThreeParameters(0xFFFF, 100, 100));
    Send(deaf, radar::kCmdLeaveCommandMode);
    for (const ReportData& r : Reports(Join(RunFor(deaf, 0, Scenario::kCycleMs))))
        EXPECT_EQ(r.state, kNoTarget);
}

TEST(SimReports, OutputPinHoldsForTheOffTime) {
    ModuleModel model = CommandModeModel({.engineering = true});
    Send(model, 0x0060, ThreeParameters(8, 8, 3));
    Send(model, radar::kCmdLeaveCommandMode);
    std::vector<ReportData> reports = Reports(Join(RunFor(model, 0, Scenario::kCycleMs)));
    uint64_t lastSeen = 0;
    for (size_t i = 0; i < reports.size(); ++i) {
        uint64_t t = (i + 1) * 100;
        if (reports[i].state != kNoTarget)
            lastSeen = t;
        bool holding = lastSeen != 0 && t - lastSeen < 3000;
        EXPECT_EQ(reports[i].outputPin, reports[i].state != kNoTarget || holding ? 1 : 0) << t;
    }
    EXPECT_EQ(reports.back().outputPin, 0);
}

TEST(SimReports, SameSeedSameBytesOtherSeedOtherNoise) {
    auto run = [](uint64_t seed) {
        ModuleModel model({.engineering = true, .seed = seed});
        return Join(RunFor(model, 0, 5000));
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

TEST(SimReports, EveryGateCountMakesWellFormedReports) {
    for (int gates : {1, 2, 3, 12, 256}) {
        SCOPED_TRACE(gates);
        ModuleModel model({.gates = gates, .engineering = true});
        std::vector<Frame> frames = RunFor(model, 0, Scenario::kCycleMs);
        std::vector<ReportData> reports = Reports(Join(frames));
        ASSERT_EQ(reports.size(), 400u);
        int present = 0;
        for (const ReportData& r : reports) {
            ExpectConsistent(r);
            EXPECT_EQ(r.movingGateEnergy.size(), size_t(gates));
            present += r.state != kNoTarget;
        }
        EXPECT_EQ(frames[0].size(), ReportFrameSize(true, gates));
        EXPECT_GT(present, 0);
    }
}

// ---------------------------------------------------------------------------------------
// Faults

TEST(SimFaults, ParsesFaultTexts) {
    FaultSet faults;
    std::string error;
    for (const char* text :
         {"noack:0x0061", "nak:0x0064:3", "noack:97:2", "garbage:250", "badtail:1000", "split", "silent",
          "hangup:1.5", "late:0x0061:2500:1", "unplug:0x0064:6", "chatty"})
        EXPECT_TRUE(AddFault(faults, text, error)) << text << ": " << error;
    ASSERT_EQ(faults.commands.size(), 5u);
    EXPECT_EQ(faults.commands[3], (CommandFault{CommandFaultKind::kLate, 0x61, 1, 2500}));
    EXPECT_EQ(faults.commands[4], (CommandFault{CommandFaultKind::kUnplug, 0x64, 6}));
    EXPECT_TRUE(faults.chatty);
    EXPECT_EQ(faults.commands[0], (CommandFault{CommandFaultKind::kNoAck, 0x61, 0}));
    EXPECT_EQ(faults.commands[1], (CommandFault{CommandFaultKind::kNak, 0x64, 3}));
    EXPECT_EQ(faults.commands[2], (CommandFault{CommandFaultKind::kNoAck, 97, 2}));
    EXPECT_EQ(faults.garbagePermille, 250);
    EXPECT_EQ(faults.badTailPermille, 1000);
    EXPECT_TRUE(faults.split);
    EXPECT_TRUE(faults.silent);
    EXPECT_EQ(faults.hangupMs, 1500);

    for (const char* text : {"",
                             "noack",
                             "noack:",
                             "noack:0x10000",
                             "noack:0x0061:0",
                             "noack:0x0061:-1",
                             "nak:0x0061:2:3",
                             "nak:x",
                             "garbage",
                             "garbage:1001",
                             "garbage:-5",
                             "badtail:ten",
                             "split:1",
                             "silent:0",
                             "hangup",
                             "hangup:",
                             "hangup:-1",
                             "hangup:2s",
                             "crash",
                             "late:0x0061",
                             "late:0x0061:x",
                             "late:0x0061:1:0",
                             "late:0x0061:1:2:3",
                             "unplug",
                             "unplug:0x0064:0",
                             "chatty:1"}) {
        FaultSet other;
        EXPECT_FALSE(AddFault(other, text, error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(other, FaultSet{}) << text;
    }
}

TEST(SimFaults, NoAckDropsOnlyTheNthCommand) {
    FaultSet faults;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "noack:0x0061:2", error));
    ModuleModel model = CommandModeModel();
    model.SetFaults(faults);
    Exchange first = Send(model, radar::kCmdReadParameters);
    Exchange second = Send(model, radar::kCmdReadParameters);
    Exchange third = Send(model, radar::kCmdReadParameters);
    EXPECT_EQ(StatusOf(first, 0x0061), 0);
    EXPECT_TRUE(second.out.empty());
    ASSERT_EQ(second.events.size(), 1u);
    EXPECT_EQ(second.events[0].status, std::nullopt);
    EXPECT_EQ(StatusOf(third, 0x0061), 0);
    // Other commands are not counted.
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdReadFirmwareVersion), 0x00A0), 0);

    // Without N every such command goes unanswered, and a dropped command does nothing.
    FaultSet every;
    ASSERT_TRUE(AddFault(every, "noack:0x0062", error));
    model.SetFaults(every);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Send(model, radar::kCmdEngineeringOn).out.empty());
    EXPECT_FALSE(model.Parameters().engineering);

    // Commands ignored outside command mode do not count either.
    ModuleModel fresh({});
    ASSERT_TRUE(AddFault(faults, "noack:0x00FF:1", error));
    fresh.SetFaults(faults);
    Send(fresh, radar::kCmdReadParameters);
    EXPECT_TRUE(Send(fresh, radar::kCmdEnterCommandMode, Hex("01 00")).out.empty());
    EXPECT_FALSE(fresh.CommandMode());
    EXPECT_EQ(StatusOf(Send(fresh, radar::kCmdEnterCommandMode, Hex("01 00")), 0x00FF), 0);
    EXPECT_EQ(StatusOf(Send(fresh, radar::kCmdReadParameters), 0x0061), 0);
    EXPECT_TRUE(Send(fresh, radar::kCmdReadParameters).out.empty());
}

TEST(SimFaults, NakAnswersFailureAndChangesNothing) {
    FaultSet faults;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "nak:0x0064:3", error));
    ASSERT_TRUE(AddFault(faults, "nak:0x0060", error));
    ModuleModel model = CommandModeModel();
    model.SetFaults(faults);
    ModuleParameters before = model.Parameters();
    Exchange e = Send(model, 0x0060, ThreeParameters(4, 4, 9));
    ASSERT_EQ(e.out.size(), 1u);
    EXPECT_EQ(e.out[0], Hex("FD FC FB FA 04 00 60 01 01 00 04 03 02 01"));
    EXPECT_EQ(e.events[0].status, std::optional<uint16_t>(1));
    EXPECT_EQ(model.Parameters(), before);
    EXPECT_EQ(StatusOf(Send(model, 0x0060, ThreeParameters(4, 4, 9)), 0x0060), 1);

    EXPECT_EQ(StatusOf(Send(model, 0x0064, ThreeParameters(0, 10, 10)), 0x0064), 0);
    EXPECT_EQ(StatusOf(Send(model, 0x0064, ThreeParameters(1, 10, 10)), 0x0064), 0);
    EXPECT_EQ(StatusOf(Send(model, 0x0064, ThreeParameters(2, 10, 10)), 0x0064), 1);
    EXPECT_EQ(StatusOf(Send(model, 0x0064, ThreeParameters(3, 10, 10)), 0x0064), 0);
    EXPECT_EQ(model.Parameters().movingSensitivity, (Bytes{10, 10, 40, 10, 40, 40, 30, 30, 30}));

    // A refused 0x00FF leaves the module streaming.
    FaultSet enter;
    ASSERT_TRUE(AddFault(enter, "nak:0x00FF", error));
    ModuleModel streaming({});
    streaming.SetFaults(enter);
    EXPECT_EQ(StatusOf(Send(streaming, 0x00FF, Hex("01 00")), 0x00FF), 1);
    EXPECT_FALSE(streaming.CommandMode());
}

TEST(SimFaults, BadTailCorruptsEveryReportTail) {
    FaultSet faults;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "badtail:1000", error));
    ModuleModel model({});
    model.SetFaults(faults);
    std::vector<Frame> frames = RunFor(model, 0, 2000);
    ASSERT_EQ(frames.size(), 20u);
    for (const Frame& frame : frames) {
        ASSERT_EQ(frame.size(), 23u);
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 4), Hex("F4 F3 F2 F1"));
        EXPECT_EQ(frame[19 - 2], 0x55);
        EXPECT_NE(Bytes(frame.end() - 4, frame.end()), Hex("F8 F7 F6 F5"));
    }
    EXPECT_TRUE(Reports(Join(frames)).empty());

    // Acknowledgements keep their tails.
    Send(model, 0x00FF, Hex("01 00"));
    EXPECT_EQ(StatusOf(Send(model, 0x0061), 0x0061), 0);
}

TEST(SimFaults, GarbageComesBeforeReports) {
    FaultSet faults;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "garbage:1000", error));
    ModuleModel model({});
    model.SetFaults(faults);
    std::vector<Frame> frames = RunFor(model, 0, 1000);
    ASSERT_EQ(frames.size(), 20u);
    for (size_t i = 0; i < frames.size(); i += 2) {
        EXPECT_GE(frames[i].size(), 1u);
        EXPECT_LE(frames[i].size(), 16u);
        EXPECT_EQ(frames[i + 1].size(), 23u);
    }
    EXPECT_EQ(Reports(Join(frames)).size(), 10u);

    faults.garbagePermille = 300;
    ModuleModel some({});
    some.SetFaults(faults);
    size_t count = RunFor(some, 0, 100000).size();
    EXPECT_GT(count, 1000u + 200);
    EXPECT_LT(count, 1000u + 400);
}

TEST(SimFaults, SilentModuleSendsNoReportsButAnswers) {
    FaultSet faults;
    faults.silent = true;
    ModuleModel model({});
    model.SetFaults(faults);
    EXPECT_EQ(model.NextReportMs(), std::nullopt);
    EXPECT_TRUE(RunFor(model, 0, 3000).empty());
    EXPECT_EQ(StatusOf(Send(model, 0x00FF, Hex("01 00")), 0x00FF), 0);
    model.SetFaults({});
    Send(model, 0x00FE, {}, 3000);
    EXPECT_EQ(RunFor(model, 3001, 4000).size(), 10u);
}

// A late answer is the right answer, later; an unplug answers nothing and asks for the line to
// go; a chatty module reports on in command mode.
TEST(SimFaults, LateUnplugAndChatty) {
    FaultSet faults;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "late:0x0061:2500", error));
    ASSERT_TRUE(AddFault(faults, "unplug:0x0064:2", error));
    ModuleModel model = CommandModeModel();
    model.SetFaults(faults);
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdReadParameters), 0x0061), 0);
    EXPECT_EQ(model.TakeAckDelayMs(), 2500u);
    EXPECT_EQ(model.TakeAckDelayMs(), 0u);
    EXPECT_EQ(StatusOf(Send(model, radar::kCmdReadFirmwareVersion), 0x00A0), 0);
    EXPECT_EQ(model.TakeAckDelayMs(), 0u);
    EXPECT_EQ(StatusOf(Send(model, 0x0064, ThreeParameters(0, 10, 10)), 0x0064), 0);
    EXPECT_FALSE(model.TakeUnplugRequest());
    Exchange pulled = Send(model, 0x0064, ThreeParameters(1, 10, 10));
    EXPECT_TRUE(pulled.out.empty());
    ASSERT_EQ(pulled.events.size(), 1u);
    EXPECT_EQ(pulled.events[0].status, std::nullopt);
    EXPECT_TRUE(model.TakeUnplugRequest());
    EXPECT_EQ(model.Parameters().movingSensitivity[1], 50); // not written

    EXPECT_EQ(model.NextReportMs(), std::nullopt);
    FaultSet chatty;
    chatty.chatty = true;
    model.SetFaults(chatty);
    EXPECT_TRUE(model.CommandMode());
    EXPECT_NE(model.NextReportMs(), std::nullopt);
}

TEST(SimFaults, SplitPiecesJoinBackToTheFrame) {
    Random random(3);
    for (size_t size : {1u, 2u, 3u, 14u, 23u, 45u, 300u}) {
        Bytes frame(size);
        for (size_t i = 0; i < size; ++i)
            frame[i] = uint8_t(i * 7);
        for (int round = 0; round < 50; ++round) {
            std::vector<Piece> pieces = SplitFrame(frame, random);
            Bytes joined;
            for (size_t i = 0; i < pieces.size(); ++i) {
                EXPECT_FALSE(pieces[i].bytes.empty());
                uint32_t pause = pieces[i].pauseBeforeMs;
                EXPECT_TRUE(i == 0 ? pause == 0 : pause >= 1 && pause <= 4) << pause;
                joined.insert(joined.end(), pieces[i].bytes.begin(), pieces[i].bytes.end());
            }
            EXPECT_EQ(joined, frame);
            EXPECT_LE(pieces.size(), 4u);
            EXPECT_GE(pieces.size(), std::min<size_t>(size, 2));
        }
    }
}

// ---------------------------------------------------------------------------------------
// Record, replay, command line

TEST(SimRecord, WritesOneJsonObjectPerLine) {
    EXPECT_EQ(FormatRecordLine({1234, 0x0061, {}, 0}),
              R"({"t_ms":1234,"cmd":"0x0061","value":"","status":0})");
    EXPECT_EQ(FormatRecordLine({5, 0x00FF, Hex("01 00"), std::nullopt}),
              R"({"t_ms":5,"cmd":"0x00FF","value":"0100","status":null})");
    EXPECT_EQ(FormatRecordLine({0, 0x0064, Hex("00 00 FF FF 00 00 01 00 AB 00 00 00"), 1}),
              R"({"t_ms":0,"cmd":"0x0064","value":"0000ffff00000100ab000000","status":1})");

    TempFolder folder;
    {
        CommandRecord record;
        std::string error;
        ASSERT_TRUE(record.OpenFile(folder.File("record.jsonl"), error)) << error;
        record.Add({1, 0x00FF, Hex("01 00"), 0});
        // Written at once, before the record is closed.
        EXPECT_EQ(ReadBytes(folder.File("record.jsonl")),
                  R"({"t_ms":1,"cmd":"0x00FF","value":"0100","status":0})"
                  "\n");
        record.Add({2, 0x00FE, {}, 0});
        EXPECT_EQ(record.Events().size(), 2u);
    }
    EXPECT_EQ(ReadBytes(folder.File("record.jsonl")),
              "{\"t_ms\":1,\"cmd\":\"0x00FF\",\"value\":\"0100\",\"status\":0}\n"
              "{\"t_ms\":2,\"cmd\":\"0x00FE\",\"value\":\"\",\"status\":0}\n");
    CommandRecord bad;
    std::string error;
    EXPECT_FALSE(bad.OpenFile(folder.File("missing/record.jsonl"), error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(SimReplay, SendsTheCaptureFrameByFrameGarbageIncluded) {
    Bytes a = BuildReportFrame(ReportData{}, false);
    ReportData full;
    full.movingGateEnergy.assign(9, 1);
    full.motionlessGateEnergy.assign(9, 2);
    Bytes b = BuildReportFrame(full, true);
    Bytes capture = a;
    capture.insert(capture.end(), {0x01, 0x02, 0x03});
    capture.insert(capture.end(), b.begin(), b.end());
    Bytes broken = a;
    broken.back() = 0;
    capture.insert(capture.end(), broken.begin(), broken.end());
    Bytes tail(100, 0x77);
    capture.insert(capture.end(), tail.begin(), tail.end());

    ReplayStream replay(capture);
    EXPECT_EQ(replay.NextChunk(), a);
    Bytes second = {0x01, 0x02, 0x03};
    second.insert(second.end(), b.begin(), b.end());
    EXPECT_EQ(replay.NextChunk(), second);
    Bytes rest;
    while (!replay.Done()) {
        Bytes chunk = replay.NextChunk();
        EXPECT_LE(chunk.size(), 64u);
        rest.insert(rest.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(rest.size(), broken.size() + tail.size());
    EXPECT_TRUE(replay.NextChunk().empty());

    // In the model: one chunk per report time, then silence.
    ModuleModel model({});
    model.SetReplay(capture);
    std::vector<Frame> frames = RunFor(model, 0, 10000);
    EXPECT_EQ(Join(frames), capture);
    EXPECT_EQ(frames[0], a);
    EXPECT_EQ(model.NextReportMs(), std::nullopt);
}

TEST(SimOptions, ReadsTheCommandLine) {
    ProgramOptions options;
    std::string error;
    ASSERT_TRUE(ParseProgramOptions({"--link", "/tmp/x"}, options, error)) << error;
    EXPECT_EQ(options.link, "/tmp/x");
    EXPECT_EQ(options.gates, 9);
    EXPECT_EQ(options.rateHz, 10);
    EXPECT_FALSE(options.engineering);
    EXPECT_EQ(options.faults, FaultSet{});

    ASSERT_TRUE(ParseProgramOptions({"--gates", "12", "--rate", "20", "--engineering", "--seed", "99",
                                     "--record", "r.jsonl", "--sent", "s.bin", "--replay", "c.dat", "--fault",
                                     "split", "--fault", "nak:0x0061:2", "--link", "/tmp/y"},
                                    options, error))
        << error;
    EXPECT_EQ(options.gates, 12);
    EXPECT_EQ(options.rateHz, 20);
    EXPECT_TRUE(options.engineering);
    EXPECT_EQ(options.seed, 99u);
    EXPECT_EQ(options.recordPath, "r.jsonl");
    EXPECT_EQ(options.sentPath, "s.bin");
    EXPECT_EQ(options.replayPath, "c.dat");
    EXPECT_TRUE(options.faults.split);
    ASSERT_EQ(options.faults.commands.size(), 1u);
    EXPECT_EQ(options.faults.commands[0].nth, 2u);

    ASSERT_TRUE(ParseProgramOptions({"--report-times", "t.txt", "--link", "/tmp/y"}, options, error))
        << error;
    EXPECT_EQ(options.reportTimesPath, "t.txt");

    ASSERT_TRUE(ParseProgramOptions({"--help"}, options, error));
    EXPECT_TRUE(options.help);
    EXPECT_NE(std::string(UsageText()).find("--fault"), std::string::npos);

    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--gates", "4"},
        {"--link"},
        {"--link", ""},
        {"--link", "/tmp/x", "--gates", "0"},
        {"--link", "/tmp/x", "--gates", "257"},
        {"--link", "/tmp/x", "--gates", "nine"},
        {"--link", "/tmp/x", "--rate", "0"},
        {"--link", "/tmp/x", "--rate", "-3"},
        {"--link", "/tmp/x", "--seed", "x"},
        {"--link", "/tmp/x", "--fault", "melt"},
        {"--link", "/tmp/x", "--fault"},
        {"--link", "/tmp/x", "--verbose"},
        {"--link", "/tmp/x", "extra"},
    };
    for (const auto& arguments : wrong) {
        ProgramOptions untouched;
        untouched.gates = 77;
        error.clear();
        EXPECT_FALSE(ParseProgramOptions(arguments, untouched, error)) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(untouched.gates, 77);
    }
}

// ---------------------------------------------------------------------------------------
// Over a real pseudo-terminal

namespace {

// The host side: a raw line on the simulator's slave.
class HostLine {
public:
    explicit HostLine(const std::string& path) {
        m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd >= 0) {
            termios settings;
            tcgetattr(m_fd, &settings);
            cfmakeraw(&settings);
            tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~HostLine() {
        if (m_fd >= 0)
            close(m_fd);
    }
    HostLine(const HostLine&) = delete;
    HostLine& operator=(const HostLine&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    void Write(const Bytes& bytes) {
        ASSERT_EQ(write(m_fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    // Reads for `ms`; false once the line hung up.
    bool ReadFor(int ms, Bytes& into) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return true;
            if (!ReadSome(int(left.count()), into))
                return false;
        }
    }

    // Reads until the acknowledgement of `word` arrives; its data after the word.
    std::optional<Bytes> ReadAck(uint16_t word, int timeoutMs, Bytes* everything = nullptr) {
        Bytes seen;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            if (!ReadSome(20, seen))
                break;
            std::optional<Bytes> ack = FindAck(seen, word);
            if (ack) {
                if (everything != nullptr)
                    *everything = seen;
                return ack;
            }
        }
        return std::nullopt;
    }

private:
    bool ReadSome(int ms, Bytes& into) {
        pollfd p = {m_fd, POLLIN, 0};
        int ready = poll(&p, 1, ms);
        if (ready <= 0)
            return true;
        uint8_t buffer[4096];
        ssize_t got = read(m_fd, buffer, sizeof buffer);
        if (got > 0) {
            into.insert(into.end(), buffer, buffer + got);
            return true;
        }
        if (got < 0 && errno == EAGAIN)
            return true;
        return false; // hang-up: EIO or end of file
    }

    int m_fd = -1;
};

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

TEST(SimPty, EnterReadWriteAndLeaveThroughTheLink) {
    TempFolder folder;
    SimulatorOptions options;
    options.recordPath = folder.File("record.jsonl");
    RadarSimulator sim(options);
    std::string link = folder.File("radar");
    std::string slave = sim.Start(link);
    ASSERT_FALSE(slave.empty()) << sim.Error();
    EXPECT_EQ(sim.SlavePath(), slave);
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), slave);

    HostLine host(link);
    ASSERT_TRUE(host.IsOpen());
    Bytes stream;
    ASSERT_TRUE(host.ReadFor(450, stream));
    std::vector<ReportData> reports = Reports(stream);
    EXPECT_GE(reports.size(), 2u);
    EXPECT_EQ(Reports(stream).size() * 23, stream.size()); // nothing else, nothing cut

    host.Write(Command(0x00FF, Hex("01 00")));
    std::optional<Bytes> ack = host.ReadAck(0x00FF, 5000);
    ASSERT_TRUE(ack);
    EXPECT_EQ(*ack, Hex("00 00 01 00 40 00"));
    ASSERT_TRUE(sim.WaitForCommands(1, 5000));
    std::vector<CommandEvent> commands = sim.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].word, 0x00FF);
    EXPECT_EQ(commands[0].value, Hex("01 00"));
    EXPECT_EQ(commands[0].status, std::optional<uint16_t>(0));
    EXPECT_TRUE(sim.State().commandMode);

    // Nothing streams in command mode.
    Bytes quiet;
    ASSERT_TRUE(host.ReadFor(300, quiet));
    EXPECT_TRUE(quiet.empty());

    host.Write(Command(0x0060, ThreeParameters(6, 7, 12)));
    ack = host.ReadAck(0x0060, 5000);
    ASSERT_TRUE(ack);
    EXPECT_EQ(*ack, Hex("00 00"));
    ModuleState state = sim.State();
    EXPECT_EQ(state.parameters.farthestMovingGate, 6);
    EXPECT_EQ(state.parameters.farthestMotionlessGate, 7);
    EXPECT_EQ(state.parameters.offTimeSeconds, 12);

    host.Write(Command(0x0062));
    ASSERT_TRUE(host.ReadAck(0x0062, 5000));
    host.Write(Command(0x00FE));
    ASSERT_TRUE(host.ReadAck(0x00FE, 5000));
    EXPECT_FALSE(sim.State().commandMode);
    EXPECT_TRUE(sim.State().parameters.engineering);
    Bytes again;
    ASSERT_TRUE(host.ReadFor(450, again));
    std::vector<bool> engineering;
    EXPECT_GE(Reports(again, &engineering).size(), 2u);
    for (bool e : engineering)
        EXPECT_TRUE(e);

    // What went over the line is what the simulator says it sent.
    ASSERT_TRUE(sim.WaitForCommands(4, 5000));
    sim.Stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    std::string record = ReadBytes(folder.File("record.jsonl"));
    EXPECT_NE(record.find(R"("cmd":"0x00FF","value":"0100","status":0})"), std::string::npos) << record;
    EXPECT_NE(record.find(R"("cmd":"0x0060","value":"00000600000001000700000002000c000000","status":0})"),
              std::string::npos)
        << record;
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 4);
}

// Split frames still deliver the same bytes, and at the line's limit their pauses do not add
// up: the answer to a command comes after the few frames already on their way, not after
// seconds of queued reports.
TEST(SimPty, SplitFramesStillDeliverTheSameBytesWithoutHoldingBackTheAnswer) {
    for (int rateHz : {50, 568}) {
        SimulatorOptions options;
        options.rateHz = rateHz;
        options.engineering = true;
        std::string error;
        ASSERT_TRUE(AddFault(options.faults, "split", error));
        RadarSimulator sim(options);
        std::string slave = sim.Start();
        ASSERT_FALSE(slave.empty()) << sim.Error();
        HostLine host(slave);
        ASSERT_TRUE(host.IsOpen());
        Bytes received;
        ASSERT_TRUE(host.ReadFor(1500, received));
        host.Write(Command(0x00FF, Hex("01 00")));
        Bytes withAck;
        ASSERT_TRUE(host.ReadAck(0x00FF, 10000, &withAck));
        EXPECT_LT(withAck.size(), 2048u) << rateHz;
        received.insert(received.end(), withAck.begin(), withAck.end());
        // In command mode nothing more comes; what was sent has all arrived.
        ASSERT_TRUE(host.ReadFor(100, received));
        EXPECT_EQ(received, sim.Sent()) << rateHz;
        EXPECT_GE(Reports(received).size(), 10u) << rateHz;
    }
}

// Each report's line tells when its last byte went out and its distance, in the order sent,
// split frames included; so a process on the host can time what it shows of each report.
TEST(SimPty, ReportTimesFollowTheReportsSent) {
    TempFolder folder;
    SimulatorOptions options;
    options.rateHz = 200;
    options.engineering = true;
    options.reportTimesPath = folder.File("times.txt");
    std::string error;
    ASSERT_TRUE(AddFault(options.faults, "split", error));
    ASSERT_TRUE(AddFault(options.faults, "garbage:300", error));
    const auto wallUs = [] {
        using namespace std::chrono;
        return uint64_t(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count());
    };
    const uint64_t before = wallUs();
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    {
        HostLine host(slave);
        Bytes stream;
        ASSERT_TRUE(host.ReadFor(1500, stream));
    }
    sim.Stop();
    const uint64_t after = wallUs();

    std::vector<ReportData> sent = Reports(sim.Sent());
    ASSERT_GE(sent.size(), 20u);
    std::FILE* file = std::fopen(options.reportTimesPath.c_str(), "r");
    ASSERT_NE(file, nullptr);
    unsigned long long timeUs = 0;
    int distanceCm = 0;
    uint64_t previous = before;
    size_t lines = 0;
    while (std::fscanf(file, "%llu %d", &timeUs, &distanceCm) == 2) {
        ASSERT_LT(lines, sent.size());
        EXPECT_EQ(distanceCm, sent[lines].detectionDistanceCm) << "report " << lines;
        EXPECT_GE(timeUs, previous);
        EXPECT_LE(timeUs, after);
        previous = timeUs;
        ++lines;
    }
    std::fclose(file);
    EXPECT_EQ(lines, sent.size());
}

TEST(SimPty, NothingIsSentWhileNoOneListens) {
    SimulatorOptions options;
    options.rateHz = 100;
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(sim.Sent().empty());
    {
        HostLine host(slave);
        Bytes stream;
        ASSERT_TRUE(host.ReadFor(300, stream));
        EXPECT_FALSE(stream.empty());
        // No backlog: only reports of the time the line was open.
        EXPECT_LE(stream.size(), 23u * 40);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    size_t sent = sim.Sent().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(sim.Sent().size(), sent);
}

// A host that opened the line and then read nothing for a while: old reports may be lost,
// as on a real line, but the acknowledgement of its next command still arrives.
TEST(SimPty, AnAcknowledgementIsNeverDroppedBehindABacklog) {
    SimulatorOptions options;
    options.rateHz = 1000;
    options.engineering = true;
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    HostLine host(slave);
    ASSERT_TRUE(host.IsOpen());
    // 45-byte reports at 1000 a second: far more than the 64 KiB the simulator holds back.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    host.Write(Command(0x00FF, Hex("01 00")));
    std::optional<Bytes> ack = host.ReadAck(0x00FF, 10000);
    ASSERT_TRUE(ack);
    EXPECT_EQ(*ack, Hex("00 00 01 00 40 00"));
}

TEST(SimPty, FaultsChangeWhileRunningAndTheStateIsVisible) {
    SimulatorOptions options;
    options.rateHz = 50;
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    HostLine host(slave);
    Bytes stream;
    ASSERT_TRUE(host.ReadFor(200, stream));
    EXPECT_FALSE(stream.empty());

    FaultSet faults;
    faults.silent = true;
    std::string error;
    ASSERT_TRUE(AddFault(faults, "noack:0x00FF:1", error));
    sim.SetFaults(faults);
    Bytes drain;
    host.ReadFor(100, drain);
    Bytes silence;
    ASSERT_TRUE(host.ReadFor(300, silence));
    EXPECT_TRUE(silence.empty());

    host.Write(Command(0x00FF, Hex("01 00")));
    EXPECT_FALSE(host.ReadAck(0x00FF, 300));
    host.Write(Command(0x00FF, Hex("01 00")));
    EXPECT_TRUE(host.ReadAck(0x00FF, 5000));
    ASSERT_TRUE(sim.WaitForCommands(2, 5000));
    std::vector<CommandEvent> commands = sim.Commands();
    EXPECT_EQ(commands[0].status, std::nullopt);
    EXPECT_EQ(commands[1].status, std::optional<uint16_t>(0));
    EXPECT_TRUE(sim.State().commandMode);
    EXPECT_EQ(sim.State().parameters, ModuleParameters::Defaults(9));
}

TEST(SimPty, ReplayWaitsForAListenerAndSendsTheCaptureInOrder) {
    SimulatorOptions options;
    options.rateHz = 50;
    options.replay = true;
    ReportData full;
    full.state = 1;
    full.movingDistanceCm = 120;
    full.movingGateEnergy.assign(9, 30);
    full.motionlessGateEnergy.assign(9, 20);
    Bytes capture = Hex("01 02 03");
    for (int i = 0; i < 8; ++i) {
        Bytes frame = BuildReportFrame(full, i % 2 == 0);
        capture.insert(capture.end(), frame.begin(), frame.end());
        capture.push_back(uint8_t(0xE0 + i)); // garbage between frames
    }
    options.replayBytes = capture;
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // longer than the whole replay
    HostLine host(slave);
    Bytes received;
    ASSERT_TRUE(WaitFor(
        [&] {
            host.ReadFor(20, received);
            return received.size() >= capture.size();
        },
        5000));
    ASSERT_TRUE(host.ReadFor(100, received));
    EXPECT_EQ(received, capture);
    EXPECT_EQ(Reports(received).size(), 8u);
}

TEST(SimPty, HangUpClosesTheLine) {
    SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(AddFault(options.faults, "hangup:0.3", error));
    RadarSimulator sim(options);
    std::string slave = sim.Start();
    ASSERT_FALSE(slave.empty()) << sim.Error();
    HostLine host(slave);
    ASSERT_TRUE(host.IsOpen());
    Bytes stream;
    auto start = std::chrono::steady_clock::now();
    bool open = true;
    while (open && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        open = host.ReadFor(50, stream);
    EXPECT_FALSE(open);
    EXPECT_TRUE(WaitFor([&] { return sim.HungUp(); }, 5000));
    EXPECT_FALSE(Reports(stream).empty());
    sim.Stop();
}

TEST(SimPty, LinkReplacesASymlinkButNoOtherFile) {
    TempFolder folder;
    std::string link = folder.File("port");
    fs::create_symlink("/dev/pts/does-not-exist", link);
    {
        RadarSimulator sim;
        std::string slave = sim.Start(link);
        ASSERT_FALSE(slave.empty()) << sim.Error();
        EXPECT_EQ(fs::read_symlink(link).string(), slave);
        HostLine host(link);
        EXPECT_TRUE(host.IsOpen());
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));

    // A link that someone else re-pointed in the meantime is left alone.
    {
        RadarSimulator sim;
        ASSERT_FALSE(sim.Start(link).empty());
        fs::remove(link);
        fs::create_symlink("/elsewhere", link);
    }
    EXPECT_EQ(fs::read_symlink(link).string(), "/elsewhere");
    fs::remove(link);

    WriteBytes(link, "keep me");
    RadarSimulator sim;
    EXPECT_TRUE(sim.Start(link).empty());
    EXPECT_NE(sim.Error().find("not a symbolic link"), std::string::npos) << sim.Error();
    EXPECT_EQ(ReadBytes(link), "keep me");
    EXPECT_TRUE(sim.Start(link).empty()); // once per object
    sim.Stop();
}

// ---------------------------------------------------------------------------------------
// The program

namespace {

struct Child {
    pid_t pid = -1;
    int out = -1; // its stdout
    int err = -1; // its stderr, when captured
};

Child Spawn(const std::vector<std::string>& arguments, bool captureErr) {
    std::vector<std::string> all = {RADAR_SIM_PROGRAM};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2], err[2] = {-1, -1};
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    if (captureErr) {
        EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (captureErr)
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    Child child;
    EXPECT_EQ(posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (captureErr)
        close(err[1]);
    child.out = out[0];
    child.err = err[0];
    return child;
}

// Reads until `text` shows up, the pipe ends, or time runs out.
std::string ReadUntil(int fd, const std::string& text, int timeoutMs) {
    std::string seen;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (seen.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        char buffer[4096];
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        seen.append(buffer, size_t(got));
    }
    return seen;
}

// Waits for the child's exit; its exit status, or -1 when it did not exit normally in time.
int WaitExit(pid_t pid, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (std::chrono::steady_clock::now() >= end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

TEST(SimProgram, RunsOnALinkUntilSigterm) {
    TempFolder folder;
    std::string link = folder.File("radar");
    Child child = Spawn(
        {"--link", link, "--record", folder.File("record.jsonl"), "--sent", folder.File("sent.bin")}, false);
    ASSERT_GT(child.pid, 0);
    std::string out = ReadUntil(child.out, "ready\n", 20000);
    EXPECT_EQ(out, "ready\n");
    EXPECT_TRUE(fs::is_symlink(link));
    {
        HostLine host(link);
        ASSERT_TRUE(host.IsOpen());
        host.Write(Command(0x00FF, Hex("01 00")));
        Bytes everything;
        std::optional<Bytes> ack = host.ReadAck(0x00FF, 5000, &everything);
        ASSERT_TRUE(ack);
        EXPECT_EQ(*ack, Hex("00 00 01 00 40 00"));
        // The copy of what was sent is written as it goes.
        EXPECT_TRUE(
            WaitFor([&] { return ReadBytes(folder.File("sent.bin")).size() >= everything.size(); }, 5000));
        std::string sent = ReadBytes(folder.File("sent.bin"));
        EXPECT_EQ(Bytes(sent.begin(), sent.end()), everything);
    }
    EXPECT_TRUE(WaitFor(
        [&] { return ReadBytes(folder.File("record.jsonl")).find('\n') != std::string::npos; }, 5000));
    kill(child.pid, SIGTERM);
    EXPECT_EQ(WaitExit(child.pid, 10000), 0);
    close(child.out);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    std::string record = ReadBytes(folder.File("record.jsonl"));
    EXPECT_NE(record.find(R"("cmd":"0x00FF","value":"0100","status":0})"), std::string::npos) << record;
}

// SIGUSR1 pauses the report stream, commands are still answered, SIGUSR2 resumes it.
TEST(SimProgram, SignalsPauseAndResumeTheReports) {
    TempFolder folder;
    std::string link = folder.File("radar");
    Child child = Spawn({"--link", link, "--rate", "50"}, false);
    ASSERT_GT(child.pid, 0);
    EXPECT_EQ(ReadUntil(child.out, "ready\n", 20000), "ready\n");
    {
        HostLine host(link);
        ASSERT_TRUE(host.IsOpen());
        Bytes stream;
        ASSERT_TRUE(host.ReadFor(300, stream));
        EXPECT_FALSE(stream.empty());
        kill(child.pid, SIGUSR1);
        Bytes queued, quiet;
        host.ReadFor(400, queued);
        ASSERT_TRUE(host.ReadFor(400, quiet));
        EXPECT_TRUE(quiet.empty()) << quiet.size();
        host.Write(Command(0x00FF, Hex("01 00")));
        EXPECT_TRUE(host.ReadAck(0x00FF, 5000));
        host.Write(Command(0x00FE, {}));
        EXPECT_TRUE(host.ReadAck(0x00FE, 5000));
        kill(child.pid, SIGUSR2);
        Bytes again;
        ASSERT_TRUE(host.ReadFor(400, again));
        EXPECT_FALSE(again.empty());
    }
    kill(child.pid, SIGTERM);
    EXPECT_EQ(WaitExit(child.pid, 10000), 0);
    close(child.out);
}

TEST(SimProgram, ExitsAfterAHangUp) {
    TempFolder folder;
    std::string link = folder.File("radar");
    Child child = Spawn({"--link", link, "--fault", "hangup:0.2"}, true);
    ASSERT_GT(child.pid, 0);
    EXPECT_EQ(ReadUntil(child.out, "ready\n", 20000), "ready\n");
    EXPECT_EQ(WaitExit(child.pid, 10000), 0);
    close(child.out);
    close(child.err);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(SimProgram, WrongUsageExitsWithStatus2) {
    const std::vector<std::vector<std::string>> wrong = {{},
                                                         {"--link"},
                                                         {"--link", "/tmp/x", "--gates", "0"},
                                                         {"--link", "/tmp/x", "--fault", "boom"},
                                                         {"--what"}};
    for (const auto& arguments : wrong) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        Child child = Spawn(arguments, true);
        ASSERT_GT(child.pid, 0);
        std::string err = ReadUntil(child.err, "\x01", 10000);
        EXPECT_EQ(WaitExit(child.pid, 10000), 2);
        EXPECT_NE(err.find("Usage: radar-sim --link PATH"), std::string::npos) << err;
        EXPECT_EQ(ReadUntil(child.out, "\x01", 1000), "");
        close(child.out);
        close(child.err);
    }
    Child help = Spawn({"--help"}, true);
    std::string out = ReadUntil(help.out, "\x01", 10000);
    EXPECT_EQ(WaitExit(help.pid, 10000), 0);
    EXPECT_EQ(out, UsageText());
    close(help.out);
    close(help.err);
}

TEST(SimProgram, RefusesToReplaceAFile) {
    TempFolder folder;
    std::string path = folder.File("file");
    WriteBytes(path, "data");
    Child child = Spawn({"--link", path}, true);
    std::string err = ReadUntil(child.err, "\x01", 10000);
    EXPECT_EQ(WaitExit(child.pid, 10000), 1);
    EXPECT_NE(err.find("not a symbolic link"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(path), "data");
    close(child.out);
    close(child.err);
}
