// The balloon tip's stack and arithmetic without a window: refreshing a tip, the count-down,
// the time given back when the mouse leaves, the layout of tips and close button, and the
// window region's runs of non-key pixels.
#include "balloon_region.h"
#include "balloon_tips.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace controls;

namespace {

class TipStack : public testing::Test {
protected:
    ~TipStack() override { FreeTips(tips); }
    const BalloonTip& At(int index) const { return *static_cast<const BalloonTip*>(tips.GetAt(index)); }
    std::vector<std::wstring> Titles() const {
        std::vector<std::wstring> titles;
        for (int i = 0; i < tips.GetCount(); ++i)
            titles.push_back(At(i).title);
        return titles;
    }
    std::vector<int> Remaining() const {
        std::vector<int> times;
        for (int i = 0; i < tips.GetCount(); ++i)
            times.push_back(At(i).remainingMs);
        return times;
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i)
            last = CountDownTips(tips, kCountDownMs);
    }
    CPtrListCtrl tips;
    CountDownResult last;
};

} // namespace

TEST_F(TipStack, TheSameTitleAndTextRefreshOneTipAndMoveItToTheTop) {
    EXPECT_TRUE(AddOrRefreshTip(tips, L"A", L"one", TipIconError, kDisplayMs));
    EXPECT_TRUE(AddOrRefreshTip(tips, L"B", L"two", TipIconError, kDisplayMs));
    Tick(3);
    EXPECT_FALSE(AddOrRefreshTip(tips, L"A", L"one", TipIconWarning, kDisplayMs));
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(Remaining(), (std::vector<int>{5000, 3500}));
    EXPECT_EQ(At(0).icon, TipIconWarning);
    // Matching is exact on both title and text.
    EXPECT_TRUE(AddOrRefreshTip(tips, L"A", L"One", TipIconError, kDisplayMs));
    EXPECT_TRUE(AddOrRefreshTip(tips, L"B", L"one", TipIconError, kDisplayMs));
    EXPECT_EQ(tips.GetCount(), 4);
}

TEST_F(TipStack, ATipOfFiveSecondsExpiresAtTheTenthTick) {
    AddOrRefreshTip(tips, L"A", L"one", TipIconError, kDisplayMs);
    Tick(9);
    EXPECT_TRUE(last.anyAlive);
    EXPECT_FALSE(last.anyExpired);
    EXPECT_EQ(Remaining(), (std::vector<int>{500}));
    Tick(1);
    EXPECT_FALSE(last.anyAlive);
    EXPECT_TRUE(last.anyExpired);
    EXPECT_FALSE(IsLive(At(0)));
    Tick(1); // nothing left to expire
    EXPECT_FALSE(last.anyAlive);
    EXPECT_FALSE(last.anyExpired);
}

TEST_F(TipStack, TheOldestOfThreeExpiresFirstWhileTheOthersLiveOn) {
    AddOrRefreshTip(tips, L"old", L"1", TipIconError, kDisplayMs);
    Tick(2);
    AddOrRefreshTip(tips, L"mid", L"2", TipIconError, kDisplayMs);
    Tick(2);
    AddOrRefreshTip(tips, L"new", L"3", TipIconError, kDisplayMs);
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"new", L"mid", L"old"}));
    Tick(6);
    EXPECT_TRUE(last.anyAlive);
    EXPECT_TRUE(last.anyExpired);
    EXPECT_EQ(Remaining(), (std::vector<int>{2000, 1000, 0}));
}

TEST_F(TipStack, LeavingTheMouseGivesEveryTipAtLeastTwoSeconds) {
    AddOrRefreshTip(tips, L"a", L"1", TipIconError, 500);
    AddOrRefreshTip(tips, L"b", L"2", TipIconError, kDisplayMs);
    Tick(1);
    EXPECT_EQ(Remaining(), (std::vector<int>{4500, 0}));
    RaiseRemainingTimes(tips, kResumeMs);
    EXPECT_EQ(Remaining(), (std::vector<int>{4500, 2000}));
    // 2000 ms last three more ticks and run out at the fourth.
    Tick(3);
    EXPECT_EQ(Remaining()[1], 500);
    Tick(1);
    EXPECT_EQ(Remaining()[1], 0);
}

TEST(TipIcons, FourToSixLookLikeOneToThreeAndOthersDrawNothing) {
    const int drawn[] = {0, 1, 2, 3, 1, 2, 3, 0, 0};
    for (int icon = 0; icon < 9; ++icon)
        EXPECT_EQ(DrawnIcon(icon), drawn[icon]) << icon;
    EXPECT_EQ(DrawnIcon(-1), 0);
}

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

BalloonTip* Measured(const wchar_t* title, int titleW, int titleH, int textW, int textH, int remaining) {
    auto* tip = new BalloonTip;
    tip->title = title;
    tip->titleWidth = titleW;
    tip->titleHeight = titleH;
    tip->textWidth = textW;
    tip->textHeight = textH;
    tip->remainingMs = remaining;
    return tip;
}

} // namespace

TEST_F(TipStack, LayoutStacksLiveTipsAndSizesTheWindow) {
    tips.Add(Measured(L"top", 80, 19, 120, 12, 5000)); // text wider than title
    tips.Add(Measured(L"gone", 500, 40, 500, 40, 0));  // expired: takes no room
    tips.Add(Measured(L"low", 60, 10, 30, 10, 500));   // short texts: the icon sets the height
    const BalloonLayout layout = LayoutTips(tips);

    EXPECT_TRUE(SameRect(At(0).iconRect, RECT{14, 32, 44, 62}));
    EXPECT_TRUE(SameRect(At(0).titleRect, RECT{54, 32, 136, 53}));
    EXPECT_TRUE(SameRect(At(0).textRect, RECT{54, 55, 176, 69}));
    // Next tip 8 below the lowest of the three.
    EXPECT_TRUE(SameRect(At(2).iconRect, RECT{14, 77, 44, 107}));
    EXPECT_TRUE(SameRect(At(2).titleRect, RECT{54, 77, 116, 89}));
    EXPECT_TRUE(SameRect(At(2).textRect, RECT{54, 91, 86, 103}));
    // 176 + 40 rounded up to a multiple of 4; the last bottom (107) + 8 + 6.
    EXPECT_EQ(layout.width, 216);
    EXPECT_EQ(layout.height, 121);
    EXPECT_TRUE(SameRect(layout.closeRect, RECT{186, 32, 206, 52}));

    tips.Add(Measured(L"wide", 0, 0, 181, 0, 500), 0);
    EXPECT_EQ(LayoutTips(tips).width, 280); // 237 + 40 = 277 -> 280
}

TEST_F(TipStack, LayoutWithoutLiveTipsIsTheEmptyBalloon) {
    tips.Add(Measured(L"gone", 80, 19, 120, 12, 0));
    const BalloonLayout layout = LayoutTips(tips);
    EXPECT_EQ(layout.width, 40);
    EXPECT_EQ(layout.height, 38);
    EXPECT_TRUE(SameRect(layout.closeRect, RECT{10, 32, 30, 52}));
}

TEST(TipAnchor, UnderTheLeftEdgeOrTheRightOneWhenMirrored) {
    const RECT client{100, 200, 160, 220};
    const POINT ltr = TipAnchorPoint(client, false);
    const POINT rtl = TipAnchorPoint(client, true);
    EXPECT_EQ(ltr.x, 100);
    EXPECT_EQ(ltr.y, 218);
    EXPECT_EQ(rtl.x, 160);
    EXPECT_EQ(rtl.y, 218);
}

namespace {

constexpr uint32_t K = 0x00FF0000; // key colour as a DIB pixel
constexpr uint32_t W = 0x00FFFFFF;

std::vector<RECT> AllRects(const std::vector<RegionBlock>& blocks) {
    std::vector<RECT> rects;
    for (const RegionBlock& block : blocks)
        rects.insert(rects.end(), block.rects.begin(), block.rects.end());
    return rects;
}

} // namespace

TEST(RegionRuns, RunsOfNonKeyPixelsRowByRowFromTheTop) {
    // Rows as a bottom-up DIB stores them: the last row of the buffer is the top one.
    const std::vector<uint32_t> pixels = {
        W, W, W, W, // y = 2
        K, K, K, K, // y = 1: nothing
        K, W, K, W, // y = 0
    };
    const std::vector<RECT> rects = AllRects(NonKeyRuns(pixels.data() + 8, 4, 3, -4));
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_TRUE(SameRect(rects[0], RECT{1, 0, 2, 1}));
    EXPECT_TRUE(SameRect(rects[1], RECT{3, 0, 4, 1}));
    EXPECT_TRUE(SameRect(rects[2], RECT{0, 2, 4, 3}));
}

TEST(RegionRuns, NearKeyColoursCountAsKey) {
    const struct {
        uint32_t pixel;
        bool key;
    } cases[] = {
        {0x00FF0000, true},  {0x00FF1010, true},  {0xFFFF0000, true}, // alpha byte ignored
        {0x00FF1100, false}, {0x00FF0011, false}, {0x00FE0000, false}, {0x00000000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsKeyPixel(c.pixel), c.key) << std::hex << c.pixel;
}

TEST(RegionRuns, BlocksHoldAtMostTheLimitAndKeepTheirBounds) {
    // A checkerboard of 10 x 3: five runs a row.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            pixels.push_back((x + y) % 2 == 0 ? W : K);
    const std::vector<RegionBlock> blocks = NonKeyRuns(pixels.data(), 10, 3, 10, 4);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0].rects.size(), 4u);
    EXPECT_EQ(blocks[3].rects.size(), 3u);
    EXPECT_EQ(AllRects(blocks).size(), 15u);
    // The first block: x 0..8 of row 0; the second: the last run of row 0 and three of row 1.
    EXPECT_TRUE(SameRect(blocks[0].bound, RECT{0, 0, 7, 1}));
    EXPECT_TRUE(SameRect(blocks[1].bound, RECT{1, 0, 9, 2}));
    EXPECT_TRUE(NonKeyRuns(std::vector<uint32_t>(6, K).data(), 3, 2, 3).empty());
    EXPECT_TRUE(NonKeyRuns(nullptr, 3, 2, 3).empty());
}
