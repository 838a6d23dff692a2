#include "string_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::wstring>;

// Splits, copies the pieces out and frees the block, so each case reads as text in, text out.
Pieces Split(const wchar_t* text, int length, const wchar_t* separators, int separatorCount, int maxPieces) {
    CPtrArrayCtrl list;
    wchar_t* block = DevideStringByCharListW(text, length, separators, separatorCount, 0, &list, maxPieces);
    Pieces pieces;
    for (int i = 0; i < list.GetCount(); ++i)
        pieces.emplace_back(static_cast<const wchar_t*>(list.GetAt(i)));
    Internal_DelArrayW(block);
    return pieces;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

} // namespace

TEST(DevideStringByCharListW, SplitsIntoPiecesInOrder) {
    const struct {
        const wchar_t* text;
        int length;
        const wchar_t* separators;
        int separatorCount;
        int maxPieces;
        Pieces expected;
    } cases[] = {
        {L"a,b,c", -1, L",", 1, 0, {L"a", L"b", L"c"}},
        {L"alpha", -1, L",", 1, 0, {L"alpha"}},
        {L"", -1, L",", 1, 0, {}},
        // Empty pieces between, before and after separators all count.
        {L"a,,b,", -1, L",", 1, 0, {L"a", L"", L"b", L""}},
        {L",a", -1, L",", 1, 0, {L"", L"a"}},
        {L",", -1, L",", 1, 0, {L"", L""}},
        {L"a,b;c d", -1, L",; ", 3, 0, {L"a", L"b", L"c", L"d"}},
        // Only the first separatorCount characters are separators.
        {L"a;b,c", -1, L",;", 1, 0, {L"a;b", L"c"}},
        {L"a,b", -1, nullptr, 0, 0, {L"a,b"}},
        // The last allowed piece keeps the rest, separators included.
        {L"a,b,c,d", -1, L",", 1, 2, {L"a", L"b,c,d"}},
        {L"a,b,c", -1, L",", 1, 1, {L"a,b,c"}},
        {L"a,b,c", -1, L",", 1, 3, {L"a", L"b", L"c"}},
        {L"a,b,c", -1, L",", 1, 10, {L"a", L"b", L"c"}},
        {L"a,,", -1, L",", 1, 2, {L"a", L","}},
        {L"a,b,c", 3, L",", 1, 0, {L"a", L"b"}},
        {L"a,b,c", 2, L",", 1, 0, {L"a", L""}},
        {L"a,b,c", 0, L",", 1, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + Narrow(c.text) + "\" length " + std::to_string(c.length) + " max " +
                     std::to_string(c.maxPieces));
        EXPECT_EQ(Split(c.text, c.length, c.separators, c.separatorCount, c.maxPieces), c.expected);
    }
}

TEST(DevideStringByCharListW, LeavesTheTextAloneAndReadsOnlyItsLength) {
    // No terminator: the split must stay within the three characters and not write into them.
    const wchar_t text[] = {L'x', L',', L'y'};
    EXPECT_EQ(Split(text, 3, L",", 1, 0), (Pieces{L"x", L"y"}));
    EXPECT_EQ(text[1], L',');
}

TEST(DevideStringByCharListW, AppendsAfterWhatTheListAlreadyHolds) {
    CPtrArrayCtrl list;
    int marker = 0;
    list.Add(&marker);
    wchar_t* block = DevideStringByCharListW(L"p|q", -1, L"|", 1, 0, &list, 0);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(0), &marker);
    EXPECT_STREQ(static_cast<const wchar_t*>(list.GetAt(1)), L"p");
    EXPECT_STREQ(static_cast<const wchar_t*>(list.GetAt(2)), L"q");
    Internal_DelArrayW(block);
}

TEST(DevideStringByCharListW, NullTextGivesNoBlockAndNoPiece) {
    CPtrArrayCtrl list;
    EXPECT_EQ(DevideStringByCharListW(nullptr, -1, L",", 1, 0, &list, 0), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}
