// The exported image functions on Wine's GDI+: picture types and encoders, saving and loading
// round trips, scaling modes, greying, statuses, and staying inside what the caller hands in.
#include "imaging_test_support.h"
#include "temp_folder.h"
#include "test_environments_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

const auto* const g_gdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusRunning);

// Red, green and blue bands of 50, 100 and 50 columns.
BitmapPtr Bands200x100() {
    return MakePicture(200, 100, [](int x, int) { return x < 50 ? kRed : x < 150 ? kGreen : kBlue; });
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST(PictureTypes, FromTheFileNamesExtension) {
    const struct {
        const char* name;
        int type;
    } cases[] = {
        {"photo.JPG", 1}, {"photo.jpg", 1},     {"photo.JpEg", 1},   {"scan.tiff", 3},
        {"scan.tif", 4},  {"icon.png", 4},      {"no_extension", 4}, {"picture.bmp", 0},
        {"anim.GIF", 2},  {"dir.jpg\\file", 4}, {"C:\\a\\b.Bmp", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Gdiplus_GetPictureTypeByFileNameW(Wide(c.name).c_str()), c.type) << c.name;
        EXPECT_EQ(Gdiplus_GetPictureTypeByFileNameA(c.name), c.type) << c.name;
    }
}

TEST(PictureTypes, ANameEndingInTifIsSavedAsPng) {
    TempFolder folder;
    BitmapPtr picture = Bands200x100();
    const std::string path = folder.File("scan.tif");
    ASSERT_EQ(Gdiplus_SaveBitmapToFileW(picture.get(), Wide(path).c_str()), 1);
    EXPECT_EQ(ReadBytes(path).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST(Encoders, MimeTypesIgnoringCaseAndWhatWineLacks) {
    CLSID png, pngShouting;
    ASSERT_EQ(Gdiplus_GetEncoderClsidByFormatTypeW(L"image/png", &png), 1);
    ASSERT_EQ(Gdiplus_GetEncoderClsidByFormatTypeA("IMAGE/PNG", &pngShouting), 1);
    EXPECT_TRUE(IsEqualCLSID(png, pngShouting));
    CLSID none;
    EXPECT_EQ(Gdiplus_GetEncoderClsidByFormatTypeW(L"image/x-icon", &none), 0);
    EXPECT_EQ(Gdiplus_GetEncoderClsidByFormatTypeA(nullptr, &none), 0);
    // Wine offers all five picture types' encoders.
    for (int type = 0; type <= 4; ++type) {
        CLSID clsid;
        EXPECT_EQ(Gdiplus_GetEncoderClsidByPictureType(type, &clsid), 1) << "picture type " << type;
    }
}

TEST(SaveAndLoad, RoundTripWithEveryEncoder) {
    TempFolder folder;
    // Four flat quadrants, so even JPEG keeps the colours away from the edges.
    BitmapPtr picture = MakePicture(
        64, 32, [](int x, int y) { return y < 16 ? (x < 32 ? kRed : kGreen) : (x < 32 ? kBlue : kWhite); });
    // The GIF encoder needs an 8-bit indexed picture (given a 32-bit one Wine writes a broken
    // file), so it gets a copy in that format.
    BitmapPtr indexed(Gdiplus_ModifyBitmapFormat(picture.get(), PixelFormat8bppIndexed));
    ASSERT_TRUE(indexed);
    const struct {
        const char* name;
        Bitmap* source;
        int tolerance;
    } cases[] = {
        {"round.bmp", picture.get(), 0}, {"round.png", picture.get(), 0},  {"round.tiff", picture.get(), 0},
        {"round.gif", indexed.get(), 0}, {"round.jpg", picture.get(), 24},
    };
    const POINT probes[] = {{8, 8}, {56, 8}, {8, 24}, {56, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File(c.name);
        ASSERT_EQ(Gdiplus_SaveBitmapToFileA(c.source, path.c_str()), 1);
        BitmapPtr fromFile(Gdiplus_LoadBitmapFromFileW(Wide(path).c_str()));
        ASSERT_TRUE(fromFile);
        // The same bytes from memory; the caller's copy is gone before the pixels are read.
        BitmapPtr fromMemory;
        {
            std::string bytes = ReadBytes(path);
            fromMemory.reset(Gdiplus_LoadBitmapFromData(bytes.data(), int(bytes.size())));
            std::memset(bytes.data(), 0, bytes.size());
        }
        ASSERT_TRUE(fromMemory);
        // A private copy of a loaded picture, whatever pixel format it was decoded into.
        BitmapPtr copy(Gdiplus_CopyBitmap(fromMemory.get()));
        ASSERT_TRUE(copy);
        for (Bitmap* loaded : {fromFile.get(), fromMemory.get(), copy.get()}) {
            ASSERT_EQ(loaded->GetWidth(), 64u);
            ASSERT_EQ(loaded->GetHeight(), 32u);
            for (POINT p : probes)
                EXPECT_TRUE(Near(PixelOf(loaded, p.x, p.y), PixelOf(picture.get(), p.x, p.y), c.tolerance))
                    << std::hex << PixelOf(loaded, p.x, p.y) << " at " << std::dec << p.x << "," << p.y;
        }
    }
}

extern "C" void* __imp_GdipCreateBitmapFromFile;

namespace {

int g_fileLoads = 0;
void* g_realLoad = nullptr;

GpStatus WINAPI CountingLoad(const WCHAR* path, GpBitmap** bitmap) {
    ++g_fileLoads;
    using Load = GpStatus(WINAPI*)(const WCHAR*, GpBitmap**);
    return reinterpret_cast<Load>(g_realLoad)(path, bitmap);
}

// Routes this program's calls of GdipCreateBitmapFromFile through a counter while it lives.
class CountFileLoads {
public:
    CountFileLoads() {
        g_fileLoads = 0;
        g_realLoad = Swap(reinterpret_cast<void*>(&CountingLoad));
    }
    ~CountFileLoads() { Swap(g_realLoad); }

private:
    static void* Swap(void* function) {
        DWORD old = 0;
        VirtualProtect(&__imp_GdipCreateBitmapFromFile, sizeof(void*), PAGE_READWRITE, &old);
        void* previous = __imp_GdipCreateBitmapFromFile;
        __imp_GdipCreateBitmapFromFile = function;
        VirtualProtect(&__imp_GdipCreateBitmapFromFile, sizeof(void*), old, &old);
        return previous;
    }
};

} // namespace

TEST(LoadFromFile, AMissingFileGivesNullWithoutAskingGdiplus) {
    TempFolder folder;
    const std::string present = folder.File("present.png");
    BitmapPtr picture = Bands200x100();
    ASSERT_EQ(Gdiplus_SaveBitmapToFileA(picture.get(), present.c_str()), 1);

    CountFileLoads counter;
    EXPECT_EQ(Gdiplus_LoadBitmapFromFileW(Wide(folder.File("missing.png")).c_str()), nullptr);
    EXPECT_EQ(Gdiplus_LoadBitmapFromFileW(folder.Path().wstring().c_str()), nullptr); // a folder
    EXPECT_EQ(Gdiplus_LoadBitmapFromFileW(nullptr), nullptr);
    EXPECT_EQ(Gdiplus_LoadBitmapFromFileA(nullptr), nullptr);
    // A path far longer than a fixed 260-character buffer.
    EXPECT_EQ(Gdiplus_LoadBitmapFromFileA((std::string(600, 'a') + ".png").c_str()), nullptr);
    EXPECT_EQ(g_fileLoads, 0);

    BitmapPtr loaded(Gdiplus_LoadBitmapFromFileA(present.c_str()));
    EXPECT_TRUE(loaded);
    EXPECT_EQ(g_fileLoads, 1); // the counter does see real loads
}

TEST(Status, LastErrorIsReadOnceThenOk) {
    EXPECT_EQ(Gdiplus_BitmapLastError(nullptr), GenericError);
    EXPECT_EQ(Gdiplus_BitmapOK(nullptr), 0);

    BitmapPtr picture = Bands200x100();
    EXPECT_EQ(Gdiplus_BitmapOK(picture.get()), 1);
    // Saving into a folder that does not exist fails, and the failure stays in the bitmap.
    TempFolder folder;
    EXPECT_EQ(Gdiplus_SaveBitmapToFileA(picture.get(), folder.File("no\\such\\folder.png").c_str()), 0);
    EXPECT_NE(Gdiplus_BitmapLastError(picture.get()), Ok);
    EXPECT_EQ(Gdiplus_BitmapLastError(picture.get()), Ok);

    EXPECT_EQ(Gdiplus_SaveBitmapToFileA(picture.get(), folder.File("no\\such\\folder.bmp").c_str()), 0);
    EXPECT_EQ(Gdiplus_BitmapOK(picture.get()), 0);
    EXPECT_EQ(Gdiplus_BitmapOK(picture.get()), 1);
}

TEST(StringFormat, RightToLeftOnlyForArabicAndHebrew) {
    EXPECT_EQ(Gdiplus_GetStringFormat(0x804), 0);
    EXPECT_EQ(Gdiplus_GetStringFormat(0x409), 0);
    EXPECT_EQ(Gdiplus_GetStringFormat(0x401), StringFormatFlagsDirectionRightToLeft);
    EXPECT_EQ(Gdiplus_GetStringFormat(0x40D), StringFormatFlagsDirectionRightToLeft);
}

TEST(Resize, EveryModeOfA200x100PictureTo100x100) {
    BitmapPtr picture = Bands200x100();
    const struct {
        int mode;
        UINT width, height;
    } cases[] = {{0, 100, 100}, {1, 100, 50}, {2, 200, 100}, {3, 100, 50}, {4, 200, 100}};
    for (const auto& c : cases) {
        BitmapPtr resized(Gdiplus_ResizeBitmap(picture.get(), 100, 100, c.mode, kWhite));
        ASSERT_TRUE(resized) << "mode " << c.mode;
        EXPECT_EQ(resized->GetWidth(), c.width) << "mode " << c.mode;
        EXPECT_EQ(resized->GetHeight(), c.height) << "mode " << c.mode;
        // The whole picture, shrunk or not: red at the left, blue at the right.
        EXPECT_EQ(PixelOf(resized.get(), 2, 2), kRed) << "mode " << c.mode;
        EXPECT_EQ(PixelOf(resized.get(), c.width - 3, 2), kBlue) << "mode " << c.mode;
    }
    EXPECT_EQ(Gdiplus_ResizeBitmap(picture.get(), 100, 100, 5, kWhite), nullptr);
    EXPECT_EQ(Gdiplus_ResizeBitmap(nullptr, 100, 100, 0, kWhite), nullptr);
}

TEST(Resize, TransparentPartsShowTheBackground) {
    BitmapPtr picture = MakePicture(20, 10, [](int x, int) { return x < 10 ? 0x00000000 : kRed; });
    BitmapPtr resized(Gdiplus_ResizeBitmap(picture.get(), 40, 20, 0, kBlue));
    ASSERT_TRUE(resized);
    EXPECT_EQ(PixelOf(resized.get(), 5, 10), kBlue);
    EXPECT_EQ(PixelOf(resized.get(), 35, 10), kRed);
}

TEST(DisposeByMode, ModeZeroShowsTheMiddle) {
    BitmapPtr picture = Bands200x100();
    BitmapPtr middle(Gdiplus_DisposeBitmapByMode(picture.get(), 100, 100, 0, kWhite));
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->GetWidth(), 100u);
    EXPECT_EQ(middle->GetHeight(), 100u);
    for (int x : {3, 50, 96})
        EXPECT_EQ(PixelOf(middle.get(), x, 50), kGreen) << "x " << x;
}

TEST(DisposeByMode, ANullSourceGivesNullInEveryMode) {
    for (int mode = 0; mode <= 5; ++mode)
        EXPECT_EQ(Gdiplus_DisposeBitmapByMode(nullptr, 100, 100, mode, kWhite), nullptr) << "mode " << mode;
}

TEST(Gray, PureRedIs76AndWhiteStays255) {
    for (PixelFormat format : {PixelFormat32bppARGB, PixelFormat24bppRGB}) {
        BitmapPtr drawn = MakePicture(2, 1, [](int x, int) { return x == 0 ? kRed : kWhite; });
        BitmapPtr picture(Gdiplus_ModifyBitmapFormat(drawn.get(), format));
        ASSERT_TRUE(picture);
        BitmapPtr gray(Gdiplus_Gray(picture.get()));
        ASSERT_TRUE(gray);
        EXPECT_EQ(gray->GetPixelFormat(), format);
        EXPECT_EQ(PixelOf(gray.get(), 0, 0), 0xFF4C4C4Cu) << "format " << std::hex << format;
        EXPECT_EQ(PixelOf(gray.get(), 1, 0), kWhite) << "format " << std::hex << format;
    }
    EXPECT_EQ(Gdiplus_Gray(nullptr), nullptr);
}

TEST(GetBitmapBuffer, RowsNeverRunPastTheCallersStride) {
    BitmapPtr picture = MakePicture(4, 2, [](int x, int y) { return 0xFF000000 | ARGB(y * 16 + x); });
    // Rows of 4 pixels (16 bytes) into rows only 8 bytes apart: 2 pixels of each row, and the
    // guard after the second row stays.
    std::vector<BYTE> buffer(8 * 2 + 8, 0xC3);
    ASSERT_EQ(Gdiplus_GetBitmapBuffer(picture.get(), nullptr, PixelFormat32bppARGB, buffer.data(), 8), 1);
    ARGB words[4];
    std::memcpy(words, buffer.data(), sizeof words);
    EXPECT_EQ(words[0], 0xFF000000u);
    EXPECT_EQ(words[1], 0xFF000001u);
    EXPECT_EQ(words[2], 0xFF000010u);
    EXPECT_EQ(words[3], 0xFF000011u);
    for (size_t i = 16; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], 0xC3) << "byte " << i;

    // A rectangle reaching outside the picture gets only the part inside.
    std::vector<ARGB> part(2, 0);
    RECT corner{3, 1, 10, 10};
    ASSERT_EQ(Gdiplus_GetBitmapBuffer(picture.get(), &corner, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(part.data()), 4),
              1);
    EXPECT_EQ(part[0], 0xFF000013u);
    EXPECT_EQ(part[1], 0u);
    RECT outside{10, 10, 20, 20};
    EXPECT_EQ(Gdiplus_GetBitmapBuffer(picture.get(), &outside, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(part.data()), 4),
              0);
}

TEST(SetBitmapAlpha, ARectangleIsCutToThePictureAndTheRangeKept) {
    BitmapPtr picture = MakePicture(4, 4, [](int x, int) { return x == 0 ? 0xFF00FF00 : 0x4000FF00; });
    RECT overhanging{2, 2, 400, 400};
    Gdiplus_SetBitmapAlpha(picture.get(), &overhanging, 0x99, 0, 0x80);
    EXPECT_EQ(PixelOf(picture.get(), 3, 3), 0x9900FF00u);
    EXPECT_EQ(PixelOf(picture.get(), 1, 1), 0x4000FF00u); // outside the rectangle
    Gdiplus_SetBitmapAlpha(picture.get(), nullptr, 0x10, 0xF0, 0xFF);
    EXPECT_EQ(PixelOf(picture.get(), 0, 0), 0x1000FF00u); // only the opaque column was in range
    EXPECT_EQ(PixelOf(picture.get(), 3, 3), 0x9900FF00u);
}

TEST(Region, OpaquePixelsInBatchesJoinedIntoOneRegion) {
    // A 100 x 50 checkerboard of single pixels: 2500 runs, more than one batch of 2000.
    BitmapPtr picture =
        MakePicture(100, 50, [](int x, int y) { return (x + y) % 2 == 0 ? kRed : 0x20FF0000; });
    HRGN region = Gdiplus_CreateRgnFromBitmap(picture.get(), 0x80);
    ASSERT_NE(region, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 100);
    EXPECT_EQ(box.bottom, 50);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 99, 49));
    EXPECT_FALSE(PtInRegion(region, 98, 49));
    DeleteObject(region);
}

TEST(HBitmap, TopDownRowsWhenAsked) {
    BitmapPtr picture = MakePicture(2, 2, [](int, int y) { return y == 0 ? kRed : kBlue; });
    for (int topDown : {1, 0}) {
        HBITMAP dib = Gdiplus_GetHBitmap(picture.get(), kWhite, topDown);
        ASSERT_NE(dib, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(dib, sizeof section, &section), int(sizeof section));
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
        GdiFlush();
        const ARGB firstRow = static_cast<const ARGB*>(section.dsBm.bmBits)[0] & 0xFFFFFF;
        EXPECT_EQ(firstRow, (topDown ? kRed : kBlue) & 0xFFFFFF) << "top-down " << topDown;
        DeleteObject(dib);
    }
}
