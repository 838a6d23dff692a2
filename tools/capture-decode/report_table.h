// Collects the decoded reports of a stream as table rows and writes them as CSV.
#pragma once

#include "report_decoder.h"

#include <cstdint>
#include <cstdio>
#include <vector>

struct ReportRow {
    int32_t fields[6]; // state, moving cm, moving energy, motionless cm, motionless energy, distance cm
    bool engineering;
    std::vector<uint16_t> moving;     // empty unless the energies were decoded
    std::vector<uint16_t> motionless; // same
};

// Passes every frame to the decoder and keeps a row for each complete report.
class ReportTable : public IFrameHandler {
public:
    ReportTable(ReportDecoder& decoder, const CurrentReport& current)
        : m_decoder(decoder), m_current(current) {}

    void OnReportFrame(bool engineering, const uint8_t* data, size_t size) override;
    void OnBadTail() override { m_decoder.OnBadTail(); }

    const std::vector<ReportRow>& Rows() const { return m_rows; }

private:
    ReportDecoder& m_decoder;
    const CurrentReport& m_current;
    std::vector<ReportRow> m_rows;
};

// A header row, then one row per report; the energy columns m0..mN and s0..sN span the
// widest report, and shorter rows leave the rest empty.
void WriteReportCsv(std::FILE* out, const std::vector<ReportRow>& rows);
