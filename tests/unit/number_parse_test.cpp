#include "number_parse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Every destination starts as this pattern, so a refused text and a write past the value's
// size both show up as changed bytes.
constexpr unsigned char kFill = 0xA5;

struct Slot {
    unsigned char bytes[16];
    Slot() { std::memset(bytes, kFill, sizeof bytes); }
    bool Untouched(size_t from = 0) const {
        for (size_t i = from; i < sizeof bytes; ++i) {
            if (bytes[i] != kFill)
                return false;
        }
        return true;
    }
    uint32_t Integer(int type) const {
        if (type == DIGITAL_TYPE_UINT16) {
            uint16_t v;
            std::memcpy(&v, bytes, sizeof v);
            return v;
        }
        uint32_t v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
    double Real() const {
        double v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
};

struct IntegerCase {
    const char* text;
    int type;
    uint32_t expected;
};

} // namespace

TEST(DigtalStringToValue, AcceptsIntegersWithinTheRangeOfTheirType) {
    const IntegerCase cases[] = {
        {"0", DIGITAL_TYPE_UINT16, 0},
        {"65535", DIGITAL_TYPE_UINT16, 65535},
        {"+7", DIGITAL_TYPE_UINT16, 7},
        {"0xFFFF", DIGITAL_TYPE_UINT16, 0xFFFF},
        {"  42\t", DIGITAL_TYPE_UINT16, 42},
        {"-17", DIGITAL_TYPE_INT32, uint32_t(-17)},
        {"-2147483648", DIGITAL_TYPE_INT32, 0x80000000u},
        {"4294967295", DIGITAL_TYPE_INT32, 0xFFFFFFFFu},
        {"0xFF3C322A", DIGITAL_TYPE_INT32, 0xFF3C322Au},
        {"0xFF3C322A", DIGITAL_TYPE_COLOR32, 0xFF3C322Au},
        {"0Xab", DIGITAL_TYPE_COLOR32, 0xABu},
        {"-0x10", DIGITAL_TYPE_COLOR32, 0xFFFFFFF0u},
        {"\r\n 123 \n", DIGITAL_TYPE_COLOR32, 123},
        {"007", DIGITAL_TYPE_INT32, 7},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.type));
        Slot slot;
        ASSERT_TRUE(DigtalStringToValue(c.text, -1, slot.bytes, c.type));
        EXPECT_EQ(slot.Integer(c.type), c.expected);
        EXPECT_TRUE(slot.Untouched(size_t(DigitalValueSize(c.type))));
    }
}

TEST(DigtalStringToValue, RefusesTextsThatAreNotANumberOfTheType) {
    const char* const notNumbers[] = {"",    "   ",  "abc", "12abc", "0x",  "-",    "+",
                                      "1.5", "0xG1", "1 2", "--1",   "+-1", "0x-1", "- 1",
                                      "1e3", "0x 1", "x10", "12 a",  "\x01"};
    for (int type : {DIGITAL_TYPE_UINT16, DIGITAL_TYPE_INT32, DIGITAL_TYPE_COLOR32}) {
        for (const char* text : notNumbers) {
            SCOPED_TRACE(std::string("\"") + text + "\" as type " + std::to_string(type));
            Slot slot;
            EXPECT_FALSE(DigtalStringToValue(text, -1, slot.bytes, type));
            EXPECT_TRUE(slot.Untouched());
        }
    }
    const IntegerCase outOfRange[] = {
        {"65536", DIGITAL_TYPE_UINT16, 0},
        {"0x10000", DIGITAL_TYPE_UINT16, 0},
        {"-1", DIGITAL_TYPE_UINT16, 0},
        {"-2147483649", DIGITAL_TYPE_INT32, 0},
        {"4294967296", DIGITAL_TYPE_INT32, 0},
        {"0x1FF3C322A", DIGITAL_TYPE_COLOR32, 0},
        {"-4294967295", DIGITAL_TYPE_COLOR32, 0},
        // Far beyond 64 bits: must not wrap around into range.
        {"18446744073709551617", DIGITAL_TYPE_INT32, 0},
        {"0x100000000000000001", DIGITAL_TYPE_COLOR32, 0},
    };
    for (const IntegerCase& c : outOfRange) {
        SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.type));
        Slot slot;
        EXPECT_FALSE(DigtalStringToValue(c.text, -1, slot.bytes, c.type));
        EXPECT_TRUE(slot.Untouched());
    }
}

TEST(DigtalStringToValue, ReadsOnlyTheGivenLength) {
    Slot slot;
    ASSERT_TRUE(DigtalStringToValue("1234abc", 4, slot.bytes, DIGITAL_TYPE_INT32));
    EXPECT_EQ(slot.Integer(DIGITAL_TYPE_INT32), 1234u);

    ASSERT_TRUE(DigtalStringToValue("0x1Fzz", 4, slot.bytes, DIGITAL_TYPE_COLOR32));
    EXPECT_EQ(slot.Integer(DIGITAL_TYPE_COLOR32), 0x1Fu);

    // No terminator at all: reading past the two characters would run off the array.
    const char unterminated[] = {'7', '5'};
    ASSERT_TRUE(DigtalStringToValue(unterminated, 2, slot.bytes, DIGITAL_TYPE_UINT16));
    EXPECT_EQ(slot.Integer(DIGITAL_TYPE_UINT16), 75u);

    Slot untouched;
    EXPECT_FALSE(DigtalStringToValue("12", 0, untouched.bytes, DIGITAL_TYPE_INT32));
    EXPECT_FALSE(DigtalStringToValue("-12", 1, untouched.bytes, DIGITAL_TYPE_INT32));
    EXPECT_TRUE(untouched.Untouched());
}

TEST(DigtalStringToValue, DoubleTakesPlainFiniteDecimals) {
    const struct {
        const char* text;
        double expected;
    } accepted[] = {
        {"6.75", 6.75}, {"-1e2", -100.0},   {"+3", 3.0},     {" 0.5 ", 0.5},
        {".25", 0.25},  {"-0.125", -0.125}, {"2E-3", 0.002},
    };
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.text);
        Slot slot;
        ASSERT_TRUE(DigtalStringToValue(c.text, -1, slot.bytes, DIGITAL_TYPE_DOUBLE));
        EXPECT_DOUBLE_EQ(slot.Real(), c.expected);
        EXPECT_TRUE(slot.Untouched(sizeof(double)));
    }

    const char* const refused[] = {"inf", "-inf", "nan", "-nan", "infinity", "1.2.3", "",
                                   " ",   "+",    "-",   ".",    "1e",       "0x10",  "1e400",
                                   "+-3", "-+3",  "++3", "3,5",  "1 2"};
    for (const char* text : refused) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        Slot slot;
        EXPECT_FALSE(DigtalStringToValue(text, -1, slot.bytes, DIGITAL_TYPE_DOUBLE));
        EXPECT_TRUE(slot.Untouched());
    }
}

TEST(DigtalStringToValue, RefusesUnknownTypesAndNullArguments) {
    Slot slot;
    EXPECT_FALSE(DigtalStringToValue("5", -1, slot.bytes, 3));
    EXPECT_FALSE(DigtalStringToValue("5", -1, slot.bytes, 8));
    EXPECT_FALSE(DigtalStringToValue(nullptr, -1, slot.bytes, DIGITAL_TYPE_INT32));
    EXPECT_FALSE(DigtalStringToValue("5", -1, nullptr, DIGITAL_TYPE_INT32));
    EXPECT_TRUE(slot.Untouched());
}

namespace {

std::vector<uint16_t> NineEntries() {
    return {1, 2, 3, 4, 5, 6, 7, 8, 9};
}

} // namespace

TEST(ParseDigitalArrayValue, WritesOnlyTheLeadingEntriesItHasPiecesFor) {
    std::vector<uint16_t> entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue("60;55", -1, ";,", 2, 0, DIGITAL_TYPE_UINT16, entries.data(), 9), 2);
    EXPECT_EQ(entries, (std::vector<uint16_t>{60, 55, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(ParseDigitalArrayValue, CommaAndSemicolonBothSeparate) {
    std::vector<uint32_t> entries(4, 0xEEEEEEEEu);
    EXPECT_EQ(
        ParseDigitalArrayValue("0xFF3C322A, -1;7", -1, ";,", 2, 0, DIGITAL_TYPE_COLOR32, entries.data(), 4),
        3);
    EXPECT_EQ(entries, (std::vector<uint32_t>{0xFF3C322Au, 0xFFFFFFFFu, 7u, 0xEEEEEEEEu}));
}

TEST(ParseDigitalArrayValue, EmptyOrBadPiecesKeepTheirEntryButTakeTheirPosition) {
    const struct {
        const char* text;
        int written;
        std::vector<uint16_t> expected;
    } cases[] = {
        {"60;;55", 2, {60, 2, 55, 4, 5, 6, 7, 8, 9}},
        {"60;x;55", 2, {60, 2, 55, 4, 5, 6, 7, 8, 9}},
        {";;;40", 1, {1, 2, 3, 40, 5, 6, 7, 8, 9}},
        {"10;-1;70000;1.5;50", 2, {10, 2, 3, 4, 50, 6, 7, 8, 9}},
        {"11;", 1, {11, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {" 12 , 13 ", 2, {12, 13, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<uint16_t> entries = NineEntries();
        EXPECT_EQ(ParseDigitalArrayValue(c.text, -1, ";,", 2, 0, DIGITAL_TYPE_UINT16, entries.data(), 9),
                  c.written);
        EXPECT_EQ(entries, c.expected);
    }
}

TEST(ParseDigitalArrayValue, StopsAtTheCapacity) {
    // Entries past the capacity belong to someone else.
    std::vector<uint16_t> entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue("10;20;30;40", -1, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 2),
              2);
    EXPECT_EQ(entries, (std::vector<uint16_t>{10, 20, 3, 4, 5, 6, 7, 8, 9}));

    entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue("10;20", -1, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 0), 0);
    EXPECT_EQ(entries, NineEntries());
}

TEST(ParseDigitalArrayValue, ReadsOnlyTheGivenLength) {
    std::vector<uint16_t> entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue("10;20;30", 4, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 9), 2);
    EXPECT_EQ(entries, (std::vector<uint16_t>{10, 2, 3, 4, 5, 6, 7, 8, 9}));

    const char unterminated[] = {'8', ';', '9'};
    entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue(unterminated, 3, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 9), 2);
    EXPECT_EQ(entries, (std::vector<uint16_t>{8, 9, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(ParseDigitalArrayValue, DoublesUseEightByteEntries) {
    std::vector<double> entries(3, 9.0);
    EXPECT_EQ(ParseDigitalArrayValue("6.75;-1e2", -1, ";", 1, 0, DIGITAL_TYPE_DOUBLE, entries.data(), 3), 2);
    EXPECT_EQ(entries, (std::vector<double>{6.75, -100.0, 9.0}));
}

TEST(ParseDigitalArrayValue, NullTextChangesNothing) {
    std::vector<uint16_t> entries = NineEntries();
    EXPECT_EQ(ParseDigitalArrayValue(nullptr, -1, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 9), 0);
    EXPECT_EQ(ParseDigitalArrayValue(nullptr, 5, ";", 1, 0, DIGITAL_TYPE_UINT16, entries.data(), 9), 0);
    EXPECT_EQ(entries, NineEntries());
}
