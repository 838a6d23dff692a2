#include "report_frame_builder.h"

#include "radar_protocol.h"

#include <iterator>

std::vector<uint8_t> BuildReportData(const ReportFields& f) {
    std::vector<uint8_t> data;
    data.push_back(f.state);
    radar::AppendU16(data, f.movingCm);
    data.push_back(f.movingEnergy);
    radar::AppendU16(data, f.motionlessCm);
    data.push_back(f.motionlessEnergy);
    radar::AppendU16(data, f.distanceCm);
    return data;
}

std::vector<uint8_t> BuildReportData(const ReportFields& fields, const std::vector<uint8_t>& moving,
                                     const std::vector<uint8_t>& motionless) {
    std::vector<uint8_t> data = BuildReportData(fields);
    data.push_back(uint8_t(moving.size() - 1));
    data.push_back(uint8_t(motionless.size() - 1));
    data.insert(data.end(), moving.begin(), moving.end());
    data.insert(data.end(), motionless.begin(), motionless.end());
    return data;
}

std::vector<uint8_t> BuildReportFrame(uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> frame(std::begin(radar::kReportHeader), std::end(radar::kReportHeader));
    radar::AppendU16(frame, uint16_t(data.size() + 4));
    frame.push_back(type);
    frame.push_back(radar::kReportHeadMark);
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(radar::kReportTailMark);
    frame.push_back(0); // the byte before the tail, which the decoder does not examine
    frame.insert(frame.end(), std::begin(radar::kReportTail), std::end(radar::kReportTail));
    return frame;
}
