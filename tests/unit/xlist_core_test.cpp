// The editable list's rules without a window: cell records, the colours a cell is drawn in,
// where the parts of a cell go, cell addresses and tool ids, header check boxes, and texts.
#include "xlist_cell.h"
#include "xlist_colors.h"
#include "xlist_geometry.h"
#include "xlist_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const XListCellDefaults kDefaults{0x000000, 0xFFFFFF, 0x101010};

const xlist::SysColors kSys{
    0xC0C0C0, // button face
    0xFFFFFF, // button highlight
    0x808080, // button shadow
    0xC0C0C1, // selection when dimmed
    0x808081, // progress frame
    0x000001, // button text
    0x6D6D6D, // grey text
    0x6A240A, // highlight
    0xFFFFFE, // highlight text
    0xFFFFFD, // window
    0x000002, // window text
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + ")";
}

} // namespace

TEST(XListCells, ARowHasOneNewRecordPerColumnAndNothingBeyond) {
    XListRowCells row(3, kDefaults);
    ASSERT_EQ(row.Count(), 3);
    EXPECT_EQ(row.At(-1), nullptr);
    EXPECT_EQ(row.At(3), nullptr);
    const XListCell& cell = *row.At(2);
    EXPECT_EQ(cell.enabled, 1);
    EXPECT_EQ(cell.image, -1);
    EXPECT_EQ(cell.defaultTextColor, 1);
    EXPECT_EQ(cell.defaultBackground, 1);
    EXPECT_EQ(cell.textColor, kDefaults.windowText);
    EXPECT_EQ(cell.background, kDefaults.window);
    EXPECT_EQ(cell.editable, 0);
    EXPECT_EQ(cell.checkState, -1);
    EXPECT_EQ(cell.progressTextShown, 1);
    EXPECT_EQ(cell.progressTextColor, -1);
    EXPECT_EQ(cell.buttonPlacement, 1);
    EXPECT_EQ(cell.buttonTextFormat, 0x8005u);
    EXPECT_EQ(cell.buttonTextColor, kDefaults.buttonText);

    // Only cell 0 says whether the row is enabled.
    EXPECT_TRUE(row.RowEnabled());
    row.At(1)->enabled = 0;
    EXPECT_TRUE(row.RowEnabled());
    row.At(0)->enabled = 0;
    EXPECT_FALSE(row.RowEnabled());

    // A row made before any column has no cells, and counts as enabled.
    XListRowCells empty(0, kDefaults);
    EXPECT_EQ(empty.At(0), nullptr);
    EXPECT_TRUE(empty.RowEnabled());
    XListRowCells negative(-2, kDefaults);
    EXPECT_EQ(negative.Count(), 0);
}

TEST(XListCells, RowColorsComeBackWithTheDefaultColours) {
    XListCell cell(kDefaults);
    cell.defaultTextColor = 0;
    cell.defaultBackground = 0;
    cell.textColor = 0x123456;
    cell.background = 0x654321;
    cell.UseRowColors(kDefaults);
    EXPECT_EQ(cell.defaultTextColor, 1);
    EXPECT_EQ(cell.defaultBackground, 1);
    EXPECT_EQ(cell.textColor, kDefaults.windowText);
    EXPECT_EQ(cell.background, kDefaults.window);
}

TEST(XListColors, StripesOwnColoursAndDisabledRows) {
    const struct {
        const char* name;
        int row;
        bool ownText, ownBackground, enabled;
        xlist::CellColors expected;
    } cases[] = {
        {"row 0", 0, false, false, true, {0xE1BE11, 0xF7F7FF}},
        {"row 1", 1, false, false, true, {0xC510BA, 0xE7EFEF}},
        {"row 4", 4, false, false, true, {0xE1BE11, 0xF7F7FF}},
        {"row 7", 7, false, false, true, {0xC510BA, 0xE7EFEF}},
        {"own text", 1, true, false, true, {0x0000FF, 0xE7EFEF}},
        {"own background", 0, false, true, true, {0xE1BE11, 0x00FF00}},
        {"both own", 2, true, true, true, {0x0000FF, 0x00FF00}},
        {"disabled", 0, false, false, false, {kSys.grayText, 0xF7F7FF}},
        {"disabled greys own text", 3, true, true, false, {kSys.grayText, 0x00FF00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        XListCell cell(kDefaults);
        cell.textColor = 0x0000FF;
        cell.background = 0x00FF00;
        cell.defaultTextColor = c.ownText ? 0 : 1;
        cell.defaultBackground = c.ownBackground ? 0 : 1;
        EXPECT_EQ(xlist::CellColorsFor(c.row, cell, c.enabled, kSys), c.expected);
    }
}

TEST(XListColors, TheSelectionShowsWhereAndHowTheListSays) {
    const xlist::CellColors normal{0x111111, 0x222222};
    const xlist::CellColors highlighted{kSys.highlightText, kSys.highlight};
    const xlist::CellColors dimmed{kSys.windowText, kSys.selectionDimmed};
    const struct {
        const char* name;
        xlist::SelectionView view;
        xlist::CellColors expected;
    } cases[] = {
        {"not selected", {false, true, 1, true, true, false}, normal},
        {"focused, full row", {true, true, 2, true, false, false}, highlighted},
        {"focused, column 0 only", {true, false, 0, true, false, false}, highlighted},
        {"focused, other column without full row", {true, false, 1, true, false, false}, normal},
        {"unfocused, hidden selection", {true, true, 1, false, false, false}, normal},
        {"unfocused, shown always", {true, true, 1, false, true, false}, highlighted},
        {"unfocused, shown always, dimmed", {true, true, 1, false, true, true}, dimmed},
        {"focused wins over dimming", {true, true, 1, true, true, true}, highlighted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(xlist::TextCellColors(normal, c.view, kSys), c.expected);
    }
}

TEST(XListGeometry, CellPartsSitWhereTheyAreDrawn) {
    const RECT cell{10, 20, 110, 60}; // 100 x 40
    const RECT small{0, 0, 12, 8};
    const struct {
        const char* name;
        RECT got;
        RECT expected;
    } cases[] = {
        {"paint rect", xlist::CellPaintRect(cell), {11, 21, 109, 59}},
        {"text area", xlist::TextArea(cell), {12, 20, 108, 60}},
        {"text area of a sliver", xlist::TextArea({0, 0, 4, 10}), {0, 0, 4, 10}},
        {"check box", xlist::CheckBoxRect(cell, 0), {10, 30, 30, 50}},
        {"header check box", xlist::CheckBoxRect(cell, 2), {12, 30, 32, 50}},
        {"check box in a low cell", xlist::CheckBoxRect(small, 0), {0, 0, 8, 8}},
        {"check box in a narrow cell", xlist::CheckBoxRect({0, 0, 5, 30}, 2), {2, 13, 5, 16}},
        {"button centred", xlist::ButtonRect(cell, 30, 10, 1), {45, 35, 75, 45}},
        {"button right", xlist::ButtonRect(cell, 30, 10, kXListButtonRight), {80, 35, 110, 45}},
        {"button bottom", xlist::ButtonRect(cell, 30, 10, kXListButtonBottom), {45, 50, 75, 60}},
        {"button bottom right", xlist::ButtonRect(cell, 30, 10, 10), {80, 50, 110, 60}},
        {"button cut to the cell", xlist::ButtonRect(small, 30, 30, 1), {0, 0, 12, 8}},
        {"progress half", xlist::ProgressFillRect(cell, 50), {12, 22, 60, 58}},
        {"progress full", xlist::ProgressFillRect(cell, 100), {12, 22, 108, 58}},
        {"progress beyond full", xlist::ProgressFillRect(cell, 250), {12, 22, 108, 58}},
        {"progress none", xlist::ProgressFillRect(cell, 0), {12, 22, 12, 58}},
        {"progress frame only", xlist::ProgressFillRect(cell, -1), {12, 22, 12, 22}},
        {"drop-down button", xlist::DropDownButtonRect(cell), {90, 20, 110, 60}},
        {"drop-down button of a narrow cell", xlist::DropDownButtonRect({0, 0, 15, 9}), {0, 0, 15, 9}},
        {"text centred", xlist::VerticallyCentered(cell, 16), {10, 32, 110, 48}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SameRect(c.got, c.expected))
            << c.name << ": " << Show(c.got) << " not " << Show(c.expected);
}

TEST(XListGeometry, PointsAndTheHeader) {
    const RECT cell{10, 20, 110, 60};
    EXPECT_TRUE(xlist::Contains(cell, {10, 20}));
    EXPECT_FALSE(xlist::Contains(cell, {110, 30})); // right and bottom edges are outside
    EXPECT_FALSE(xlist::Contains(cell, {50, 60}));
    // A cell is skipped only once it is wholly above the header's bottom.
    EXPECT_TRUE(xlist::HiddenByHeader({0, 0, 10, 37}, 38));
    EXPECT_FALSE(xlist::HiddenByHeader({0, 30, 10, 38}, 38));
}

TEST(XListGeometry, CellAddressesAndToolIdsComeBackAsTheCell) {
    const struct {
        int row, column;
        intptr_t address, tool;
    } cases[] = {{0, 0, 0, 1},
                 {0, 2, 2, 3},
                 {3, 1, 3 * 65536 + 1, 3002},
                 {40000, 999, 40000LL * 65536 + 999, 40001000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        EXPECT_EQ(xlist::PackCellAddress(c.row, c.column), c.address);
        int row = -1, column = -1;
        xlist::UnpackCellAddress(c.address, row, column);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, c.column);
        EXPECT_EQ(xlist::CellToolId(c.row, c.column), c.tool);
        row = column = -1;
        ASSERT_TRUE(xlist::CellFromToolId(c.tool, row, column));
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, c.column);
    }
    int row = 0, column = 0;
    EXPECT_FALSE(xlist::CellFromToolId(0, row, column));
    EXPECT_FALSE(xlist::CellFromToolId(-5, row, column));
}

TEST(XListHeaderChecks, AClickFlipsAndTheRowsDecide) {
    EXPECT_EQ(xlist::FlippedHeaderCheck(xlist::kHeaderTicked), xlist::kHeaderClear);
    EXPECT_EQ(xlist::FlippedHeaderCheck(xlist::kHeaderClear), xlist::kHeaderTicked);
    EXPECT_EQ(xlist::FlippedHeaderCheck(7), xlist::kHeaderTicked);
    const struct {
        std::vector<int> rows;
        int expected;
    } cases[] = {
        {{1, 1, 1}, xlist::kHeaderTicked},   {{1, 0, 1}, xlist::kHeaderClear},
        {{-1, 1, -1}, xlist::kHeaderTicked}, // rows without a box do not count
        {{-1, -1}, xlist::kHeaderTicked},    {{}, xlist::kHeaderTicked},
        {{0}, xlist::kHeaderClear},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xlist::HeaderCheckForRows(c.rows), c.expected) << testing::PrintToString(c.rows);
}

TEST(XListText, NumbersGoIntoFormatsWithoutReadingMissingArguments) {
    const struct {
        std::wstring format;
        long long value;
        std::wstring expected;
    } cases[] = {
        {L"RG %d Sensibility", 3, L"RG 3 Sensibility"},
        {L"距离门 %d 灵敏度", 8, L"距离门 8 灵敏度"},
        {L"%d", -12, L"-12"},
        {L"%d%%", 75, L"75%"},
        {L"%d of %d", 2, L"2 of 2"},
        {L"%s and %x stay", 1, L"%s and %x stay"},
        {L"ends in %", 1, L"ends in %"},
        {L"", 5, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xlist::FormatWithInt(c.format, c.value), c.expected);
    EXPECT_EQ(xlist::ProgressText(L"", 42), L"42%");
    EXPECT_EQ(xlist::ProgressText(L"%d done", 42), L"42 done");
}

TEST(XListText, ATipIsTheCellsTooltipOrElseItsTextCutTo79) {
    const std::wstring long100(100, L'x');
    const struct {
        const char* name;
        std::wstring tooltip, text, expected;
    } cases[] = {
        {"own tooltip", L"tip", L"35", L"tip"},
        {"the text", L"", L"RG 3 Sensibility", L"RG 3 Sensibility"},
        {"long text", L"", long100, std::wstring(79, L'x')},
        {"long tooltip", long100, L"short", std::wstring(79, L'x')},
        {"exactly 79", L"", std::wstring(79, L'y'), std::wstring(79, L'y')},
        {"nothing", L"", L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xlist::ToolTipText(c.tooltip, c.text), c.expected) << c.name;
}
