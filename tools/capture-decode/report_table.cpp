#include "report_table.h"

#include <algorithm>

void ReportTable::OnReportFrame(bool engineering, const uint8_t* data, size_t size) {
    const DecodeOutcome& outcome = m_decoder.Decode(engineering, data, size);
    if (!outcome.complete)
        return;
    m_rows.push_back({{m_current.state, m_current.movingDistance, m_current.movingEnergy,
                       m_current.motionlessDistance, m_current.motionlessEnergy, m_current.detectionDistance},
                      engineering,
                      outcome.moving,
                      outcome.motionless});
}

namespace {

void WriteColumnNames(std::FILE* out, char prefix, size_t count) {
    for (size_t i = 0; i < count; ++i)
        std::fprintf(out, ",%c%zu", prefix, i);
}

void WriteCells(std::FILE* out, const std::vector<uint16_t>& values, size_t columns) {
    for (size_t i = 0; i < columns; ++i) {
        if (i < values.size())
            std::fprintf(out, ",%u", unsigned(values[i]));
        else
            std::fputc(',', out);
    }
}

} // namespace

void WriteReportCsv(std::FILE* out, const std::vector<ReportRow>& rows) {
    size_t movingColumns = 0, motionlessColumns = 0;
    for (const ReportRow& row : rows) {
        movingColumns = std::max(movingColumns, row.moving.size());
        motionlessColumns = std::max(motionlessColumns, row.motionless.size());
    }
    std::fputs("state,moving_cm,moving_energy,motionless_cm,motionless_energy,distance_cm,engineering", out);
    WriteColumnNames(out, 'm', movingColumns);
    WriteColumnNames(out, 's', motionlessColumns);
    std::fputc('\n', out);
    for (const ReportRow& row : rows) {
        std::fprintf(out, "%d,%d,%d,%d,%d,%d,%d", row.fields[0], row.fields[1], row.fields[2], row.fields[3],
                     row.fields[4], row.fields[5], row.engineering ? 1 : 0);
        WriteCells(out, row.moving, movingColumns);
        WriteCells(out, row.motionless, motionlessColumns);
        std::fputc('\n', out);
    }
}
