// Where the image functions put pictures: picture types, resize sizes, cover, fit, tiles,
// centring and cutting a drawing to its source.
#include "image_geometry.h"

#include <gtest/gtest.h>

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

TEST(PlanDrawBitmap, EachModeOfA200x100PictureInA100x100Place) {
    const RECT place{10, 10, 110, 110}, picture{0, 0, 200, 100};
    const struct {
        int mode;
        ImageDraw draw;
    } cases[] = {
        {0, {10, 10, 100, 100, 50, 0, 100, 100}}, // cover: the middle, cut at the sides
        {1, {10, 35, 100, 50, 0, 0, 200, 100}},   // fit: all of it, centred vertically
        {3, {10, 10, 100, 100, 50, 0, 100, 100}}, // 1:1: the middle of the larger picture
        {7, {10, 10, 100, 100, 0, 0, 200, 100}},  // stretched
    };
    for (const auto& c : cases) {
        std::vector<ImageDraw> draws = imaging::PlanDrawBitmap(place, picture, c.mode);
        ASSERT_EQ(draws.size(), 1u) << "mode " << c.mode;
        ExpectDraw(draws[0], c.draw);
    }
}

TEST(PlanDrawBitmap, AnEmptyPlaceOrPictureDrawsNothing) {
    // Scale factors divide by these sizes.
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_TRUE(imaging::PlanDrawBitmap({10, 10, 10, 50}, {0, 0, 20, 20}, mode).empty()) << mode;
        EXPECT_TRUE(imaging::PlanDrawBitmap({0, 0, 50, 50}, {5, 5, 5, 20}, mode).empty()) << mode;
    }
}

TEST(PlanTiles, OneToOneFromTheCornerTheLastOnesCut) {
    const std::vector<ImageDraw> tiles = imaging::PlanTiles({5, 5, 255, 125}, {10, 20, 110, 70});
    ASSERT_EQ(tiles.size(), 9u); // 3 columns of 100, 100, 50; 3 rows of 50, 50, 20
    ExpectDraw(tiles[0], {5, 5, 100, 50, 10, 20, 100, 50});
    ExpectDraw(tiles[2], {205, 5, 50, 50, 10, 20, 50, 50});
    ExpectDraw(tiles[8], {205, 105, 50, 20, 10, 20, 50, 20});
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
