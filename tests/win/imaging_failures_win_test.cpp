// The image functions when GDI+ runs out of memory or throws: each returns its failure value,
// the process goes on, and no bitmap made on the way is left behind.
#include "imaging_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

using namespace Gdiplus;

extern "C" void* __imp_GdipAlloc;
extern "C" void* __imp_GdipDrawImageRectRect;
extern "C" void* __imp_GdipDrawImageRectRectI;
extern "C" void* __imp_GdipBitmapLockBits;
extern "C" void* __imp_GdipCreateBitmapFromScan0;
extern "C" void* __imp_GdipDisposeImage;

namespace {

// Points this program's calls of one GDI+ function elsewhere while it lives.
class ImportHook {
public:
    ImportHook(void** slot, void* replacement) : m_slot(slot), m_original(Swap(slot, replacement)) {}
    ~ImportHook() { Swap(m_slot, m_original); }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    void* original() const { return m_original; }

private:
    static void* Swap(void** slot, void* function) {
        DWORD old = 0;
        VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
        void* previous = *slot;
        *slot = function;
        VirtualProtect(slot, sizeof(void*), old, &old);
        return previous;
    }

    void** m_slot;
    void* m_original;
};

void* WINGDIPAPI NoMemory(size_t) {
    return nullptr;
}

GpStatus WINGDIPAPI ThrowingDraw(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL, REAL, REAL,
                                 GpUnit, const GpImageAttributes*, DrawImageAbort, VOID*) {
    throw std::bad_alloc();
}

GpStatus WINGDIPAPI ThrowingDrawI(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, GpUnit,
                                  const GpImageAttributes*, DrawImageAbort, VOID*) {
    throw std::bad_alloc();
}

GpStatus WINGDIPAPI FailingLock(GpBitmap*, const GpRect*, UINT, PixelFormat, BitmapData*) {
    return Win32Error;
}

// Bitmaps GDI+ made and disposed of while counted.
int g_made = 0, g_disposed = 0;
void* g_realCreate = nullptr;
void* g_realDispose = nullptr;

GpStatus WINGDIPAPI CountingCreate(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
    using Create = GpStatus(WINGDIPAPI*)(INT, INT, INT, PixelFormat, BYTE*, GpBitmap**);
    const GpStatus status =
        reinterpret_cast<Create>(g_realCreate)(width, height, stride, format, scan0, bitmap);
    g_made += status == Ok ? 1 : 0;
    return status;
}

GpStatus WINGDIPAPI CountingDispose(GpImage* image) {
    ++g_disposed;
    return reinterpret_cast<GpStatus(WINGDIPAPI*)(GpImage*)>(g_realDispose)(image);
}

class CountBitmaps {
public:
    CountBitmaps() {
        g_made = g_disposed = 0;
        g_realCreate = m_create.original();
        g_realDispose = m_dispose.original();
    }

private:
    ImportHook m_create{&__imp_GdipCreateBitmapFromScan0, reinterpret_cast<void*>(&CountingCreate)};
    ImportHook m_dispose{&__imp_GdipDisposeImage, reinterpret_cast<void*>(&CountingDispose)};
};

struct Fault {
    const char* what;
    void** slot;
    void* replacement;
};

} // namespace

TEST(Failures, EveryCallGivesItsFailureValueAndLeavesNoBitmap) {
    BitmapPtr picture = MakePicture(4, 2, [](int x, int) { return x < 2 ? kRed : kBlue; });
    ASSERT_TRUE(picture);
    BitmapPtr canvas(Gdiplus_CreateColorBmp(8, 8, kWhite));
    ASSERT_TRUE(canvas);
    const Fault noMemory{"GdipAlloc gives null", &__imp_GdipAlloc, reinterpret_cast<void*>(&NoMemory)};
    const Fault throwingDraw{"drawing throws", &__imp_GdipDrawImageRectRect,
                             reinterpret_cast<void*>(&ThrowingDraw)};
    const Fault throwingDrawI{"drawing throws", &__imp_GdipDrawImageRectRectI,
                              reinterpret_cast<void*>(&ThrowingDrawI)};
    const Fault failingLock{"locking fails", &__imp_GdipBitmapLockBits,
                            reinterpret_cast<void*>(&FailingLock)};
    Bitmap* p = picture.get();
    const RECT all{0, 0, 8, 8};
    const RECT huge{0, 0, 65536, 65536};
    BYTE buffer[64] = {};
    const struct {
        const char* call;
        Fault fault;
        std::function<bool()> failed; // true when the call gave its failure value
    } cases[] = {
        {"CreateBitmap", noMemory,
         [] { return Gdiplus_CreateBitmap(4, 4, PixelFormat32bppARGB) == nullptr; }},
        {"CreateColorBmp", noMemory, [] { return Gdiplus_CreateColorBmp(4, 4, kRed) == nullptr; }},
        {"CopyBitmap", noMemory, [p] { return Gdiplus_CopyBitmap(p) == nullptr; }},
        {"LoadBitmapFromImageBits", noMemory,
         [&buffer] {
             return Gdiplus_LoadBitmapFromImageBits(buffer, 2, 2, 8, PixelFormat32bppARGB) == nullptr;
         }},
        {"LoadBitmapFromFileW", noMemory,
         [] { return Gdiplus_LoadBitmapFromFileW(L"C:\\windows\\win.ini") == nullptr; }},
        {"Gray", noMemory, [p] { return Gdiplus_Gray(p) == nullptr; }},
        {"CopyBitmap", throwingDrawI, [p] { return Gdiplus_CopyBitmap(p) == nullptr; }},
        {"GetHBitmap", throwingDrawI, [p] { return Gdiplus_GetHBitmap(p, kWhite, 1) == nullptr; }},
        {"StretchBitmap", throwingDraw, [p] { return Gdiplus_StretchBitmap(p, 8, 8) == nullptr; }},
        {"ResizeBitmap", throwingDraw, [p] { return Gdiplus_ResizeBitmap(p, 8, 8, 1, kWhite) == nullptr; }},
        {"GetBitmapFromBitmap", throwingDraw,
         [p] { return Gdiplus_GetBitmapFromBitmap(p, 0, 0, 2, 2, nullptr) == nullptr; }},
        {"DisposeBitmapByMode 2", throwingDraw,
         [p] { return Gdiplus_DisposeBitmapByMode(p, 8, 8, 2, kWhite) == nullptr; }},
        {"DisposeBitmapByMode 3", throwingDraw,
         [p] { return Gdiplus_DisposeBitmapByMode(p, 8, 8, 3, kWhite) == nullptr; }},
        {"DrawBitmap over a huge place", throwingDraw,
         [&] {
             Graphics g(canvas.get());
             Gdiplus_DrawBitmap(&g, &huge, p, nullptr, 2);
             return true; // getting here is the point: void has no failure value
         }},
        {"DrawAlphaBitmap", throwingDraw,
         [&] {
             Graphics g(canvas.get());
             Gdiplus_DrawAlphaBitmap(&g, &all, p, nullptr, 1, 200);
             return true;
         }},
        {"Gray", failingLock, [p] { return Gdiplus_Gray(p) == nullptr; }},
        {"CreateRgnFromBitmap", failingLock, [p] { return Gdiplus_CreateRgnFromBitmap(p, 1) == nullptr; }},
        {"GetBitmapBuffer", failingLock,
         [&] { return Gdiplus_GetBitmapBuffer(p, nullptr, PixelFormat32bppARGB, buffer, 16) == 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.call << " when " << c.fault.what);
        CountBitmaps counted;
        bool failed = false;
        {
            ImportHook fault(c.fault.slot, c.fault.replacement);
            failed = c.failed();
        }
        EXPECT_TRUE(failed);
        EXPECT_EQ(g_made, g_disposed);
    }
    // Nothing drew, and the picture still works.
    EXPECT_EQ(PixelOf(canvas.get(), 4, 4), kWhite);
    BitmapPtr gray(Gdiplus_Gray(p));
    ASSERT_TRUE(gray);
    EXPECT_EQ(PixelOf(gray.get(), 3, 1), 0xFF1C1C1Cu); // blue: 29 * 255 >> 8
}
