// The sensitivity table's layout and values: row and header heights from the table's height,
// column widths from its width, and the texts of its cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sensing {

// What Reset writes for a gate the owner has no defaults for.
constexpr int32_t kPresetMoving = 20;
constexpr int32_t kPresetMotionless = 40;

// Columns: the gate's caption, then its two editable sensitivities.
constexpr int kColumnGate = 0;
constexpr int kColumnMoving = 1;
constexpr int kColumnMotionless = 2;

struct TableHeights {
    int row;    // client height / 12 - 1
    int header; // twice the row
    // Too low a table gives no positive height: rows and header then keep the system's.
    bool Usable() const { return row > 0; }
};
TableHeights TableHeightsFor(int clientHeight);

// Half, a quarter and a quarter of the client width less 3, cut to whole pixels.
std::array<int, 3> ColumnWidthsFor(int clientWidth);

// A sensitivity as its cell shows it: the low 16 bits in decimal.
std::wstring SensitivityText(int32_t value);

// The most sensitive setting the module takes; it refuses anything above.
constexpr uint16_t kMaxSensitivity = 100;

// A cell's text as a sensitivity: a whole decimal number 0..100, blanks around it allowed.
// False for anything else (empty, a sign, letters, a fraction, above 100): such a cell is
// refused, never wrapped or read as 0.
bool SensitivityFromText(const std::wstring& text, uint16_t& value);

} // namespace sensing
