// The device library, the report reader and the simulator together over a real
// pseudo-terminal: what the program does to a module, end to end.
#include "KOVA_DataProcess.h"
#include "parameter_ack.h"
#include "radar_protocol.h"
#include "radar_simulator.h"
#include "report_decoder.h"
#include "report_reader.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

using radarsim::FaultSet;
using radarsim::RadarSimulator;
using radarsim::SimulatorOptions;

namespace {

SimulatorOptions Options(int rateHz, bool engineering = false) {
    SimulatorOptions options;
    options.rateHz = rateHz;
    options.engineering = engineering;
    return options;
}

FaultSet Faults(std::initializer_list<const char*> texts) {
    FaultSet faults;
    std::string error;
    for (const char* text : texts)
        EXPECT_TRUE(radarsim::AddFault(faults, text, error)) << error;
    return faults;
}

class DeviceOnSimulator : public ::testing::Test {
protected:
    void Open(SimulatorOptions options) {
        simulator = std::make_unique<RadarSimulator>(std::move(options));
        std::string slave = simulator->Start();
        ASSERT_FALSE(slave.empty()) << simulator->Error();
        handle = KOVA_Interface_RadarDevice_Serial_Create();
        ASSERT_TRUE(
            KOVA_Interface_RadarDevice_Serial_OpenByName(handle, slave.c_str(), 256000, 2, 1, 1, 150));
    }
    void TearDown() override {
        KOVA_Interface_RadarDevice_Serial_Destroy(handle);
        if (simulator)
            simulator->Stop();
    }

    // The command bracket the program wraps around every action.
    uint16_t Enter() {
        uint16_t code = KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150);
        KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500);
        return code;
    }
    uint16_t Send(uint16_t word, RadarAckCallback callback = CheckCmdAckData_RetCode, uint64_t context = 0) {
        return KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, word, nullptr, 0, callback, context,
                                                               2000);
    }
    int Set(uint16_t word, uint32_t a, uint32_t b, uint32_t c) {
        const uint16_t words[3] = {0, 1, 2};
        const uint32_t values[3] = {a, b, c};
        return KOVA_Interface_RadarDevice_Protocol_SetParameter(handle, word, 3, words, values, 2000);
    }

    std::unique_ptr<RadarSimulator> simulator;
    RADAR_HANDLE handle = 0;
};

} // namespace

TEST_F(DeviceOnSimulator, EveryCommandWhileTheModuleStreams) {
    Open(Options(50));
    CBaseStringA version;
    ASSERT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_OK);
    EXPECT_STREQ(version.GetString(), "V1.02.22062416");

    ASSERT_EQ(Enter(), RADAR_OK);
    EXPECT_TRUE(simulator->State().commandMode);
    ParameterReadResult read;
    ASSERT_EQ(Send(radar::kCmdReadParameters, ReadParameterAck, uint64_t(uintptr_t(&read))), RADAR_OK);
    EXPECT_EQ(read.gateCount, 9);
    EXPECT_EQ(read.movingGateCount, 9);
    EXPECT_EQ(read.offTime, 5);
    EXPECT_EQ(read.movingSensitivity, (std::vector<uint16_t>{50, 50, 40, 40, 40, 40, 30, 30, 30}));
    EXPECT_EQ(read.motionlessSensitivity, (std::vector<uint16_t>{0, 0, 40, 40, 40, 40, 15, 15, 15}));

    EXPECT_TRUE(Set(radar::kCmdSetGatesAndOffTime, 5, 6, 12));
    EXPECT_TRUE(Set(radar::kCmdSetGateSensitivity, 3, 77, 66));
    EXPECT_TRUE(Set(radar::kCmdSetGateSensitivity, radar::kAllGates, 20, 10));
    EXPECT_TRUE(Set(radar::kCmdSetGateSensitivity, 8, 99, 98));
    EXPECT_EQ(Send(radar::kCmdEngineeringOn), RADAR_OK);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);

    radarsim::ModuleState state = simulator->State();
    EXPECT_FALSE(state.commandMode);
    EXPECT_TRUE(state.parameters.engineering);
    EXPECT_EQ(state.parameters.farthestMovingGate, 5);
    EXPECT_EQ(state.parameters.farthestMotionlessGate, 6);
    EXPECT_EQ(state.parameters.offTimeSeconds, 12);
    EXPECT_EQ(state.parameters.movingSensitivity, (std::vector<uint8_t>{20, 20, 20, 20, 20, 20, 20, 20, 99}));
    EXPECT_EQ(state.parameters.motionlessSensitivity,
              (std::vector<uint8_t>{10, 10, 10, 10, 10, 10, 10, 10, 98}));

    // What reached the module, in order, as the record keeps it.
    std::vector<uint16_t> words;
    for (const radarsim::CommandEvent& event : simulator->Commands())
        words.push_back(event.word);
    EXPECT_EQ(words, (std::vector<uint16_t>{0x00FF, 0x00A0, 0x00FE, 0x00FF, 0x0061, 0x0060, 0x0064, 0x0064,
                                            0x0064, 0x0062, 0x00FE}));
}

TEST_F(DeviceOnSimulator, RefusedValuesAndMissingAnswers) {
    Open(Options(20));
    ASSERT_EQ(Enter(), RADAR_OK);
    EXPECT_FALSE(Set(radar::kCmdSetGatesAndOffTime, 9, 4, 5)); // gate 9 of a nine-gate module
    EXPECT_FALSE(Set(radar::kCmdSetGateSensitivity, 2, 101, 0));
    EXPECT_FALSE(Set(radar::kCmdSetGateSensitivity, 9, 10, 10));
    EXPECT_EQ(simulator->State().parameters, radarsim::ModuleParameters::Defaults(9));

    simulator->SetFaults(Faults({"noack:0x0061", "nak:0x0062"}));
    ParameterReadResult read;
    EXPECT_EQ(Send(radar::kCmdReadParameters, ReadParameterAck, uint64_t(uintptr_t(&read))),
              RADAR_ERR_NO_ACK);
    EXPECT_EQ(read.gateCount, 0);
    EXPECT_EQ(Send(radar::kCmdEngineeringOn), 1);
    simulator->SetFaults(FaultSet{});
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);
}

TEST_F(DeviceOnSimulator, CommandsFindTheirAnswersAmidGarbageAndSplitFrames) {
    SimulatorOptions options = Options(100, true);
    options.faults = Faults({"garbage:500", "badtail:300", "split"});
    Open(std::move(options));
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(Enter(), RADAR_OK) << round;
        ParameterReadResult read;
        EXPECT_EQ(Send(radar::kCmdReadParameters, ReadParameterAck, uint64_t(uintptr_t(&read))), RADAR_OK);
        EXPECT_EQ(read.gateCount, 9);
        EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK) << round;
        std::this_thread::sleep_for(std::chrono::milliseconds(60)); // let reports flow again
    }
}

// From Start until Stop the line is the reader's: no command reaches the module, and the
// stream arrives whole.
TEST_F(DeviceOnSimulator, CommandsAreRefusedWhileReportingRuns) {
    Open(Options(50));
    ASSERT_EQ(Enter(), RADAR_OK);
    ASSERT_EQ(Send(radar::kCmdEngineeringOff), RADAR_OK);
    ASSERT_TRUE(KOVA_Interface_RadarDevice_Start(handle));
    ASSERT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);
    const size_t commandsBefore = simulator->Commands().size();

    CBaseStringA version("unchanged");
    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_ERR_REPORTING);
    EXPECT_EQ(KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500), 0);
    EXPECT_EQ(Send(radar::kCmdReadParameters), RADAR_ERR_REPORTING);
    EXPECT_EQ(Set(radar::kCmdSetGateSensitivity, 3, 35, 20), 0);
    EXPECT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_ERR_REPORTING);
    EXPECT_STREQ(version.GetString(), "unchanged");
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_ERR_REPORTING);
    EXPECT_TRUE(KOVA_Interface_RadarDevice_IsConnected(handle));

    // The stream still flows, starting with a whole report frame.
    uint8_t buffer[256];
    int count = KOVA_Interface_RadarDevice_ReadData(handle, buffer, sizeof buffer, 2000, 0);
    ASSERT_GT(count, 4);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{0xF4, 0xF3, 0xF2, 0xF1}));
    EXPECT_FALSE(simulator->WaitForCommands(commandsBefore + 1, 300));
    EXPECT_FALSE(simulator->State().commandMode);

    // Stop gives the line back.
    EXPECT_TRUE(KOVA_Interface_RadarDevice_Stop(handle));
    ASSERT_EQ(Enter(), RADAR_OK);
    EXPECT_EQ(Set(radar::kCmdSetGateSensitivity, 3, 35, 20), 1);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);
    EXPECT_EQ(simulator->State().parameters.movingSensitivity[3], 35);
}

TEST_F(DeviceOnSimulator, HangUpDuringARead) {
    SimulatorOptions options = Options(10);
    options.faults = Faults({"silent", "hangup:1"});
    Open(std::move(options));
    uint8_t buffer[64];
    int result = 0;
    // Reads wait for bytes that never come until the line hangs up.
    for (int i = 0; i < 10 && result >= 0; ++i)
        result = KOVA_Interface_RadarDevice_ReadData(handle, buffer, sizeof buffer, 2000, 0);
    EXPECT_LT(result, 0);
    EXPECT_TRUE(simulator->HungUp());
    EXPECT_FALSE(KOVA_Interface_RadarDevice_IsConnected(handle));
    EXPECT_NE(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_OK);
}

namespace {
class StopAfterReports : public IReportSink {
public:
    StopAfterReports(int wanted, std::atomic<int>& stop) : m_wanted(wanted), m_stop(stop) {}
    void PostReportMessage(const ReportValues&) override {
        if (++m_reports >= m_wanted)
            m_stop = 1;
    }

private:
    int m_wanted;
    int m_reports = 0;
    std::atomic<int>& m_stop;
};
} // namespace

TEST_F(DeviceOnSimulator, ReaderCapturesExactlyWhatTheModuleSent) {
    SimulatorOptions options = Options(200, true);
    options.faults = Faults({"garbage:100", "badtail:100", "split"});
    Open(std::move(options));
    TempFolder folder;
    std::string capturePath = folder.File("run.dat");

    // The start of a reporting run: engineering on, stream on, leave command mode.
    ASSERT_EQ(Enter(), RADAR_OK);
    ASSERT_EQ(Send(radar::kCmdEngineeringOn), RADAR_OK);
    ASSERT_TRUE(KOVA_Interface_RadarDevice_Start(handle));
    ASSERT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);

    std::atomic<int> stop{0};
    StopAfterReports sink(60, stop);
    CurrentReport current;
    DistanceSampleList samples;
    std::vector<uint16_t> moving(9, 40), motionless(9, 20);
    CBaseLock tablesLock;
    ReportDecoder decoder(current, &samples, &sink, SensitivityTables{moving, motionless, tablesLock});
    std::FILE* capture = std::fopen(capturePath.c_str(), "wb");
    ASSERT_NE(capture, nullptr);
    DeviceReportSource source(handle);
    std::thread reader([&] { RunReportReader(source, capture, stop, decoder); });
    reader.join();
    std::fclose(capture);
    KOVA_Interface_RadarDevice_Stop(handle);
    EXPECT_GE(samples.Count(), 60);

    // The capture is the stream right after the acknowledgement of leaving command mode.
    std::vector<uint8_t> sent = simulator->Sent();
    std::vector<uint8_t> leaveAck = radar::BuildAckFrame(radar::kCmdLeaveCommandMode, 0, nullptr, 0);
    auto ack = std::find_end(sent.begin(), sent.end(), leaveAck.begin(), leaveAck.end());
    ASSERT_NE(ack, sent.end());
    std::string captured = ReadBytes(capturePath);
    size_t start = size_t(ack - sent.begin()) + leaveAck.size();
    ASSERT_GE(sent.size() - start, captured.size());
    ASSERT_GT(captured.size(), 60u * 23u);
    EXPECT_TRUE(std::equal(captured.begin(), captured.end(), sent.begin() + long(start),
                           [](char a, uint8_t b) { return uint8_t(a) == b; }));
}
