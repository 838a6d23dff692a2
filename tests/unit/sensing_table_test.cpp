// The sensitivity table's layout and cell texts without a window.
#include "sensing_table.h"

#include <array>

#include <gtest/gtest.h>

TEST(SensingTable, RowsAreATwelfthOfTheTableLessOneAndTheHeaderTwoRows) {
    const struct {
        int clientHeight, row, header;
        bool usable;
    } cases[] = {
        {250, 19, 38, true}, {252, 20, 40, true}, {24, 1, 2, true}, {23, 0, 0, false}, {0, -1, -2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clientHeight);
        const sensing::TableHeights heights = sensing::TableHeightsFor(c.clientHeight);
        EXPECT_EQ(heights.row, c.row);
        EXPECT_EQ(heights.header, c.header);
        EXPECT_EQ(heights.Usable(), c.usable);
    }
}

TEST(SensingTable, ColumnsShareTheWidthLessThreeHalfAndTwoQuarters) {
    const struct {
        int clientWidth;
        std::array<int, 3> widths;
    } cases[] = {
        {443, {220, 110, 110}}, {100, {48, 24, 24}}, {4, {0, 0, 0}}, {3, {0, 0, 0}}, {-10, {0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sensing::ColumnWidthsFor(c.clientWidth), c.widths) << c.clientWidth;
}

TEST(SensingTable, ACellShowsTheLow16BitsOfItsValue) {
    const struct {
        int32_t value;
        const wchar_t* text;
    } cases[] = {{20, L"20"}, {0, L"0"}, {65535, L"65535"}, {65536 + 5, L"5"}, {-1, L"65535"}};
    for (const auto& c : cases)
        EXPECT_EQ(sensing::SensitivityText(c.value), c.text) << c.value;
}

// What the module takes is sent; everything else is refused rather than wrapped or zeroed.
TEST(SensingTable, ACellIsASensitivityOnlyWhenItIsAWholeNumberUpTo100) {
    const struct {
        const wchar_t* text;
        bool accepted;
        uint16_t value;
    } cases[] = {
        {L"0", true, 0},   {L"35", true, 35},  {L"100", true, 100}, {L" 7\t", true, 7},
        {L"007", true, 7}, {L"101", false, 0}, {L"300", false, 0},  {L"99999999999", false, 0},
        {L"", false, 0},   {L"  ", false, 0},  {L"abc", false, 0},  {L"-1", false, 0},
        {L"+5", false, 0}, {L"3.5", false, 0}, {L"4 2", false, 0},  {L"12x", false, 0},
    };
    for (const auto& c : cases) {
        uint16_t value = 999;
        EXPECT_EQ(sensing::SensitivityFromText(c.text, value), c.accepted) << '"' << c.text << '"';
        EXPECT_EQ(value, c.accepted ? c.value : 999) << '"' << c.text << '"';
    }
}
