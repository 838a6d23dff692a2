#include "sim_report_frame.h"

#include "radar_protocol.h"
#include "report_frame_builder.h"

#include <cstring>

namespace radarsim {

std::vector<uint8_t> BuildReportFrame(const ReportData& report, bool engineering) {
    ReportFields fields;
    fields.state = report.state;
    fields.movingCm = report.movingDistanceCm;
    fields.movingEnergy = report.movingEnergy;
    fields.motionlessCm = report.motionlessDistanceCm;
    fields.motionlessEnergy = report.motionlessEnergy;
    fields.distanceCm = report.detectionDistanceCm;
    if (!engineering)
        return ::BuildReportFrame(radar::kReportTypeBasic, ::BuildReportData(fields));
    // A report always covers at least gate 0.
    std::vector<uint8_t> moving = report.movingGateEnergy;
    std::vector<uint8_t> motionless = report.motionlessGateEnergy;
    if (moving.empty())
        moving.push_back(0);
    if (motionless.empty())
        motionless.push_back(0);
    std::vector<uint8_t> data = ::BuildReportData(fields, moving, motionless);
    data.push_back(report.lightLevel);
    data.push_back(report.outputPin);
    return ::BuildReportFrame(radar::kReportTypeEngineering, data);
}

size_t ReportFrameSize(bool engineering, int gates) {
    size_t data = kBasicDataSize;
    if (engineering)
        data += 2 + 2 * size_t(gates < 1 ? 1 : gates) + 2;
    return kReportOverhead + 4 + data;
}

bool ParseReportFrame(const uint8_t* frame, size_t size, bool& engineering, ReportData& report) {
    if (size < kReportOverhead + 4 || std::memcmp(frame, radar::kReportHeader, 4) != 0)
        return false;
    size_t length = radar::ReadU16(frame + 4);
    if (length < 4 || length + kReportOverhead != size)
        return false;
    if (std::memcmp(frame + size - 4, radar::kReportTail, 4) != 0)
        return false;
    if (frame[7] != radar::kReportHeadMark || frame[length + 4] != radar::kReportTailMark)
        return false;
    uint8_t type = frame[6];
    if (type != radar::kReportTypeEngineering && type != radar::kReportTypeBasic)
        return false;
    engineering = type == radar::kReportTypeEngineering;
    const uint8_t* d = frame + 8;
    size_t dataSize = length - 4;
    if (dataSize < kBasicDataSize)
        return false;
    ReportData r;
    r.state = d[0];
    r.movingDistanceCm = radar::ReadU16(d + 1);
    r.movingEnergy = d[3];
    r.motionlessDistanceCm = radar::ReadU16(d + 4);
    r.motionlessEnergy = d[6];
    r.detectionDistanceCm = radar::ReadU16(d + 7);
    if (engineering) {
        if (dataSize < kBasicDataSize + 2)
            return false;
        size_t moving = size_t(d[9]) + 1;
        size_t motionless = size_t(d[10]) + 1;
        if (dataSize != kBasicDataSize + 2 + moving + motionless + 2)
            return false;
        const uint8_t* e = d + 11;
        r.movingGateEnergy.assign(e, e + moving);
        r.motionlessGateEnergy.assign(e + moving, e + moving + motionless);
        r.lightLevel = e[moving + motionless];
        r.outputPin = e[moving + motionless + 1];
    } else if (dataSize != kBasicDataSize) {
        return false;
    }
    report = r;
    return true;
}

bool ReportFrameAt(const uint8_t* bytes, size_t size, size_t at, size_t& frameSize) {
    if (at > size || size - at < kReportOverhead || std::memcmp(bytes + at, radar::kReportHeader, 4) != 0)
        return false;
    size_t total = size_t(radar::ReadU16(bytes + at + 4)) + kReportOverhead;
    if (total > size - at || std::memcmp(bytes + at + total - 4, radar::kReportTail, 4) != 0)
        return false;
    frameSize = total;
    return true;
}

bool FindReportFrame(const uint8_t* bytes, size_t size, size_t from, size_t& offset, size_t& frameSize) {
    for (size_t p = from; p + kReportOverhead <= size; ++p) {
        if (ReportFrameAt(bytes, size, p, frameSize)) {
            offset = p;
            return true;
        }
    }
    return false;
}

} // namespace radarsim
