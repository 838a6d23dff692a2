#include "base_buffer.h"
#include "base_string.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Pattern(size_t size, uint8_t seed = 0) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + seed + i / 251);
    return bytes;
}

std::vector<uint8_t> Content(const CBaseBuffer& buffer) {
    const uint8_t* data = buffer.GetBuffer();
    return data ? std::vector<uint8_t>(data, data + buffer.GetAvailSize()) : std::vector<uint8_t>();
}

} // namespace

TEST(CBaseBuffer, AppendKeepsEverythingAcrossGrowth) {
    CBaseBuffer buffer;
    std::vector<uint8_t> expected;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> piece = Pattern(size_t(round % 13) + 1, uint8_t(round));
        ASSERT_TRUE(buffer.AppendBuffer(piece.data(), piece.size()));
        expected.insert(expected.end(), piece.begin(), piece.end());
    }
    EXPECT_EQ(Content(buffer), expected);
    EXPECT_GE(buffer.GetCapacity(), buffer.GetAvailSize());

    EXPECT_TRUE(buffer.AppendBuffer(nullptr, 0));
    EXPECT_FALSE(buffer.AppendBuffer(nullptr, 4));
    EXPECT_EQ(Content(buffer), expected);
}

TEST(CBaseBuffer, AppendOfItsOwnContentSurvivesTheMoveOfTheStorage) {
    CBaseBuffer buffer;
    std::vector<uint8_t> expected = Pattern(64);
    ASSERT_TRUE(buffer.SetBuffer(expected.data(), expected.size()));
    // Doubling each time makes every append outgrow the storage it reads from.
    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(buffer.AppendBuffer(buffer.GetBuffer(), buffer.GetAvailSize()));
        expected.insert(expected.end(), expected.begin(), expected.end());
        ASSERT_EQ(Content(buffer), expected) << "round " << round;
    }
    // A slice from the middle, again past the capacity.
    size_t slice = buffer.GetCapacity() - buffer.GetAvailSize() + 100;
    ASSERT_LE(slice + 10, buffer.GetAvailSize());
    ASSERT_TRUE(buffer.AppendBuffer(buffer.GetBuffer() + 10, slice));
    expected.insert(expected.end(), expected.begin() + 10, expected.begin() + 10 + long(slice));
    EXPECT_EQ(Content(buffer), expected);
}

TEST(CBaseBuffer, SetBufferFromItselfDropsAConsumedPrefix) {
    CBaseBuffer buffer;
    const std::vector<uint8_t> original = Pattern(100000);
    ASSERT_TRUE(buffer.SetBuffer(original.data(), original.size()));
    size_t capacity = buffer.GetCapacity();

    // The kept part overlaps the place it moves to.
    ASSERT_TRUE(buffer.SetBuffer(buffer.GetBuffer() + 3000, original.size() - 3000));
    EXPECT_EQ(Content(buffer), std::vector<uint8_t>(original.begin() + 3000, original.end()));
    EXPECT_EQ(buffer.GetCapacity(), capacity);

    ASSERT_TRUE(buffer.SetBuffer(buffer.GetBuffer() + buffer.GetAvailSize() - 5, 5));
    EXPECT_EQ(Content(buffer), std::vector<uint8_t>(original.end() - 5, original.end()));

    ASSERT_TRUE(buffer.SetBuffer(buffer.GetBuffer(), 0));
    EXPECT_EQ(buffer.GetAvailSize(), 0u);
}

TEST(CBaseBuffer, SetBufferReplacesTheContent) {
    CBaseBuffer buffer;
    const std::vector<uint8_t> small = Pattern(10, 1), large = Pattern(5000, 2);
    ASSERT_TRUE(buffer.SetBuffer(large.data(), large.size()));
    ASSERT_TRUE(buffer.SetBuffer(small.data(), small.size()));
    EXPECT_EQ(Content(buffer), small);
    ASSERT_TRUE(buffer.SetBuffer(large.data(), large.size()));
    EXPECT_EQ(Content(buffer), large);
    EXPECT_FALSE(buffer.SetBuffer(nullptr, 3));
}

TEST(CBaseBuffer, DeleteFreesAndLeavesAUsableEmptyBuffer) {
    CBaseBuffer buffer;
    const std::vector<uint8_t> bytes = Pattern(300);
    ASSERT_TRUE(buffer.AppendBuffer(bytes.data(), bytes.size()));
    buffer.Delete();
    EXPECT_EQ(buffer.GetBuffer(), nullptr);
    EXPECT_EQ(buffer.GetAvailSize(), 0u);
    EXPECT_EQ(buffer.GetCapacity(), 0u);
    buffer.Delete();

    ASSERT_TRUE(buffer.AppendBuffer(bytes.data(), 20));
    EXPECT_EQ(Content(buffer), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20));
}

TEST(CBaseStringA, SetTakesTheGivenLengthAndStopsAtATerminator) {
    const char unterminated[] = {'a', 'b', 'c'};
    const struct {
        const char* text;
        int length;
        std::string expected;
    } cases[] = {
        {"hello", -1, "hello"},   {"hello", 3, "hel"}, {"hello", 0, ""},  {"he\0llo", 6, "he"},
        {unterminated, 3, "abc"}, {"", -1, ""},        {nullptr, -1, ""}, {nullptr, 4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("expected \"" + c.expected + "\" length " + std::to_string(c.length));
        CBaseStringA text("previous content");
        text.Set(c.text, c.length);
        EXPECT_EQ(std::string(text.GetString()), c.expected);
        EXPECT_EQ(text.GetLength(), int(c.expected.size()));
        EXPECT_EQ(text.IsEmpty(), c.expected.empty());
    }
}

TEST(CBaseStringA, SetFromItsOwnText) {
    CBaseStringA text("0123456789");
    text.Set(text.GetString() + 4, 3);
    EXPECT_STREQ(text.GetString(), "456");
    text.Set(text.GetString());
    EXPECT_STREQ(text.GetString(), "456");
}
