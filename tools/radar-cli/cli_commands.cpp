#include "cli_commands.h"

#include "KOVA_Common.h"
#include "parameter_ack.h"
#include "radar_protocol.h"
#include "report_decoder.h"
#include "report_reader.h"

#include <chrono>
#include <cinttypes>
#include <string>
#include <thread>

namespace {

constexpr int kAckTimeoutMs = 2000;

// Enters command mode for the life of the object; leaves it again at the end.
class CommandModeBracket {
public:
    explicit CommandModeBracket(RADAR_HANDLE handle) : m_handle(handle) {
        m_code = KOVA_Interface_RadarDevice_StartCmdMode(handle, 2, 150);
        if (m_code == RADAR_OK)
            KOVA_Interface_RadarDevice_CleanCmdBuffer(handle, 500);
    }
    ~CommandModeBracket() {
        if (m_code == RADAR_OK)
            KOVA_Interface_RadarDevice_StopCmdMode(m_handle);
    }
    uint16_t Code() const { return m_code; }

private:
    RADAR_HANDLE m_handle;
    uint16_t m_code;
};

int Fail(std::FILE* err, const char* command, uint16_t code) {
    std::fprintf(err, "radar-cli: %s failed: %s (code 0x%04X)\n", command, DescribeRadarCode(code), code);
    return kExitModule;
}

// Sends a parameter command through the acknowledgement check so that a refusal and a
// missing answer are told apart.
uint16_t SendParameters(RADAR_HANDLE handle, uint16_t word, const uint32_t (&values)[3]) {
    const uint16_t words[3] = {0, 1, 2};
    std::vector<uint8_t> value = radar::BuildParameterValue(words, values, 3);
    return KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, word, value.data(), int(value.size()),
                                                           CheckCmdAckData_RetCode, 0, kAckTimeoutMs);
}

bool FitsWire(long value) {
    return value >= 0 && value <= long(UINT32_MAX);
}

void PrintJsonArray(std::FILE* out, const char* key, const std::vector<uint16_t>& values) {
    std::fprintf(out, "\"%s\": [", key);
    for (size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s%u", i ? ", " : "", unsigned(values[i]));
    std::fprintf(out, "]");
}

void PrintRow(std::FILE* out, const char* label, const std::vector<uint16_t>& values) {
    std::fprintf(out, "%s", label);
    for (size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s%u", i ? "," : " ", unsigned(values[i]));
    std::fprintf(out, "\n");
}

int Version(RADAR_HANDLE handle, std::FILE* out, std::FILE* err) {
    CBaseStringA version;
    uint16_t code = KOVA_Interface_RadarDevice_GetVersion(handle, &version);
    if (code != RADAR_OK)
        return Fail(err, "version", code);
    std::fprintf(out, "%s\n", version.GetString());
    return kExitOk;
}

int Read(RADAR_HANDLE handle, bool json, std::FILE* out, std::FILE* err) {
    ParameterReadResult result;
    uint16_t code;
    {
        CommandModeBracket bracket(handle);
        if (bracket.Code() != RADAR_OK)
            return Fail(err, "entering command mode", bracket.Code());
        code = KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, radar::kCmdReadParameters, nullptr, 0,
                                                               ReadParameterAck, uint64_t(uintptr_t(&result)),
                                                               kAckTimeoutMs);
    }
    if (code != RADAR_OK)
        return Fail(err, "read", code);
    if (json) {
        std::fprintf(
            out, "{\"gates\": %d, \"movingMaxGate\": %d, \"motionlessMaxGate\": %d, \"offTime\": %d, ",
            result.gateCount, result.movingGateCount - 1, result.motionlessGateCount - 1, result.offTime);
        PrintJsonArray(out, "moving", result.movingSensitivity);
        std::fprintf(out, ", ");
        PrintJsonArray(out, "motionless", result.motionlessSensitivity);
        std::fprintf(out, "}\n");
        return kExitOk;
    }
    std::fprintf(out, "gates %d\n", result.gateCount);
    std::fprintf(out, "moving max gate %d\n", result.movingGateCount - 1);
    std::fprintf(out, "motionless max gate %d\n", result.motionlessGateCount - 1);
    std::fprintf(out, "off time %d s\n", result.offTime);
    PrintRow(out, "moving sensitivity", result.movingSensitivity);
    PrintRow(out, "motionless sensitivity", result.motionlessSensitivity);
    return kExitOk;
}

int WriteLimits(RADAR_HANDLE handle, const CliOptions& o, std::FILE* out, std::FILE* err) {
    if (!FitsWire(*o.movingMax) || !FitsWire(*o.motionlessMax) || !FitsWire(*o.offTime)) {
        std::fprintf(err, "radar-cli: write: values must be 0..4294967295\n");
        return kExitUsage;
    }
    const uint32_t values[3] = {uint32_t(*o.movingMax), uint32_t(*o.motionlessMax), uint32_t(*o.offTime)};
    CommandModeBracket bracket(handle);
    if (bracket.Code() != RADAR_OK)
        return Fail(err, "entering command mode", bracket.Code());
    uint16_t code = SendParameters(handle, radar::kCmdSetGatesAndOffTime, values);
    if (code != RADAR_OK)
        return Fail(err, "write", code);
    std::fprintf(out, "written: moving max gate %u, motionless max gate %u, off time %u s\n", values[0],
                 values[1], values[2]);
    return kExitOk;
}

int WriteSensitivity(RADAR_HANDLE handle, const CliOptions& o, std::FILE* out, std::FILE* err) {
    bool all = *o.gate < 0;
    if ((!all && !FitsWire(*o.gate)) || !FitsWire(*o.moving) || !FitsWire(*o.motionless)) {
        std::fprintf(err, "radar-cli: sens: values must be 0..4294967295\n");
        return kExitUsage;
    }
    const uint32_t values[3] = {all ? uint32_t(radar::kAllGates) : uint32_t(*o.gate), uint32_t(*o.moving),
                                uint32_t(*o.motionless)};
    CommandModeBracket bracket(handle);
    if (bracket.Code() != RADAR_OK)
        return Fail(err, "entering command mode", bracket.Code());
    uint16_t code = SendParameters(handle, radar::kCmdSetGateSensitivity, values);
    if (code != RADAR_OK)
        return Fail(err, "sens", code);
    if (all)
        std::fprintf(out, "written: all gates moving %u, motionless %u\n", values[1], values[2]);
    else
        std::fprintf(out, "written: gate %u moving %u, motionless %u\n", values[0], values[1], values[2]);
    return kExitOk;
}

// Prints each log line of the decoder without its CR LF.
void PrintLine(void* context, int, const char* bytes, int length) {
    while (length > 0 && (bytes[length - 1] == '\n' || bytes[length - 1] == '\r'))
        --length;
    std::fprintf(static_cast<std::FILE*>(context), "%.*s\n", length, bytes);
    std::fflush(static_cast<std::FILE*>(context));
}

class ReaderThread : public IThreadFuncInterface {
public:
    ReaderThread(RADAR_HANDLE handle, std::FILE* capture, ReportDecoder& decoder)
        : m_source(handle), m_capture(capture), m_decoder(decoder) {}
    int ThreadFunc(CBaseThread*, void*) override {
        return RunReportReader(m_source, m_capture, stop, m_decoder);
    }
    std::atomic<int> stop{0};

private:
    DeviceReportSource m_source;
    std::FILE* m_capture;
    ReportDecoder& m_decoder;
};

int Stream(RADAR_HANDLE handle, const CliOptions& o, const std::atomic<int>& interrupted, std::FILE* out,
           std::FILE* err) {
    std::FILE* capture = nullptr;
    if (!o.capture.empty()) {
        capture = std::fopen(o.capture.c_str(), "wb");
        if (capture == nullptr) {
            std::fprintf(err, "radar-cli: cannot create %s\n", o.capture.c_str());
            return kExitModule;
        }
    }
    {
        CommandModeBracket bracket(handle);
        uint16_t code = bracket.Code();
        if (code == RADAR_OK) {
            uint16_t word = o.engineering ? radar::kCmdEngineeringOn : radar::kCmdEngineeringOff;
            code = KOVA_Interface_RadarDevice_Protocol_SendCommand(handle, word, nullptr, 0,
                                                                   CheckCmdAckData_RetCode, 0, kAckTimeoutMs);
        }
        if (code != RADAR_OK) {
            if (capture)
                std::fclose(capture);
            return Fail(err, o.engineering ? "engineering mode on" : "engineering mode off", code);
        }
        KOVA_Interface_RadarDevice_Start(handle);
    }

    CurrentReport current;
    ReportDecoder decoder(current, nullptr, nullptr, SensitivityTables{});
    DbgOutputAddCallback(PrintLine, out);
    ReaderThread reader(handle, capture, decoder);
    CBaseThread thread;
    thread.StartThread("reader", &reader, nullptr, 0, 0, 0);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(o.seconds);
    while (!interrupted.load() && (o.seconds == 0 || std::chrono::steady_clock::now() < until) &&
           KOVA_Interface_RadarDevice_IsConnected(handle))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    reader.stop = 1;
    thread.StopThread();
    DbgOutputDelCallback(PrintLine, out);
    KOVA_Interface_RadarDevice_Stop(handle);
    if (capture)
        std::fclose(capture);
    if (!KOVA_Interface_RadarDevice_IsConnected(handle)) {
        std::fprintf(err, "radar-cli: stream: the link was lost\n");
        return kExitModule;
    }
    return kExitOk;
}

} // namespace

int ListPorts(std::FILE* out) {
    CPtrListCtrl names;
    EnumSerialPortNameW(&names);
    for (int i = 0; i < names.GetCount(); ++i) {
        // Device paths are plain ASCII; anything else is shown as '?'.
        const auto* name = static_cast<const wchar_t*>(names.GetAt(i));
        std::string line;
        for (const wchar_t* c = name; *c != L'\0'; ++c)
            line += *c < 0x80 ? char(*c) : '?';
        std::fprintf(out, "%s\n", line.c_str());
    }
    FreeSerialPortNameA(&names);
    return kExitOk;
}

const char* DescribeRadarCode(uint16_t code) {
    switch (code) {
    case RADAR_OK:
        return "success";
    case RADAR_ERR_NO_ACK:
        return "no acknowledgement from the module";
    case RADAR_ERR_NOT_OPEN:
        return "the link is not open";
    case RADAR_ERR_WRITE_FAILED:
        return "writing to the port failed";
    case RADAR_ERR_MALFORMED_ACK:
        return "malformed acknowledgement";
    case RADAR_ERR_REPORTING:
        return "reporting runs: the line belongs to the report stream";
    default:
        return "refused by the module";
    }
}

int RunCliCommand(RADAR_HANDLE handle, const CliOptions& options, const std::atomic<int>& interrupted,
                  std::FILE* out, std::FILE* err) {
    const std::string& c = options.command;
    if (c == "version")
        return Version(handle, out, err);
    if (c == "read")
        return Read(handle, options.json, out, err);
    if (c == "write")
        return WriteLimits(handle, options, out, err);
    if (c == "sens")
        return WriteSensitivity(handle, options, out, err);
    return Stream(handle, options, interrupted, out, err);
}
