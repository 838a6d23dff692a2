#include "port_names.h"

#include <gtest/gtest.h>

TEST(PortNames, NumberAfterTheFirstThreeCharacters) {
    struct {
        const wchar_t* name;
        int number;
    } cases[] = {
        {L"COM3", 3},  {L"COM10", 10}, {L"COM256", 256},        {L"XYZ7", 7}, {L"COM12a", 12}, {L"COM", -1},
        {L"COMx", -1}, {L"", -1},      {L"COM99999999999", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortNumberFromName(c.name), c.number);
    EXPECT_EQ(PortNumberFromName(nullptr), -1);
}
