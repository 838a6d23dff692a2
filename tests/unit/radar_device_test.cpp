// The radar device library against a scripted module on a real pseudo-terminal.
#include "KOVA_DataProcess.h"
#include "pty_peer.h"
#include "radar_protocol.h"
#include "serial_port.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <thread>

namespace {

// Not one of the B-constant rates, so the open goes the custom-rate way.
constexpr int kBaudRate = 256000;
constexpr int kAckTimeoutMs = 2000;
// Long enough for the scripted peer under sanitizers; only a failing case waits it out.
constexpr int kShortWaitMs = 100;

Bytes Ack(uint16_t word, uint16_t status, const Bytes& value = {}) {
    return radar::BuildAckFrame(word, status, value.data(), value.size());
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Bytes Slice(const Bytes& bytes, size_t from, size_t to) {
    return Bytes(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(to));
}

// One basic report frame as the module streams it.
const Bytes kReport = {0xF4, 0xF3, 0xF2, 0xF1, 0x0D, 0x00, 0x02, 0xAA, 0x03, 0x96, 0x00, 0x3C,
                       0x2C, 0x01, 0x28, 0x96, 0x00, 0x55, 0x00, 0xF8, 0xF7, 0xF6, 0xF5};

// What an acknowledgement callback was handed; `result` is what it answers.
struct AckRecord {
    int calls = 0;
    eRADAR_PROTOCOL_VERSION version = eRADAR_PROTOCOL_VERSION_0;
    Bytes bytes;
    uint16_t result = 0;
};

uint16_t RecordAck(eRADAR_PROTOCOL_VERSION version, const uint8_t* ack, int count, uint64_t context) {
    auto* record = reinterpret_cast<AckRecord*>(uintptr_t(context));
    ++record->calls;
    record->version = version;
    record->bytes.assign(ack, ack + count);
    return record->result;
}

uint64_t ContextOf(AckRecord& record) {
    return uint64_t(uintptr_t(&record));
}

uint16_t WordOf(const Bytes& frame) {
    return radar::ReadU16(frame.data() + 6);
}

bool IsLinkFailure(uint16_t code) {
    return code == RADAR_ERR_NOT_OPEN || code == RADAR_ERR_WRITE_FAILED;
}

// Every call on a handle without a usable link: refused at once, nothing half done.
void ExpectRefused(RADAR_HANDLE handle) {
    static const uint16_t kWords[3] = {0, 1, 2};
    static const uint32_t kValues[3] = {8, 6, 5};
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 0);
    EXPECT_PRED1(IsLinkFailure, KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150));
    EXPECT_PRED1(IsLinkFailure, KOVA_Interface_RadarDevice_StopCmdMode(handle));
    EXPECT_PRED1(IsLinkFailure,
                 KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdReadParameters, nullptr,
                                                                 0, nullptr, 0, kAckTimeoutMs));
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SetParameter(handle, radar::kCmdSetGatesAndOffTime, 3,
                                                               kWords, kValues, kAckTimeoutMs),
              0);
    CBaseStringA version("Unknown");
    EXPECT_PRED1(IsLinkFailure, KOVA_Interface_RadarDevice_GetVersion(handle, &version));
    EXPECT_STREQ(version.GetString(), "Unknown");
    uint8_t buffer[16];
    EXPECT_LT(KOVA_Interface_RadarDevice_ReadData(handle, buffer, sizeof buffer, kAckTimeoutMs, 0), 0);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Start(handle), 0);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Stop(handle), 0);
    EXPECT_EQ(KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500), 0);
}

TEST(RadarDeviceHandleTest, UnknownDestroyedAndUnopenedHandlesAreRefused) {
    RADAR_HANDLE destroyed = KOVA_Interface_RadarDevice_Serial_Create();
    ASSERT_NE(destroyed, 0u);
    KOVA_Interface_RadarDevice_Serial_Destroy(destroyed);
    for (RADAR_HANDLE handle : {RADAR_HANDLE(0), destroyed, destroyed + 1000, ~RADAR_HANDLE(0)}) {
        SCOPED_TRACE(handle);
        ExpectRefused(handle);
        EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_ERR_NOT_OPEN);
        EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(handle), 0);
        EXPECT_EQ(KOVA_Interface_RadarDevice_Serial_OpenByName(handle, "/dev/null", kBaudRate, 1, 1, 1, 0),
                  0);
        KOVA_Interface_RadarDevice_Serial_Close(handle);
        KOVA_Interface_RadarDevice_Serial_Destroy(handle);
    }

    RADAR_HANDLE unopened = KOVA_Interface_RadarDevice_Serial_Create();
    EXPECT_NE(unopened, destroyed) << "handles are not reused";
    ExpectRefused(unopened);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(unopened), RADAR_ERR_NOT_OPEN);
    EXPECT_GT(KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(unopened), 0);
    KOVA_Interface_RadarDevice_Serial_Destroy(unopened);
}

TEST(RadarDeviceAckCheckTest, StatusWordDecides) {
    const uint8_t success[] = {0x00, 0x00, 0x01, 0x00};
    const uint8_t refused[] = {0x01, 0x00};
    const uint8_t other[] = {0x05, 0x01, 0xAA};
    struct Case {
        eRADAR_PROTOCOL_VERSION version;
        const uint8_t* ack;
        int count;
        uint16_t expected;
    } cases[] = {
        {eRADAR_PROTOCOL_VERSION_1, success, 4, RADAR_OK},
        {eRADAR_PROTOCOL_VERSION_1, refused, 2, 1},
        {eRADAR_PROTOCOL_VERSION_1, other, 3, 0x0105},
        {eRADAR_PROTOCOL_VERSION_1, refused, 1, RADAR_ERR_MALFORMED_ACK},
        {eRADAR_PROTOCOL_VERSION_1, nullptr, 0, RADAR_ERR_MALFORMED_ACK},
        {eRADAR_PROTOCOL_VERSION_0, refused, 2, RADAR_OK},
        {eRADAR_PROTOCOL_VERSION_0, nullptr, 0, RADAR_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.count << " bytes");
        EXPECT_EQ(CheckCmdAckData_RetCode(c.version, c.ack, c.count, 0), c.expected);
    }
}

TEST(RadarDevicePortNameTest, PortNumbersCountFromTtyS0) {
    EXPECT_EQ(SerialPortNameForNumber(1), "/dev/ttyS0");
    EXPECT_EQ(SerialPortNameForNumber(12), "/dev/ttyS11");
}

class RadarDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.IsOpen());
        handle = KOVA_Interface_RadarDevice_Serial_Create();
        ASSERT_NE(handle, 0u);
        ASSERT_EQ(Open(kBaudRate, 1), 1);
        ASSERT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 1);
    }
    void TearDown() override { KOVA_Interface_RadarDevice_Serial_Destroy(handle); }

    int Open(int baudRate, int stopBits) {
        return KOVA_Interface_RadarDevice_Serial_OpenByName(handle, peer.SlavePath().c_str(), baudRate, 2,
                                                            stopBits, 1, 150);
    }
    uint16_t Send(uint16_t word, AckRecord& record, int timeoutMs = kAckTimeoutMs) {
        return KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, word, nullptr, 0, RecordAck,
                                                               ContextOf(record), timeoutMs);
    }
    uint16_t Send(uint16_t word, int timeoutMs = kAckTimeoutMs) {
        return KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, word, nullptr, 0,
                                                               CheckCmdAckData_RetCode, 0, timeoutMs);
    }
    int SetGates(int timeoutMs = kAckTimeoutMs) {
        static const uint16_t kWords[3] = {0, 1, 2};
        static const uint32_t kValues[3] = {8, 6, 0x01020305};
        return KOVA_Interface_RadarDevice_Protocol_SetParameter(handle, radar::kCmdSetGatesAndOffTime, 3,
                                                                kWords, kValues, timeoutMs);
    }
    // Reads until `size` bytes are there or the time-out passes.
    Bytes ReadFull(size_t size, int timeoutMs = kAckTimeoutMs) {
        Bytes bytes(size);
        int count = KOVA_Interface_RadarDevice_ReadData(handle, bytes.data(), int(size), timeoutMs, 1);
        bytes.resize(size_t(std::max(count, 0)));
        return bytes;
    }
    // Nothing more is waiting: a short read finds no byte.
    void ExpectNothingBuffered() {
        uint8_t buffer[64];
        EXPECT_EQ(KOVA_Interface_RadarDevice_ReadData(handle, buffer, sizeof buffer, kShortWaitMs, 0), 0);
    }

    PtyPeer peer;
    RADAR_HANDLE handle = 0;
};

TEST_F(RadarDeviceTest, OpenReopenAndClose) {
    // Opening an open handle closes it first; the standard-rate way and two stop bits open too.
    EXPECT_EQ(Open(115200, 2), 1);
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 1);

    KOVA_Interface_RadarDevice_Serial_Close(handle);
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 0);
    KOVA_Interface_RadarDevice_Serial_Close(handle);
    ExpectRefused(handle);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_ERR_NOT_OPEN);

    struct Case {
        const char* name;
        int baudRate;
        int stopBits;
    } refused[] = {
        {"/nonexistent/ttyX", kBaudRate, 1},
        {"", kBaudRate, 1},
        {nullptr, kBaudRate, 1},
        {"SLAVE", 0, 1},
        {"SLAVE", -9600, 1},
        {"SLAVE", kBaudRate, 3},
    };
    for (const Case& c : refused) {
        const char* name = c.name && std::string(c.name) == "SLAVE" ? peer.SlavePath().c_str() : c.name;
        SCOPED_TRACE(testing::Message()
                     << (name ? name : "(null)") << " " << c.baudRate << " " << c.stopBits);
        EXPECT_EQ(KOVA_Interface_RadarDevice_Serial_OpenByName(handle, name, c.baudRate, 2, c.stopBits, 1, 1),
                  0);
        EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 0);
    }
    EXPECT_EQ(KOVA_Interface_RadarDevice_Serial_OpenByPortNum(handle, 0, kBaudRate, 2, 1, 1, 1), 0);

    // The handle stays usable after a close.
    peer.Answer(radar::kCmdEngineeringOff, {Ack(radar::kCmdEngineeringOff, 0)});
    ASSERT_EQ(Open(kBaudRate, 1), 1);
    EXPECT_EQ(Send(radar::kCmdEngineeringOff), RADAR_OK);
}

TEST_F(RadarDeviceTest, CommandFramesOnTheWire) {
    peer.Answer(radar::kCmdEnterCommandMode, {Ack(radar::kCmdEnterCommandMode, 0, {0x01, 0x00, 0x40, 0x00})});
    peer.Answer(radar::kCmdSetGatesAndOffTime, {Ack(radar::kCmdSetGatesAndOffTime, 0)});
    peer.Answer(radar::kCmdEngineeringOn, {Ack(radar::kCmdEngineeringOn, 0)});
    peer.Answer(radar::kCmdLeaveCommandMode, {Ack(radar::kCmdLeaveCommandMode, 0)});

    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_OK);
    EXPECT_EQ(SetGates(), 1);
    const uint8_t value[] = {0x01, 0x02, 0x03};
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdEngineeringOn, value, 3,
                                                              nullptr, 0, kAckTimeoutMs),
              RADAR_OK);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StopCmdMode(handle), RADAR_OK);

    const std::vector<Bytes> expected = {
        {0xFD, 0xFC, 0xFB, 0xFA, 0x04, 0x00, 0xFF, 0x00, 0x01, 0x00, 0x04, 0x03, 0x02, 0x01},
        {0xFD, 0xFC, 0xFB, 0xFA, 0x14, 0x00, 0x60, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01,
         0x00, 0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0x05, 0x03, 0x02, 0x01, 0x04, 0x03, 0x02, 0x01},
        {0xFD, 0xFC, 0xFB, 0xFA, 0x05, 0x00, 0x62, 0x00, 0x01, 0x02, 0x03, 0x04, 0x03, 0x02, 0x01},
        {0xFD, 0xFC, 0xFB, 0xFA, 0x02, 0x00, 0xFE, 0x00, 0x04, 0x03, 0x02, 0x01},
    };
    EXPECT_EQ(peer.Frames(expected.size()), expected);
}

TEST_F(RadarDeviceTest, SendCommandHandsTheCallbackStatusAndValue) {
    peer.Answer(radar::kCmdReadParameters, {Ack(radar::kCmdReadParameters, 0, {0xAA, 0x08, 0x05, 0x06})});
    AckRecord record;
    record.result = 0x1234; // whatever the callback answers is the result
    EXPECT_EQ(Send(radar::kCmdReadParameters, record), 0x1234);
    EXPECT_EQ(record.calls, 1);
    EXPECT_EQ(record.version, eRADAR_PROTOCOL_VERSION_1);
    EXPECT_EQ(record.bytes, (Bytes{0x00, 0x00, 0xAA, 0x08, 0x05, 0x06}));

    // Without a callback the status word decides.
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdReadParameters, nullptr, 0,
                                                              nullptr, 0, kAckTimeoutMs),
              RADAR_OK);

    // A value that cannot be framed is refused before anything is written.
    const uint8_t value[2] = {1, 2};
    EXPECT_EQ(
        KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, 0x62, value, -1, nullptr, 0, kShortWaitMs),
        RADAR_ERR_WRITE_FAILED);
    EXPECT_EQ(
        KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, 0x62, nullptr, 2, nullptr, 0, kShortWaitMs),
        RADAR_ERR_WRITE_FAILED);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, 0x62, value, radar::kMaxCommandData,
                                                              nullptr, 0, kShortWaitMs),
              RADAR_ERR_WRITE_FAILED);
    EXPECT_EQ(peer.Frames().size(), 2u);
}

TEST_F(RadarDeviceTest, GetVersionReadsInItsOwnBracket) {
    struct Case {
        uint16_t major;
        uint32_t minor;
        const char* text;
    } cases[] = {
        {0x0102, 0x22062416, "V1.02.22062416"},
        {0x0AFF, 0x0000000B, "V10.FF.0000000B"},
    };
    peer.Answer(radar::kCmdEnterCommandMode, {Ack(radar::kCmdEnterCommandMode, 0, {0x01, 0x00, 0x40, 0x00})});
    peer.Answer(radar::kCmdLeaveCommandMode, {Ack(radar::kCmdLeaveCommandMode, 0)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Bytes value = {0x00, 0x00};
        radar::AppendU16(value, c.major);
        radar::AppendU32(value, c.minor);
        peer.Answer(radar::kCmdReadFirmwareVersion, {Ack(radar::kCmdReadFirmwareVersion, 0, value)});
        CBaseStringA version("Unknown");
        EXPECT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_OK);
        EXPECT_STREQ(version.GetString(), c.text);
    }
    std::vector<Bytes> frames = peer.Frames(6);
    ASSERT_EQ(frames.size(), 6u);
    for (size_t i = 0; i < frames.size(); ++i) {
        static const uint16_t kOrder[3] = {radar::kCmdEnterCommandMode, radar::kCmdReadFirmwareVersion,
                                           radar::kCmdLeaveCommandMode};
        EXPECT_EQ(WordOf(frames[i]), kOrder[i % 3]) << "frame " << i;
    }

    // A version acknowledgement without the whole value.
    peer.Answer(radar::kCmdReadFirmwareVersion,
                {Ack(radar::kCmdReadFirmwareVersion, 0, {0x00, 0x00, 0x02, 0x01})});
    CBaseStringA version("Unknown");
    EXPECT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_ERR_MALFORMED_ACK);
    EXPECT_STREQ(version.GetString(), "Unknown");
}

TEST_F(RadarDeviceTest, RefusalsCarryTheModuleStatus) {
    peer.Answer(radar::kCmdSetGatesAndOffTime, {Ack(radar::kCmdSetGatesAndOffTime, 1)});
    EXPECT_EQ(SetGates(), 0);
    EXPECT_EQ(Send(radar::kCmdSetGatesAndOffTime), 1);
    peer.Answer(radar::kCmdSetGatesAndOffTime, {Ack(radar::kCmdSetGatesAndOffTime, 5)});
    EXPECT_EQ(KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdSetGatesAndOffTime, nullptr,
                                                              0, nullptr, 0, kAckTimeoutMs),
              5);

    // Entering command mode tries again after a refusal, and reports the last answer.
    peer.Answer(radar::kCmdEnterCommandMode, {Ack(radar::kCmdEnterCommandMode, 1, {0x01, 0x00, 0x40, 0x00})});
    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), 1);
    EXPECT_EQ(peer.Frames(5).size(), 5u);
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 1);
}

TEST_F(RadarDeviceTest, MissingAcknowledgementTimesOut) {
    EXPECT_EQ(Send(radar::kCmdReadParameters, kShortWaitMs), RADAR_ERR_NO_ACK);
    EXPECT_EQ(SetGates(kShortWaitMs), 0);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 3, kShortWaitMs), RADAR_ERR_NO_ACK);
    std::vector<Bytes> frames = peer.Frames(5);
    ASSERT_EQ(frames.size(), 5u) << "one frame per attempt";
    EXPECT_EQ(WordOf(frames[4]), radar::kCmdEnterCommandMode);

    // GetVersion gives up when command mode is not entered, and leaves the text alone.
    CBaseStringA version("Unknown");
    EXPECT_EQ(KOVA_Interface_RadarDevice_GetVersion(handle, &version), RADAR_ERR_NO_ACK);
    EXPECT_STREQ(version.GetString(), "Unknown");

    // A silent module is not a lost link.
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 1);
}

TEST_F(RadarDeviceTest, MalformedAcknowledgement) {
    // The acknowledged word and nothing after it: no status word.
    const Bytes wordOnly = {0xFD, 0xFC, 0xFB, 0xFA, 0x02, 0x00, 0x61, 0x01, 0x04, 0x03, 0x02, 0x01};
    peer.Answer(radar::kCmdReadParameters, {Join({wordOnly, kReport})});
    AckRecord record;
    EXPECT_EQ(Send(radar::kCmdReadParameters, record), RADAR_ERR_MALFORMED_ACK);
    EXPECT_EQ(record.calls, 0);
    EXPECT_EQ(ReadFull(kReport.size()), kReport);
}

TEST_F(RadarDeviceTest, AcknowledgementFoundAmidOtherTraffic) {
    struct Case {
        const char* what;
        Bytes before;
    } cases[] = {
        {"report frames", Join({kReport, kReport})},
        {"acknowledgements of other words",
         Join({Ack(radar::kCmdSetGatesAndOffTime, 1), Ack(radar::kCmdEnterCommandMode, 0, {1, 0, 64, 0})})},
        {"the command frame of the same word",
         radar::BuildCommandFrame(radar::kCmdReadParameters, nullptr, 0)},
        {"garbage", {0x00, 0xFD, 0xFC, 0x13, 0x55, 0xF4, 0xF3, 0x01, 0xFD}},
        {"a frame of the word with a broken tail",
         {0xFD, 0xFC, 0xFB, 0xFA, 0x04, 0x00, 0x61, 0x01, 0x00, 0x00, 0x04, 0x03, 0x02, 0x00}},
        {"a header declaring more bytes than follow", {0xFD, 0xFC, 0xFB, 0xFA, 0x00, 0x02, 0x61, 0x01}},
        {"a report cut short", Slice(kReport, 0, 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        peer.Answer(radar::kCmdReadParameters,
                    {Join({c.before, Ack(radar::kCmdReadParameters, 0, {7}), kReport})});
        AckRecord record;
        EXPECT_EQ(Send(radar::kCmdReadParameters, record), RADAR_OK);
        EXPECT_EQ(record.bytes, (Bytes{0x00, 0x00, 0x07}));
        // The report that followed the acknowledgement is the next thing read, whole.
        EXPECT_EQ(ReadFull(kReport.size()), kReport);
        ExpectNothingBuffered();
    }
}

TEST_F(RadarDeviceTest, AcknowledgementWrittenInPieces) {
    Bytes ack = Ack(radar::kCmdReadParameters, 0, {0xAA, 0x01});
    Bytes tail = Join({ack, kReport});
    peer.Answer(radar::kCmdReadParameters,
                {Slice(tail, 0, 1), Slice(tail, 1, 5), Slice(tail, 5, 9), Slice(tail, 9, ack.size() + 3),
                 Slice(tail, ack.size() + 3, tail.size())});
    AckRecord record;
    EXPECT_EQ(Send(radar::kCmdReadParameters, record), RADAR_OK);
    EXPECT_EQ(record.bytes, (Bytes{0x00, 0x00, 0xAA, 0x01}));
    EXPECT_EQ(ReadFull(kReport.size()), kReport);
}

TEST_F(RadarDeviceTest, StaleBytesAreDropped) {
    // Bytes that arrived unasked, and bytes left behind an acknowledgement.
    Bytes stale = Join({kReport, {0x01, 0x02, 0x03}});
    peer.Send(stale);
    EXPECT_EQ(KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500), int(stale.size()));
    ExpectNothingBuffered();

    peer.Answer(radar::kCmdEngineeringOff, {Join({Ack(radar::kCmdEngineeringOff, 0), kReport})});
    ASSERT_EQ(Send(radar::kCmdEngineeringOff), RADAR_OK);
    EXPECT_EQ(KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500), int(kReport.size()));
    ExpectNothingBuffered();

    // Start and Stop drop what is buffered too (Start's stream is the reader's until Stop).
    ASSERT_EQ(Send(radar::kCmdEngineeringOff), RADAR_OK);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Start(handle), 1);
    ExpectNothingBuffered();
    EXPECT_EQ(KOVA_Interface_RadarDevice_Stop(handle), 1);
    ASSERT_EQ(Send(radar::kCmdEngineeringOff), RADAR_OK);
    EXPECT_EQ(KOVA_Interface_RadarDevice_Stop(handle), 1);
    ExpectNothingBuffered();
}

TEST_F(RadarDeviceTest, ReadDataReturnsEarlyOrWaitsForFull) {
    // The report comes in three writes, after the acknowledgement.
    std::vector<Bytes> pieces = {Ack(radar::kCmdEngineeringOn, 0), Slice(kReport, 0, 5),
                                 Slice(kReport, 5, 15), Slice(kReport, 15, kReport.size())};
    peer.Answer(radar::kCmdEngineeringOn, pieces);

    ASSERT_EQ(Send(radar::kCmdEngineeringOn), RADAR_OK);
    EXPECT_EQ(ReadFull(kReport.size()), kReport);

    ASSERT_EQ(Send(radar::kCmdEngineeringOn), RADAR_OK);
    Bytes first(kReport.size());
    int count =
        KOVA_Interface_RadarDevice_ReadData(handle, first.data(), int(first.size()), kAckTimeoutMs, 0);
    ASSERT_GT(count, 0);
    ASSERT_LT(count, int(kReport.size())) << "returned as soon as bytes were there";
    first.resize(size_t(count));
    EXPECT_EQ(Join({first, ReadFull(kReport.size() - first.size())}), kReport);

    // Fewer bytes than asked for: those that came, once the time is up.
    peer.Send(Slice(kReport, 0, 5));
    EXPECT_EQ(ReadFull(kReport.size(), kShortWaitMs), Slice(kReport, 0, 5));
    ExpectNothingBuffered();

    uint8_t byte = 0;
    EXPECT_LT(KOVA_Interface_RadarDevice_ReadData(handle, nullptr, 1, kShortWaitMs, 0), 0);
    EXPECT_LT(KOVA_Interface_RadarDevice_ReadData(handle, &byte, 0, kShortWaitMs, 0), 0);
}

TEST_F(RadarDeviceTest, ReadDataStopsAtTheReadSize) {
    const int maxSize = KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(handle);
    ASSERT_GT(maxSize, 0);
    Bytes stream(size_t(maxSize) + 100);
    for (size_t i = 0; i < stream.size(); ++i)
        stream[i] = uint8_t(i * 7);
    peer.Answer(radar::kCmdEngineeringOn, {Join({Ack(radar::kCmdEngineeringOn, 0), stream})});
    ASSERT_EQ(Send(radar::kCmdEngineeringOn), RADAR_OK);
    Bytes first = ReadFull(stream.size());
    EXPECT_EQ(first.size(), size_t(maxSize));
    EXPECT_EQ(Join({first, ReadFull(100)}), stream);
}

TEST_F(RadarDeviceTest, HangUpEndsABlockedRead) {
    std::atomic<int> result{0};
    std::atomic<bool> reading{false};
    std::thread reader([&] {
        uint8_t buffer[64];
        reading = true;
        result = KOVA_Interface_RadarDevice_ReadData(handle, buffer, sizeof buffer, 60000, 0);
    });
    while (!reading)
        std::this_thread::yield();
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 1);
    peer.HangUp();
    reader.join();
    EXPECT_LT(result.load(), 0);
    ExpectRefused(handle);
    EXPECT_EQ(KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150), RADAR_ERR_NOT_OPEN);
}

TEST_F(RadarDeviceTest, HangUpWhileWaitingForTheAcknowledgement) {
    std::thread hangUp([&] {
        peer.Frames(1);
        peer.HangUp();
    });
    EXPECT_EQ(Send(radar::kCmdReadParameters, 60000), RADAR_ERR_NOT_OPEN);
    hangUp.join();
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 0);
}

TEST_F(RadarDeviceTest, HangUpFoundByAWrite) {
    peer.HangUp();
    EXPECT_EQ(Send(radar::kCmdReadParameters), RADAR_ERR_WRITE_FAILED);
    EXPECT_EQ(KOVA_Interface_RadarDevice_IsConnected(handle), 0);
    EXPECT_EQ(Send(radar::kCmdReadParameters), RADAR_ERR_NOT_OPEN);
}

} // namespace
