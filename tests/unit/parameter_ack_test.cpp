#include "parameter_ack.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const std::vector<uint16_t> kMoving{50, 50, 40, 40, 40, 40, 30, 30, 30};
const std::vector<uint16_t> kMotionless{15, 15, 15, 15, 15, 15, 15, 15, 20};

// The nine-gate payload: farthest moving gate 5, farthest motionless gate 6, off time 3 s.
Bytes NineGatePayload() {
    Bytes payload = {0x00, 0x08, 0x05, 0x06};
    payload.insert(payload.end(), kMoving.begin(), kMoving.end());
    payload.insert(payload.end(), kMotionless.begin(), kMotionless.end());
    payload.insert(payload.end(), {0x03, 0x00});
    return payload;
}

Bytes WithStatus(uint16_t status, Bytes payload) {
    payload.insert(payload.begin(), {uint8_t(status), uint8_t(status >> 8)});
    return payload;
}

uint16_t Decode(eRADAR_PROTOCOL_VERSION version, const Bytes& bytes, ParameterReadResult& result) {
    return ReadParameterAck(version, bytes.data(), int(bytes.size()), uint64_t(uintptr_t(&result)));
}

TEST(ReadParameterAck, DecodesThePayloadWithAndWithoutAStatusWord) {
    struct Case {
        const char* name;
        eRADAR_PROTOCOL_VERSION version;
        Bytes bytes;
    };
    for (const Case& c :
         {Case{"version 0", eRADAR_PROTOCOL_VERSION_0, NineGatePayload()},
          Case{"version 1, status 0", eRADAR_PROTOCOL_VERSION_1, WithStatus(0, NineGatePayload())}}) {
        SCOPED_TRACE(c.name);
        ParameterReadResult result;
        ASSERT_EQ(Decode(c.version, c.bytes, result), 0);
        EXPECT_EQ(result.gateCount, 9);
        EXPECT_EQ(result.movingGateCount, 6);
        EXPECT_EQ(result.motionlessGateCount, 7);
        EXPECT_EQ(result.movingSensitivity, kMoving);
        EXPECT_EQ(result.motionlessSensitivity, kMotionless);
        EXPECT_EQ(result.offTime, 3);
    }
}

TEST(ReadParameterAck, WideGateCountsAndOffTimesUseAllTheirBits) {
    Bytes payload = {0xAA, 0xFF, 0xFF, 0x00};
    payload.resize(payload.size() + 2 * 256, 7);
    payload.insert(payload.end(), {0x10, 0x27}); // 10000 s
    ParameterReadResult result;
    ASSERT_EQ(Decode(eRADAR_PROTOCOL_VERSION_0, payload, result), 0);
    EXPECT_EQ(result.gateCount, 256);
    EXPECT_EQ(result.movingGateCount, 256);
    EXPECT_EQ(result.motionlessGateCount, 1);
    EXPECT_EQ(result.movingSensitivity.size(), 256u);
    EXPECT_EQ(result.motionlessSensitivity.size(), 256u);
    EXPECT_EQ(result.offTime, 10000);
}

TEST(ReadParameterAck, FailuresReturnTheirCodeAndLeaveTheRecordAlone) {
    Bytes longer = NineGatePayload();
    longer.push_back(0);
    Bytes shorter = NineGatePayload();
    shorter.pop_back();
    struct Case {
        const char* name;
        eRADAR_PROTOCOL_VERSION version;
        Bytes bytes;
        uint16_t code;
    };
    for (const Case& c : {
             Case{"module status 5", eRADAR_PROTOCOL_VERSION_1, WithStatus(5, NineGatePayload()), 5},
             Case{"status only", eRADAR_PROTOCOL_VERSION_1, WithStatus(0x0102, {}), 0x0102},
             Case{"one byte long", eRADAR_PROTOCOL_VERSION_0, longer, RADAR_ERR_MALFORMED_ACK},
             Case{"one byte short", eRADAR_PROTOCOL_VERSION_0, shorter, RADAR_ERR_MALFORMED_ACK},
             Case{"one byte short after status", eRADAR_PROTOCOL_VERSION_1, WithStatus(0, shorter),
                  RADAR_ERR_MALFORMED_ACK},
             Case{"status word read as payload", eRADAR_PROTOCOL_VERSION_0, WithStatus(0, NineGatePayload()),
                  RADAR_ERR_MALFORMED_ACK},
             Case{"no payload after status", eRADAR_PROTOCOL_VERSION_1, WithStatus(0, {}),
                  RADAR_ERR_MALFORMED_ACK},
             Case{"five payload bytes", eRADAR_PROTOCOL_VERSION_0, {0, 0, 0, 0, 0}, RADAR_ERR_MALFORMED_ACK},
             Case{"one byte", eRADAR_PROTOCOL_VERSION_1, {0}, RADAR_ERR_MALFORMED_ACK},
             Case{"nothing", eRADAR_PROTOCOL_VERSION_0, {}, RADAR_ERR_MALFORMED_ACK},
         }) {
        SCOPED_TRACE(c.name);
        ParameterReadResult result;
        result.gateCount = 4;
        result.movingSensitivity = {1, 2, 3, 4};
        EXPECT_EQ(Decode(c.version, c.bytes, result), c.code);
        EXPECT_EQ(result.gateCount, 4);
        EXPECT_EQ(result.movingGateCount, 0);
        EXPECT_EQ(result.movingSensitivity, (std::vector<uint16_t>{1, 2, 3, 4}));
        EXPECT_TRUE(result.motionlessSensitivity.empty());
    }
}

TEST(ReadParameterAck, RefusesMissingBytesOrRecord) {
    Bytes payload = NineGatePayload();
    ParameterReadResult result;
    EXPECT_EQ(ReadParameterAck(eRADAR_PROTOCOL_VERSION_0, nullptr, 24, uint64_t(uintptr_t(&result))),
              RADAR_ERR_MALFORMED_ACK);
    EXPECT_EQ(ReadParameterAck(eRADAR_PROTOCOL_VERSION_0, payload.data(), int(payload.size()), 0),
              RADAR_ERR_MALFORMED_ACK);
    EXPECT_EQ(ReadParameterAck(eRADAR_PROTOCOL_VERSION_0, payload.data(), -24, uint64_t(uintptr_t(&result))),
              RADAR_ERR_MALFORMED_ACK);
    EXPECT_EQ(result.gateCount, 0);
}

} // namespace
