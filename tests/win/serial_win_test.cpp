// The Win32 serial backend against the module simulator mapped to a COM port under Wine.
#include "KOVA_Common.h"
#include "KOVA_DataProcess.h"
#include "parameter_ack.h"
#include "radar_protocol.h"
#include "report_decoder.h"
#include "report_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

namespace {

// Stops the reader once enough complete reports have been decoded.
class CountingSink : public IReportSink {
public:
    explicit CountingSink(int wanted, std::atomic<int>& stop) : m_wanted(wanted), m_stop(stop) {}
    void PostReportMessage(const ReportValues&) override {
        if (++reports >= m_wanted)
            m_stop = 1;
    }
    std::atomic<int> reports{0};

private:
    int m_wanted;
    std::atomic<int>& m_stop;
};

class SimulatorPort : public ::testing::Test {
protected:
    void SetUp() override {
        const char* port = std::getenv("KOVA_TEST_PORT");
        if (port == nullptr)
            GTEST_SKIP() << "run through with-com-port.sh with radar-sim as the peer";
        handle = KOVA_Interface_RadarDevice_Serial_Create();
        ASSERT_TRUE(KOVA_Interface_RadarDevice_Serial_OpenByName(handle, port, 256000, 2, 1, 1, 150));
        ASSERT_TRUE(KOVA_Interface_RadarDevice_IsConnected(handle));
    }
    void TearDown() override {
        if (handle != 0) {
            KOVA_Interface_RadarDevice_Serial_Close(handle);
            EXPECT_FALSE(KOVA_Interface_RadarDevice_IsConnected(handle));
            KOVA_Interface_RadarDevice_Serial_Destroy(handle);
        }
    }
    RADAR_HANDLE handle = 0;
};

} // namespace

TEST_F(SimulatorPort, VersionParametersAndAHundredReports) {
    CBaseStringA version;
    ASSERT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_OK);
    EXPECT_STREQ(version.GetString(), "V1.02.22062416");

    ParameterReadResult parameters;
    ASSERT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_OK);
    KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdReadParameters, nullptr, 0,
                                                              ReadParameterAck,
                                                              uint64_t(uintptr_t(&parameters)), 2000),
              RADAR_OK);
    const uint16_t words[3] = {0, 1, 2};
    const uint32_t values[3] = {6, 7, 4};
    EXPECT_TRUE(KOVA_Interface_RadarDevice_Protocol_SetParameter(handle, radar::kCmdSetGatesAndOffTime, 3,
                                                                 words, values, 2000));
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdEngineeringOn, nullptr, 0,
                                                              CheckCmdAckData_RetCode, 0, 2000),
              RADAR_OK);
    EXPECT_TRUE(KOVA_Interface_RadarDevice_Start(handle));
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);
    EXPECT_EQ(parameters.gateCount, 9);
    EXPECT_EQ(parameters.movingSensitivity.size(), 9u);

    std::atomic<int> stop{0};
    CountingSink sink(100, stop);
    CurrentReport current;
    DistanceSampleList samples;
    ReportDecoder decoder(current, &samples, &sink, SensitivityTables{});
    DeviceReportSource source(handle);
    RunReportReader(source, nullptr, stop, decoder);
    EXPECT_GE(sink.reports.load(), 100);
    EXPECT_TRUE(decoder.LastOutcome().energies); // engineering reports were switched on
    EXPECT_TRUE(KOVA_Interface_RadarDevice_Stop(handle));
}
