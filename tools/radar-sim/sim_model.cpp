#include "sim_model.h"

#include <algorithm>

namespace radarsim {

using radar::ReadU16;
using radar::ReadU32;

namespace {

// The value of 0x0060 and 0x0064: three (word u16, value u32) pairs, words 0, 1 and 2 each
// once in any order. False when the value is not exactly that.
bool ReadThreeParameters(const uint8_t* value, size_t size, uint32_t (&out)[3]) {
    if (size != 18)
        return false;
    bool seen[3] = {false, false, false};
    for (size_t i = 0; i < 3; ++i) {
        uint16_t word = ReadU16(value + 6 * i);
        if (word > 2 || seen[word])
            return false;
        seen[word] = true;
        out[word] = ReadU32(value + 6 * i + 2);
    }
    return true;
}

} // namespace

ModuleModel::ModuleModel(const ModelOptions& options)
    : m_options(options),
      m_parameters(ModuleParameters::Defaults(std::clamp(options.gates, kMinGates, kMaxGates))),
      m_scenario(m_parameters.gates, options.seed), m_faults(Mix64(options.seed ^ 0xFA017u)) {
    m_options.gates = m_parameters.gates;
    m_options.rateHz = std::clamp(options.rateHz, 1, 1000);
    m_parameters.engineering = options.engineering;
}

void ModuleModel::Receive(const uint8_t* data, size_t size, uint64_t nowMs, std::vector<Frame>& out,
                          std::vector<CommandEvent>& events) {
    if (size > 0)
        m_input.insert(m_input.end(), data, data + size);
    size_t position = 0;
    for (;;) {
        radar::CommandFrameView frame;
        size_t consumed = 0;
        radar::ScanResult result = radar::FindNextCompleteCommandFrame(
            m_input.data() + position, m_input.size() - position, frame, consumed);
        position += consumed;
        if (result != radar::ScanResult::kFrame)
            break;
        HandleFrame(frame.data, frame.dataSize, nowMs, out, events);
    }
    m_input.erase(m_input.begin(), m_input.begin() + long(position));
}

void ModuleModel::HandleFrame(const uint8_t* data, size_t size, uint64_t nowMs, std::vector<Frame>& out,
                              std::vector<CommandEvent>& events) {
    if (size < 2)
        return; // no command word: nothing to answer or record
    uint16_t word = ReadU16(data);
    CommandEvent event;
    event.tMs = nowMs;
    event.word = word;
    event.value.assign(data + 2, data + size);
    // Outside command mode the module streams and listens only for 0x00FF.
    if (!m_commandMode && word != radar::kCmdEnterCommandMode) {
        events.push_back(std::move(event));
        return;
    }
    const CommandOutcome outcome = m_faults.OnCommand(word);
    const CommandAction action = outcome.action;
    if (action == CommandAction::kUnplug)
        m_unplugRequested = true;
    if (action == CommandAction::kNoAck || action == CommandAction::kUnplug) {
        events.push_back(std::move(event));
        return;
    }
    m_ackDelayMs = std::max(m_ackDelayMs, outcome.delayMs);
    std::vector<uint8_t> reply;
    uint16_t status = 1;
    if (action == CommandAction::kAnswer)
        status = Execute(word, data + 2, size - 2, nowMs, reply);
    if (status != 0)
        reply.clear();
    out.push_back(radar::BuildAckFrame(word, status, reply.data(), reply.size()));
    event.status = status;
    events.push_back(std::move(event));
}

uint16_t ModuleModel::Execute(uint16_t word, const uint8_t* value, size_t size, uint64_t nowMs,
                              std::vector<uint8_t>& reply) {
    constexpr uint16_t kOk = 0, kFailed = 1;
    switch (word) {
    case radar::kCmdEnterCommandMode:
        if (size != 2 || ReadU16(value) != 1)
            return kFailed;
        m_commandMode = true;
        radar::AppendU16(reply, kProtocolVersion);
        radar::AppendU16(reply, kBufferSize);
        return kOk;
    case radar::kCmdLeaveCommandMode:
        if (size != 0)
            return kFailed;
        m_commandMode = false;
        RestartReports(nowMs);
        return kOk;
    case radar::kCmdSetGatesAndOffTime:
        return SetGatesAndOffTime(value, size) ? kOk : kFailed;
    case radar::kCmdReadParameters: {
        if (size != 0)
            return kFailed;
        reply.push_back(0xAA);
        reply.push_back(uint8_t(m_parameters.gates - 1));
        reply.push_back(m_parameters.farthestMovingGate);
        reply.push_back(m_parameters.farthestMotionlessGate);
        reply.insert(reply.end(), m_parameters.movingSensitivity.begin(),
                     m_parameters.movingSensitivity.end());
        reply.insert(reply.end(), m_parameters.motionlessSensitivity.begin(),
                     m_parameters.motionlessSensitivity.end());
        radar::AppendU16(reply, m_parameters.offTimeSeconds);
        return kOk;
    }
    case radar::kCmdEngineeringOn:
    case radar::kCmdEngineeringOff:
        if (size != 0)
            return kFailed;
        m_parameters.engineering = word == radar::kCmdEngineeringOn;
        return kOk;
    case radar::kCmdSetGateSensitivity:
        return SetGateSensitivity(value, size) ? kOk : kFailed;
    case radar::kCmdReadFirmwareVersion:
        if (size != 0)
            return kFailed;
        radar::AppendU16(reply, kFirmwareType);
        radar::AppendU16(reply, kFirmwareMajor);
        radar::AppendU32(reply, kFirmwareMinor);
        return kOk;
    default:
        return kFailed;
    }
}

bool ModuleModel::SetGatesAndOffTime(const uint8_t* value, size_t size) {
    uint32_t v[3];
    if (!ReadThreeParameters(value, size, v))
        return false;
    uint32_t highest = uint32_t(m_parameters.gates - 1);
    for (int i = 0; i < 2; ++i) {
        if (v[i] < 2 || v[i] > highest)
            return false;
    }
    if (v[2] > 0xFFFF)
        return false;
    m_parameters.farthestMovingGate = uint8_t(v[0]);
    m_parameters.farthestMotionlessGate = uint8_t(v[1]);
    m_parameters.offTimeSeconds = uint16_t(v[2]);
    return true;
}

bool ModuleModel::SetGateSensitivity(const uint8_t* value, size_t size) {
    uint32_t v[3];
    if (!ReadThreeParameters(value, size, v))
        return false;
    uint32_t gate = v[0];
    if ((gate != radar::kAllGates && gate >= uint32_t(m_parameters.gates)) || v[1] > kMaxSensitivity ||
        v[2] > kMaxSensitivity)
        return false;
    size_t first = gate == radar::kAllGates ? 0 : gate;
    size_t last = gate == radar::kAllGates ? size_t(m_parameters.gates) : gate + 1;
    for (size_t g = first; g < last; ++g) {
        m_parameters.movingSensitivity[g] = uint8_t(v[1]);
        m_parameters.motionlessSensitivity[g] = uint8_t(v[2]);
    }
    return true;
}

void ModuleModel::RestartReports(uint64_t nowMs) {
    m_reportAnchorMs = nowMs;
    m_reportIndex = 1;
}

uint64_t ModuleModel::ReportTime(uint64_t index) const {
    return m_reportAnchorMs + index * 1000 / uint64_t(m_options.rateHz);
}

std::optional<uint64_t> ModuleModel::NextReportMs() const {
    if ((m_commandMode && !Faults().chatty) || Faults().silent || (m_replaying && m_replay.Done()))
        return std::nullopt;
    return ReportTime(m_reportIndex);
}

void ModuleModel::SetReplay(std::vector<uint8_t> capture) {
    m_replay = ReplayStream(std::move(capture));
    m_replaying = true;
}

void ModuleModel::Tick(uint64_t nowMs, std::vector<Frame>& out) {
    std::optional<uint64_t> due = NextReportMs();
    if (!due || nowMs < *due)
        return;
    // One report now; the ones missed by a late call are skipped.
    uint64_t rate = uint64_t(m_options.rateHz);
    m_reportIndex = std::max(m_reportIndex, (nowMs - m_reportAnchorMs) * rate / 1000);
    while (ReportTime(m_reportIndex) <= nowMs)
        ++m_reportIndex;

    if (m_replaying) {
        Frame chunk = m_replay.NextChunk();
        if (!chunk.empty())
            out.push_back(std::move(chunk));
        return;
    }
    ReportData report = m_scenario.ReportAt(nowMs, m_parameters);
    if (report.state != kNoTarget)
        m_lastSeenMs = nowMs;
    bool holding = m_lastSeenMs && nowMs - *m_lastSeenMs < uint64_t(m_parameters.offTimeSeconds) * 1000;
    report.outputPin = report.state != kNoTarget || holding ? 1 : 0;
    Frame frame = BuildReportFrame(report, m_parameters.engineering);
    Frame garbage = m_faults.GarbageBeforeReport();
    if (!garbage.empty())
        out.push_back(std::move(garbage));
    m_faults.MaybeCorruptTail(frame);
    out.push_back(std::move(frame));
}

} // namespace radarsim
