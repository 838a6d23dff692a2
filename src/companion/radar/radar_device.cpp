// The library's calls: handle look-up, argument checks and the commands built on one
// acknowledged exchange.
#include "KOVA_DataProcess.h"

#include "handle_registry.h"
#include "radar_link.h"
#include "radar_protocol.h"

#include "dbg_output.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

// GetVersion's own bracket: the program's usual entry, and room for a slow module.
constexpr int kEnterAttempts = 2;
constexpr int kEnterAckTimeoutMs = 150;
constexpr int kVersionAckTimeoutMs = 1000;
constexpr int kLeaveAckTimeoutMs = 500;
// The largest value that fits a command frame after its word.
constexpr int kMaxValueSize = radar::kMaxCommandData - 2;

HandleRegistry<RadarLink>& Links() {
    static HandleRegistry<RadarLink> registry;
    return registry;
}

std::shared_ptr<RadarLink> FindLink(RADAR_HANDLE handle) {
    return Links().Find(handle);
}

// While the report stream owns the line a command would take its bytes from the reader and
// drop reports on the way to its acknowledgement: it is refused before anything is written.
bool RefusedWhileReporting(const RadarLink& link, uint16_t word) {
    if (link.LineOwner() == RadarLink::Owner::kCommands)
        return false;
    DbgOutputA(2, "Command 0x%04X refused: reporting runs\r\n", unsigned(word));
    return true;
}

uint16_t RunCommand(RadarLink& link, uint16_t word, const uint8_t* value, size_t valueSize,
                    RadarAckCallback callback, uint64_t context, int timeoutMs) {
    std::vector<uint8_t> afterWord;
    uint16_t code = link.Exchange(word, value, valueSize, timeoutMs, afterWord);
    if (code != RADAR_OK)
        return code;
    if (callback == nullptr)
        callback = CheckCmdAckData_RetCode;
    return callback(eRADAR_PROTOCOL_VERSION_1, afterWord.data(), int(afterWord.size()), context);
}

uint16_t EnterCommandMode(RadarLink& link, int attempts, int ackTimeoutMs) {
    static const uint8_t kEnterValue[2] = {0x01, 0x00};
    uint16_t code = RADAR_ERR_NO_ACK;
    for (int attempt = 0; attempt < std::max(attempts, 1); ++attempt) {
        code = RunCommand(link, radar::kCmdEnterCommandMode, kEnterValue, sizeof kEnterValue, nullptr, 0,
                          ackTimeoutMs);
        // Another try cannot help a link that is gone.
        if (code == RADAR_OK || code == RADAR_ERR_NOT_OPEN || code == RADAR_ERR_WRITE_FAILED)
            break;
    }
    return code;
}

uint16_t LeaveCommandMode(RadarLink& link) {
    return RunCommand(link, radar::kCmdLeaveCommandMode, nullptr, 0, nullptr, 0, kLeaveAckTimeoutMs);
}

struct FirmwareVersion {
    uint16_t major = 0;
    uint32_t minor = 0;
};

// After the status: type u16, major u16, minor u32.
uint16_t TakeFirmwareVersion(eRADAR_PROTOCOL_VERSION version, const uint8_t* ack, int count,
                             uint64_t context) {
    uint16_t status = CheckCmdAckData_RetCode(version, ack, count, context);
    if (status != RADAR_OK)
        return status;
    if (count < 10)
        return RADAR_ERR_MALFORMED_ACK;
    auto* out = reinterpret_cast<FirmwareVersion*>(uintptr_t(context));
    out->major = radar::ReadU16(ack + 4);
    out->minor = radar::ReadU32(ack + 6);
    return RADAR_OK;
}

int OpenLink(RADAR_HANDLE handle, const std::string& name, int baudRate, int openAttempts, int stopBits,
             int purge, int retryDelayMs) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    return link && link->Open(name, baudRate, openAttempts, stopBits, purge != 0, retryDelayMs) ? 1 : 0;
}

} // namespace

uint16_t CheckCmdAckData_RetCode(eRADAR_PROTOCOL_VERSION version, const uint8_t* ack, int count, uint64_t) {
    if (version == eRADAR_PROTOCOL_VERSION_0)
        return RADAR_OK;
    if (ack == nullptr || count < 2)
        return RADAR_ERR_MALFORMED_ACK;
    return radar::ReadU16(ack);
}

RADAR_HANDLE KOVA_Interface_RadarDevice_Serial_Create() {
    try {
        return Links().Add(std::make_shared<RadarLink>());
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void KOVA_Interface_RadarDevice_Serial_Destroy(RADAR_HANDLE handle) {
    if (std::shared_ptr<RadarLink> link = Links().Remove(handle))
        link->Close();
}

int KOVA_Interface_RadarDevice_Serial_OpenByPortNum(RADAR_HANDLE handle, int portNumber, int baudRate,
                                                    int openAttempts, int stopBits, int purge,
                                                    int retryDelayMs) {
    if (portNumber < 1) {
        KOVA_Interface_RadarDevice_Serial_Close(handle);
        return 0;
    }
    return OpenLink(handle, SerialPortNameForNumber(portNumber), baudRate, openAttempts, stopBits, purge,
                    retryDelayMs);
}

int KOVA_Interface_RadarDevice_Serial_OpenByName(RADAR_HANDLE handle, const char* name, int baudRate,
                                                 int openAttempts, int stopBits, int purge,
                                                 int retryDelayMs) {
    return OpenLink(handle, name ? name : "", baudRate, openAttempts, stopBits, purge, retryDelayMs);
}

void KOVA_Interface_RadarDevice_Serial_Close(RADAR_HANDLE handle) {
    if (std::shared_ptr<RadarLink> link = FindLink(handle))
        link->Close();
}

int KOVA_Interface_RadarDevice_IsConnected(RADAR_HANDLE handle) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    return link && link->IsConnected() ? 1 : 0;
}

uint16_t KOVA_Interface_RadarDevice_StartCmdMode(RADAR_HANDLE handle, int attempts, int ackTimeoutMs) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link)
        return RADAR_ERR_NOT_OPEN;
    if (RefusedWhileReporting(*link, radar::kCmdEnterCommandMode))
        return RADAR_ERR_REPORTING;
    return EnterCommandMode(*link, attempts, ackTimeoutMs);
}

int KOVA_Interface_RadarDevice_CleanCmdBuffer(RADAR_HANDLE handle, int maxWaitMs) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    // The stream's bytes are the reader's, not stale command bytes.
    if (!link || link->LineOwner() != RadarLink::Owner::kCommands)
        return 0;
    return link->DrainInput(maxWaitMs);
}

uint16_t KOVA_Interface_RadarDevice_StopCmdMode(RADAR_HANDLE handle) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link)
        return RADAR_ERR_NOT_OPEN;
    // The leaving that closes Start's bracket is the stream's beginning, the last command.
    if (link->LineOwner() == RadarLink::Owner::kStarting) {
        uint16_t code = LeaveCommandMode(*link);
        link->FinishStarting();
        return code;
    }
    if (RefusedWhileReporting(*link, radar::kCmdLeaveCommandMode))
        return RADAR_ERR_REPORTING;
    return LeaveCommandMode(*link);
}

uint16_t KOVA_Interface_RadarDevice_Protocol_SendCommand(RADAR_HANDLE handle, uint16_t word,
                                                         const uint8_t* data, int size,
                                                         RadarAckCallback callback, uint64_t context,
                                                         int timeoutMs) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link)
        return RADAR_ERR_NOT_OPEN;
    if (RefusedWhileReporting(*link, word))
        return RADAR_ERR_REPORTING;
    // A value that cannot be framed is never half sent.
    if (size < 0 || size > kMaxValueSize || (size > 0 && data == nullptr))
        return RADAR_ERR_WRITE_FAILED;
    return RunCommand(*link, word, data, size_t(size), callback, context, timeoutMs);
}

int KOVA_Interface_RadarDevice_Protocol_SetParameter(RADAR_HANDLE handle, uint16_t word, int count,
                                                     const uint16_t* parameterWords, const uint32_t* values,
                                                     int timeoutMs) {
    constexpr int kPairSize = 6;
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link || count <= 0 || count > kMaxValueSize / kPairSize || parameterWords == nullptr ||
        values == nullptr || RefusedWhileReporting(*link, word))
        return 0;
    std::vector<uint8_t> value = radar::BuildParameterValue(parameterWords, values, size_t(count));
    return RunCommand(*link, word, value.data(), value.size(), nullptr, 0, timeoutMs) == RADAR_OK ? 1 : 0;
}

uint16_t KOVA_Interface_RadarDevice_GetVersion(RADAR_HANDLE handle, CBaseStringA* version) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link)
        return RADAR_ERR_NOT_OPEN;
    if (version == nullptr)
        return RADAR_ERR_WRITE_FAILED;
    if (RefusedWhileReporting(*link, radar::kCmdReadFirmwareVersion))
        return RADAR_ERR_REPORTING;
    uint16_t code = EnterCommandMode(*link, kEnterAttempts, kEnterAckTimeoutMs);
    if (code != RADAR_OK)
        return code;
    FirmwareVersion firmware;
    code = RunCommand(*link, radar::kCmdReadFirmwareVersion, nullptr, 0, TakeFirmwareVersion,
                      uint64_t(uintptr_t(&firmware)), kVersionAckTimeoutMs);
    LeaveCommandMode(*link);
    if (code == RADAR_OK) {
        char text[32];
        std::snprintf(text, sizeof text, "V%u.%02X.%08X", unsigned(firmware.major >> 8),
                      unsigned(firmware.major & 0xFF), unsigned(firmware.minor));
        version->Set(text);
    }
    return code;
}

int KOVA_Interface_RadarDevice_Start(RADAR_HANDLE handle) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link || !link->DiscardInput())
        return 0;
    if (link->LineOwner() == RadarLink::Owner::kCommands)
        link->SetLineOwner(RadarLink::Owner::kStarting);
    return 1;
}

int KOVA_Interface_RadarDevice_Stop(RADAR_HANDLE handle) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link)
        return 0;
    link->SetLineOwner(RadarLink::Owner::kCommands);
    return link->DiscardInput() ? 1 : 0;
}

int KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(RADAR_HANDLE handle) {
    return FindLink(handle) ? RadarLink::kMaxReadSize : 0;
}

int KOVA_Interface_RadarDevice_ReadData(RADAR_HANDLE handle, uint8_t* buffer, int size, int timeoutMs,
                                        int waitForFull) {
    std::shared_ptr<RadarLink> link = FindLink(handle);
    if (!link || buffer == nullptr || size <= 0)
        return -1;
    // A stream started without a bracket is the reader's from its first read.
    link->FinishStarting();
    return link->Read(buffer, size_t(size), timeoutMs, waitForFull != 0);
}
