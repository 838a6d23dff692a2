// Where the image functions put pictures: picture types, resize sizes, cover, fit, tiles (walked
// one at a time, only the visible ones), centring and cutting a drawing to its source.
#include "image_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using imaging::ImageDraw;

namespace {

void ExpectDraw(const ImageDraw& d, ImageDraw expected) {
    EXPECT_DOUBLE_EQ(d.destX, expected.destX);
    EXPECT_DOUBLE_EQ(d.destY, expected.destY);
    EXPECT_DOUBLE_EQ(d.destWidth, expected.destWidth);
    EXPECT_DOUBLE_EQ(d.destHeight, expected.destHeight);
    EXPECT_DOUBLE_EQ(d.srcX, expected.srcX);
    EXPECT_DOUBLE_EQ(d.srcY, expected.srcY);
    EXPECT_DOUBLE_EQ(d.srcWidth, expected.srcWidth);
    EXPECT_DOUBLE_EQ(d.srcHeight, expected.srcHeight);
}

} // namespace

TEST(PictureType, ByExtensionIgnoringCase) {
    const struct {
        const wchar_t* extension;
        int type;
    } cases[] = {
        {L"bmp", 0}, {L"BMP", 0},  {L"jpg", 1},  {L"JPG", 1}, {L"jPg", 1}, {L"jpeg", 1},
        {L"gif", 2}, {L"tiff", 3}, {L"TIFF", 3}, {L"tif", 4}, {L"png", 4}, {L"", 4},
        {L"jp", 4},  {L"jpgs", 4}, {L"bm", 4},   {L"txt", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(imaging::PictureTypeFromExtension(c.extension), c.type) << "extension ." << c.extension;
    EXPECT_EQ(imaging::PictureTypeFromExtension(nullptr), 4);
}

TEST(PlanResize, SizesOfEveryModeFor200x100To100x100) {
    const struct {
        int mode;
        int width, height;
    } cases[] = {{0, 100, 100}, {1, 100, 50}, {2, 200, 100}, {3, 100, 50}, {4, 200, 100}};
    for (const auto& c : cases) {
        int w = 0, h = 0;
        ImageDraw draw;
        ASSERT_TRUE(imaging::PlanResize(200, 100, 100, 100, c.mode, &w, &h, &draw)) << "mode " << c.mode;
        EXPECT_EQ(w, c.width) << "mode " << c.mode;
        EXPECT_EQ(h, c.height) << "mode " << c.mode;
        // The whole source goes over the whole result.
        ExpectDraw(draw, {0, 0, double(w), double(h), 0, 0, 200, 100});
    }
}

TEST(PlanResize, RefusesWhatCannotBeMade) {
    int w = 0, h = 0;
    ImageDraw draw;
    EXPECT_FALSE(imaging::PlanResize(200, 100, 100, 100, 5, &w, &h, &draw));
    EXPECT_FALSE(imaging::PlanResize(200, 100, 0, 100, 0, &w, &h, &draw));
    EXPECT_FALSE(imaging::PlanResize(200, 100, 100, -1, 1, &w, &h, &draw));
    // A 1000 x 1 line fitted into 10 x 10 would be 10 x 0.
    EXPECT_FALSE(imaging::PlanResize(1000, 1, 10, 10, 1, &w, &h, &draw));
}

TEST(CoverPart, TheCentredPartWithTheTargetsProportions) {
    const struct {
        RECT source;
        int width, height;
        RECT part;
    } cases[] = {
        {{0, 0, 200, 100}, 100, 100, {50, 0, 150, 100}}, // the middle of a wide picture
        {{0, 0, 100, 200}, 50, 50, {0, 50, 100, 150}},   // the middle of a tall one
        {{0, 0, 200, 100}, 400, 200, {0, 0, 200, 100}},  // same proportions: all of it
        {{10, 20, 110, 70}, 50, 50, {35, 20, 85, 70}},   // a part of a picture
    };
    for (const auto& c : cases) {
        RECT part{};
        ASSERT_TRUE(imaging::CoverPart(c.source, c.width, c.height, &part));
        EXPECT_EQ(part.left, c.part.left);
        EXPECT_EQ(part.top, c.part.top);
        EXPECT_EQ(part.right, c.part.right);
        EXPECT_EQ(part.bottom, c.part.bottom);
    }
    RECT part;
    EXPECT_FALSE(imaging::CoverPart({0, 0, 200, 100}, 0, 100, &part));
    EXPECT_FALSE(imaging::CoverPart({0, 0, 0, 100}, 10, 10, &part));
}

namespace {

// Every drawing of a small plan, in order.
std::vector<ImageDraw> Collect(const RECT& destination, const RECT& source, int mode,
                               const RECT& visible = imaging::kEverywhere) {
    std::vector<ImageDraw> draws;
    EXPECT_TRUE(imaging::ForEachBitmapDraw(destination, source, mode, visible, [&](const ImageDraw& d) {
        draws.push_back(d);
        return true;
    }));
    return draws;
}

} // namespace

TEST(ForEachBitmapDraw, EachModeOfA200x100PictureInA100x100Place) {
    const RECT place{10, 10, 110, 110}, picture{0, 0, 200, 100};
    const struct {
        int mode;
        ImageDraw draw;
    } cases[] = {
        {0, {10, 10, 100, 100, 50, 0, 100, 100}}, // cover: the middle, cut at the sides
        {1, {10, 35, 100, 50, 0, 0, 200, 100}},   // fit: all of it, centred vertically
        {2, {10, 10, 100, 100, 0, 0, 100, 100}},  // tiles: one, cut to the place
        {3, {10, 10, 100, 100, 50, 0, 100, 100}}, // 1:1: the middle of the larger picture
        {7, {10, 10, 100, 100, 0, 0, 200, 100}},  // stretched
    };
    for (const auto& c : cases) {
        std::vector<ImageDraw> draws = Collect(place, picture, c.mode);
        ASSERT_EQ(draws.size(), 1u) << "mode " << c.mode;
        ExpectDraw(draws[0], c.draw);
    }
}

TEST(ForEachBitmapDraw, AnEmptyPlaceOrPictureDrawsNothing) {
    // Scale factors divide by these sizes.
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_TRUE(Collect({10, 10, 10, 50}, {0, 0, 20, 20}, mode).empty()) << mode;
        EXPECT_TRUE(Collect({0, 0, 50, 50}, {5, 5, 5, 20}, mode).empty()) << mode;
    }
}

TEST(ForEachTile, OneToOneFromTheCornerTheLastOnesCut) {
    const std::vector<ImageDraw> tiles = Collect({5, 5, 255, 125}, {10, 20, 110, 70}, 2);
    ASSERT_EQ(tiles.size(), 9u); // 3 columns of 100, 100, 50; 3 rows of 50, 50, 20
    ExpectDraw(tiles[0], {5, 5, 100, 50, 10, 20, 100, 50});
    ExpectDraw(tiles[2], {205, 5, 50, 50, 10, 20, 50, 50});
    ExpectDraw(tiles[8], {205, 105, 50, 20, 10, 20, 50, 20});
}

TEST(ForEachTile, OnlyTilesMeetingTheVisiblePart) {
    // 10 x 10 tiles from (5, 5); the visible part touches columns 2..4 of row 3 only.
    const std::vector<ImageDraw> tiles = Collect({5, 5, 105, 105}, {0, 0, 10, 10}, 2, {30, 40, 55, 44});
    ASSERT_EQ(tiles.size(), 3u);
    ExpectDraw(tiles[0], {25, 35, 10, 10, 0, 0, 10, 10});
    ExpectDraw(tiles[2], {45, 35, 10, 10, 0, 0, 10, 10});
    EXPECT_TRUE(Collect({5, 5, 105, 105}, {0, 0, 10, 10}, 2, {200, 0, 300, 100}).empty());
    EXPECT_TRUE(Collect({5, 5, 105, 105}, {0, 0, 10, 10}, 2, {0, 0, 5, 5}).empty());
}

TEST(ForEachTile, AHugeTilingIsWalkedNotListed) {
    // 2^32 tiles: kept in a list they would need hundreds of gigabytes. The walk hands out the
    // first ones at once and stops when told.
    std::vector<ImageDraw> seen;
    const bool finished = imaging::ForEachTile({0, 0, 65536, 65536}, {0, 0, 1, 1}, imaging::kEverywhere,
                                               [&](const ImageDraw& d) {
                                                   seen.push_back(d);
                                                   return seen.size() < 3;
                                               });
    EXPECT_FALSE(finished);
    ASSERT_EQ(seen.size(), 3u);
    ExpectDraw(seen[2], {2, 0, 1, 1, 0, 0, 1, 1});

    // The visible part picks the last tile straight away.
    seen.clear();
    EXPECT_TRUE(imaging::ForEachTile({0, 0, 65536, 65536}, {0, 0, 1, 1}, {65535, 65535, 70000, 70000},
                                     [&](const ImageDraw& d) {
                                         seen.push_back(d);
                                         return true;
                                     }));
    ASSERT_EQ(seen.size(), 1u);
    ExpectDraw(seen[0], {65535, 65535, 1, 1, 0, 0, 1, 1});
}

TEST(ForEachTile, ADestinationWiderThanIntHasItsTilesWhereTheyBelong) {
    // Right minus left does not fit in an int here.
    const std::vector<ImageDraw> tiles = Collect({INT_MIN, 0, INT_MAX, 1}, {0, 0, 1 << 30, 1}, 2);
    ASSERT_EQ(tiles.size(), 4u);
    ExpectDraw(tiles[3], {double(1 << 30), 0, double((1 << 30) - 1), 1, 0, 0, double((1 << 30) - 1), 1});
}

TEST(PlanCentred, MiddleOfTheLargerSideWholeOfTheSmaller) {
    // Source 200 wide into 100: its middle; source 50 high into 100: all of it, centred.
    ExpectDraw(imaging::PlanCentred({0, 0, 100, 100}, {0, 0, 200, 50}), {0, 25, 100, 50, 50, 0, 100, 50});
}

TEST(PlanAlphaDraw, StretchedOrOneToOneFromTheCornerCentred) {
    ExpectDraw(imaging::PlanAlphaDraw({0, 0, 100, 100}, {0, 0, 40, 200}, true),
               {0, 0, 100, 100, 0, 0, 40, 200});
    ExpectDraw(imaging::PlanAlphaDraw({0, 0, 100, 100}, {0, 0, 40, 200}, false),
               {30, 0, 40, 100, 0, 0, 40, 100});
}

TEST(ClipToSource, CutsTheSourceAndTheDestinationInProportion) {
    // Source part 50..150 of a 100 wide picture, drawn twice as large at 0..200.
    ImageDraw draw{0, 0, 200, 100, 50, -25, 100, 50};
    ASSERT_TRUE(imaging::ClipToSource(&draw, 100, 100));
    ExpectDraw(draw, {0, 50, 100, 50, 50, 0, 50, 25});

    ImageDraw inside{0, 0, 10, 10, 1, 1, 5, 5};
    ASSERT_TRUE(imaging::ClipToSource(&inside, 100, 100));
    ExpectDraw(inside, {0, 0, 10, 10, 1, 1, 5, 5});

    ImageDraw outside{0, 0, 10, 10, 100, 0, 5, 5};
    EXPECT_FALSE(imaging::ClipToSource(&outside, 100, 100));
    ImageDraw empty{0, 0, 0, 10, 0, 0, 5, 5};
    EXPECT_FALSE(imaging::ClipToSource(&empty, 100, 100));
}
