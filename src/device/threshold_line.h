// The threshold line of an energy chart: one whole line of the chart's gate count, from a
// sensitivity table. Every place that moves a threshold line goes through here, so a table of
// another length never leaves a partial line in the series' staging to shift later lines.
#pragma once

#include <cstdint>
#include <vector>

class IEnergyChart;

// `line` becomes the table's first values, padded with 0 (or cut) to `gates` entries.
void CopyThresholds(const std::vector<uint16_t>& table, int gates, std::vector<uint16_t>& line);

// Appends `line` to series 1 of `chart`, when the chart has a threshold series and `line` is
// exactly its gate count, and asks for a repaint. `line` comes from CopyThresholds with the
// chart's sample count. True when appended.
bool AppendThresholdLine(IEnergyChart& chart, const std::vector<uint16_t>& line);
