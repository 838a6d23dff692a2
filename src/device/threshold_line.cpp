#include "threshold_line.h"

#include "report_decoder.h"

#include <algorithm>

void CopyThresholds(const std::vector<uint16_t>& table, int gates, std::vector<uint16_t>& line) {
    line.assign(size_t(std::max(gates, 0)), 0);
    std::copy_n(table.begin(), std::min(table.size(), line.size()), line.begin());
}

bool AppendThresholdLine(IEnergyChart& chart, const std::vector<uint16_t>& line) {
    if (chart.GetSeriesCount() <= 1 || int(line.size()) != chart.GetSampleCount() || line.empty())
        return false;
    chart.Append(1, line.data(), int(line.size()));
    chart.RequestRepaint();
    return true;
}
