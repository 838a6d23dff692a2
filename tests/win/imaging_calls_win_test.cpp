// Each drawing, cropping, tiling, loading and converting call of the image functions once, with
// the pixels it must leave; and greying in every pixel format.
#include "imaging_test_ids.h"
#include "imaging_test_support.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

// Red, green and blue bands of 5, 10 and 5 columns.
BitmapPtr Bands20x10() {
    return MakePicture(20, 10, [](int x, int) { return x < 5 ? kRed : x < 15 ? kGreen : kBlue; });
}

BitmapPtr Solid(int width, int height, ARGB color) {
    return MakePicture(width, height, [color](int, int) { return color; });
}

// A 40 x 40 white canvas after `draw` on a graphics over it.
BitmapPtr Drawn(const std::function<void(Graphics*)>& draw) {
    BitmapPtr canvas(Gdiplus_CreateColorBmp(40, 40, kWhite));
    if (canvas) {
        Graphics graphics(canvas.get());
        draw(&graphics);
    }
    return canvas;
}

// Runs in a folder of its own: the converters write their made names into the current folder.
class InTempFolder {
public:
    InTempFolder() : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(m_folder.Path());
    }
    ~InTempFolder() { std::filesystem::current_path(m_previous); }
    const TempFolder& folder() const { return m_folder; }

private:
    TempFolder m_folder;
    std::filesystem::path m_previous;
};

// A copy that no longer reads from the file it was loaded from, so the folder can go.
BitmapPtr Detached(Bitmap* loaded) {
    BitmapPtr owned(loaded);
    return BitmapPtr(owned ? Gdiplus_CopyBitmap(owned.get()) : nullptr);
}

struct Probe {
    int x, y;
    ARGB color;
};

struct CallCase {
    const char* call;
    std::function<BitmapPtr()> make;
    std::vector<Probe> probes;
    UINT width = 0, height = 0; // 0: a canvas, whose size is known
    int tolerance = 0;
};

} // namespace

TEST(Calls, EachLeavesTheExpectedPixels) {
    constexpr ARGB kHalfRed = 0xFFFF8080; // red at half opacity over white
    const RECT canvas{0, 0, 40, 40};
    const CallCase cases[] = {
        {"DrawBitmap mode 0 covers with the middle",
         [&] {
             BitmapPtr p = Bands20x10();
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &canvas, p.get(), nullptr, 0); });
         },
         {{8, 20, kGreen}, {32, 20, kGreen}, {20, 2, kGreen}}},
        {"DrawBitmap mode 1 fits centred",
         [&] {
             BitmapPtr p = Bands20x10();
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &canvas, p.get(), nullptr, 1); });
         },
         {{20, 4, kWhite}, {2, 20, kRed}, {20, 20, kGreen}, {37, 20, kBlue}, {20, 35, kWhite}}},
        {"DrawBitmap mode 2 tiles",
         [&] {
             BitmapPtr p = Bands20x10();
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &canvas, p.get(), nullptr, 2); });
         },
         {{2, 2, kRed}, {22, 12, kRed}, {30, 25, kGreen}, {37, 37, kBlue}}},
        {"DrawBitmap mode 2 tiles 1x1 over 65536x65536",
         [&] {
             BitmapPtr p = Solid(1, 1, kRed);
             const RECT huge{0, 0, 65536, 65536};
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &huge, p.get(), nullptr, 2); });
         },
         {{0, 0, kRed}, {39, 39, kRed}, {17, 23, kRed}}},
        {"DrawBitmap mode 3 draws 1:1 centred",
         [&] {
             BitmapPtr p = Bands20x10();
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &canvas, p.get(), nullptr, 3); });
         },
         {{5, 20, kWhite}, {11, 16, kRed}, {20, 20, kGreen}, {28, 24, kBlue}, {20, 5, kWhite}}},
        {"DrawBitmap other modes stretch the source part",
         [&] {
             BitmapPtr p = Bands20x10();
             const RECT blue{15, 0, 20, 10};
             return Drawn([&](Graphics* g) { Gdiplus_DrawBitmap(g, &canvas, p.get(), &blue, 9); });
         },
         {{12, 12, kBlue}, {20, 20, kBlue}, {28, 28, kBlue}}},
        {"DrawAlphaBitmap stretched",
         [&] {
             BitmapPtr p = Solid(20, 10, kRed);
             return Drawn(
                 [&](Graphics* g) { Gdiplus_DrawAlphaBitmap(g, &canvas, p.get(), nullptr, 1, 128); });
         },
         {{3, 3, kHalfRed}, {20, 20, kHalfRed}, {34, 34, kHalfRed}},
         0,
         0,
         3},
        {"DrawAlphaBitmap 1:1 centred",
         [&] {
             BitmapPtr p = Solid(20, 10, kRed);
             return Drawn(
                 [&](Graphics* g) { Gdiplus_DrawAlphaBitmap(g, &canvas, p.get(), nullptr, 0, 128); });
         },
         {{5, 5, kWhite}, {15, 20, kHalfRed}, {35, 20, kWhite}},
         0,
         0,
         3},
        {"FillRect",
         [&] {
             SolidBrush brush{Color(kGreen)};
             const RECT r{10, 10, 30, 30};
             return Drawn([&](Graphics* g) { Gdiplus_FillRect(g, &r, &brush); });
         },
         {{10, 10, kGreen}, {29, 29, kGreen}, {30, 30, kWhite}, {9, 9, kWhite}}},
        {"FillPolygon",
         [&] {
             SolidBrush brush{Color(kBlue)};
             const POINT triangle[] = {{0, 0}, {40, 0}, {0, 40}};
             return Drawn([&](Graphics* g) { Gdiplus_FillPolygon(g, triangle, 3, &brush); });
         },
         {{5, 5, kBlue}, {30, 2, kBlue}, {35, 35, kWhite}}},
        {"DrawRect",
         [&] {
             const RECT r{10, 10, 30, 30};
             return Drawn([&](Graphics* g) { Gdiplus_DrawRect(g, &r, kRed, 2.0f); });
         },
         {{10, 20, kRed}, {20, 10, kRed}, {27, 20, kRed}, {20, 20, kWhite}, {32, 20, kWhite}}},
        {"StretchBitmap",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_StretchBitmap(p.get(), 40, 20));
         },
         {{2, 10, kRed}, {20, 10, kGreen}, {37, 10, kBlue}},
         40,
         20},
        {"GetBitmapFromBitmap at its own size",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_GetBitmapFromBitmap(p.get(), 5, 0, 10, 10, nullptr));
         },
         {{1, 1, kGreen}, {8, 8, kGreen}},
         10,
         10},
        {"GetBitmapFromBitmap stretched to a size",
         [] {
             BitmapPtr p = Bands20x10();
             const SIZE size{10, 20};
             return BitmapPtr(Gdiplus_GetBitmapFromBitmap(p.get(), 15, 0, 5, 10, &size));
         },
         {{1, 1, kBlue}, {8, 18, kBlue}},
         10,
         20},
        {"GetBitmapFromBitmapByRect",
         [] {
             BitmapPtr p = Bands20x10();
             const RECT red{0, 0, 5, 10};
             return BitmapPtr(Gdiplus_GetBitmapFromBitmapByRect(p.get(), &red, nullptr));
         },
         {{0, 0, kRed}, {4, 9, kRed}},
         5,
         10},
        {"DisposeBitmapByMode 1 fits",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_DisposeBitmapByMode(p.get(), 40, 40, 1, kWhite));
         },
         {{2, 10, kRed}, {20, 10, kGreen}, {37, 10, kBlue}},
         40,
         20},
        {"DisposeBitmapByMode 2 tiles",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_DisposeBitmapByMode(p.get(), 50, 25, 2, kWhite));
         },
         {{4, 4, kRed}, {22, 12, kRed}, {45, 22, kGreen}, {19, 19, kBlue}},
         50,
         25},
        {"DisposeBitmapByMode 3 centres 1:1 on the background",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_DisposeBitmapByMode(p.get(), 30, 30, 3, kBlack));
         },
         {{0, 0, kBlack}, {6, 11, kRed}, {15, 15, kGreen}, {24, 18, kBlue}, {15, 25, kBlack}},
         30,
         30},
        {"DisposeBitmapByMode 3 takes the middle of a wider source",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_DisposeBitmapByMode(p.get(), 10, 30, 3, kBlack));
         },
         {{0, 15, kGreen}, {9, 15, kGreen}, {5, 2, kBlack}},
         10,
         30},
        {"DisposeBitmapByMode 4 stretches",
         [] {
             BitmapPtr p = Bands20x10();
             return BitmapPtr(Gdiplus_DisposeBitmapByMode(p.get(), 40, 20, 4, kWhite));
         },
         {{2, 10, kRed}, {20, 10, kGreen}, {37, 10, kBlue}},
         40,
         20},
        {"LoadBitmapFromImageBits reads the caller's pixels",
         [] {
             static ARGB pixels[] = {kRed, kGreen, kBlue, kWhite};
             return BitmapPtr(Gdiplus_LoadBitmapFromImageBits(pixels, 2, 2, 8, PixelFormat32bppARGB));
         },
         {{0, 0, kRed}, {1, 0, kGreen}, {0, 1, kBlue}, {1, 1, kWhite}},
         2,
         2},
        {"LoadBitmapFromResourceW",
         [] {
             return BitmapPtr(Gdiplus_LoadBitmapFromResourceW(GetModuleHandleW(nullptr), L"KOVAPICTURE",
                                                              IDR_TEST_PICTURE));
         },
         {{0, 0, kRed}, {1, 0, kGreen}, {0, 1, kBlue}, {1, 1, kWhite}},
         2,
         2},
        {"LoadBitmapFromResourceA",
         [] {
             return BitmapPtr(
                 Gdiplus_LoadBitmapFromResourceA(GetModuleHandleW(nullptr), "KOVAPICTURE", IDR_TEST_PICTURE));
         },
         {{0, 0, kRed}, {1, 0, kGreen}, {0, 1, kBlue}, {1, 1, kWhite}},
         2,
         2},
        {"ConvertImageFormatW to BMP",
         [] {
             InTempFolder here;
             BitmapPtr p = Bands20x10();
             const std::wstring source = (here.folder().Path() / "bands.png").wstring();
             if (Gdiplus_SaveBitmapToFileW(p.get(), source.c_str()) != 1)
                 return BitmapPtr();
             wchar_t name[MAX_PATH] = L"";
             if (Gdiplus_ConvertImageFormatW(source.c_str(), name, KOVA_PICTURE_BMP) != 1 ||
                 Gdiplus_GetPictureTypeByFileNameW(name) != KOVA_PICTURE_BMP)
                 return BitmapPtr();
             return Detached(Gdiplus_LoadBitmapFromFileW(name));
         },
         {{2, 2, kRed}, {10, 5, kGreen}, {17, 8, kBlue}},
         20,
         10},
        {"ConvertImageFormatA to PNG",
         [] {
             InTempFolder here;
             BitmapPtr p = Bands20x10();
             const std::string source = here.folder().File("bands.bmp");
             if (Gdiplus_SaveBitmapToFileA(p.get(), source.c_str()) != 1)
                 return BitmapPtr();
             char name[MAX_PATH] = "";
             if (Gdiplus_ConvertImageFormatA(source.c_str(), name, KOVA_PICTURE_PNG) != 1 ||
                 Gdiplus_GetPictureTypeByFileNameA(name) != KOVA_PICTURE_PNG)
                 return BitmapPtr();
             return Detached(Gdiplus_LoadBitmapFromFileA(name));
         },
         {{2, 2, kRed}, {10, 5, kGreen}, {17, 8, kBlue}},
         20,
         10},
    };
    for (const CallCase& c : cases) {
        SCOPED_TRACE(c.call);
        BitmapPtr result = c.make();
        ASSERT_TRUE(result);
        if (c.width != 0) {
            EXPECT_EQ(result->GetWidth(), c.width);
            EXPECT_EQ(result->GetHeight(), c.height);
        }
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(PixelOf(result.get(), p.x, p.y), p.color, c.tolerance))
                << std::hex << PixelOf(result.get(), p.x, p.y) << " at " << std::dec << p.x << "," << p.y
                << ", not " << std::hex << p.color;
    }
}

TEST(Calls, DrawTextInksItsLayout) {
    // A family the set-up installs; the generic one needs Wine's own fonts, which may be missing.
    FontFamily family(L"WenQuanYi Zen Hei");
    ASSERT_EQ(family.GetLastStatus(), Ok);
    Font font(&family, 12, FontStyleBold, UnitPixel);
    BitmapPtr canvas = Drawn([&](Graphics* g) {
        Gdiplus_DrawText(g, L"W", RectF(0, 0, 40, 20), Color(kBlack), nullptr, &font);
    });
    ASSERT_TRUE(canvas);
    int inked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            inked += Near(PixelOf(canvas.get(), x, y), kWhite, 64) ? 0 : 1;
    EXPECT_GT(inked, 10);
    // Below the layout, clear of the glyphs' descent.
    for (int y = 26; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(PixelOf(canvas.get(), x, y), kWhite) << x << "," << y;
}

TEST(Gray, EveryPixelFormatGreyedNeverBlank) {
    const struct {
        PixelFormat format;
        int tolerance; // what the format's own precision loses
    } cases[] = {
        {PixelFormat32bppARGB, 0},     {PixelFormat32bppPARGB, 1},  {PixelFormat32bppRGB, 0},
        {PixelFormat24bppRGB, 0},      {PixelFormat16bppRGB565, 8}, {PixelFormat16bppRGB555, 8},
        {PixelFormat16bppARGB1555, 8}, {PixelFormat8bppIndexed, 0}, {PixelFormat4bppIndexed, 0},
        {PixelFormat1bppIndexed, 0},
    };
    BitmapPtr drawn = MakePicture(3, 1, [](int x, int) { return x == 0 ? kRed : x == 1 ? kWhite : kBlue; });
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << std::hex << c.format);
        BitmapPtr picture(Gdiplus_ModifyBitmapFormat(drawn.get(), c.format));
        ASSERT_TRUE(picture);
        BitmapPtr gray(Gdiplus_Gray(picture.get()));
        ASSERT_TRUE(gray);
        EXPECT_EQ(gray->GetPixelFormat(), c.format);
        for (int x = 0; x < 3; ++x) {
            // The grey of whatever colour the format made of the drawn one.
            const ARGB color = PixelOf(picture.get(), x, 0);
            const ARGB level =
                ((77 * ((color >> 16) & 0xFF) + 150 * ((color >> 8) & 0xFF) + 29 * (color & 0xFF)) >> 8);
            const ARGB expected = kBlack | level << 16 | level << 8 | level;
            EXPECT_TRUE(Near(PixelOf(gray.get(), x, 0), expected, c.tolerance))
                << "x " << x << ": " << std::hex << PixelOf(gray.get(), x, 0) << " from " << color;
        }
        // White stays white in every format: a blank copy cannot pass.
        EXPECT_TRUE(Near(PixelOf(gray.get(), 1, 0), kWhite, c.tolerance));
    }
}
