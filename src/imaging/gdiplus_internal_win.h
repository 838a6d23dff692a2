// What the image functions share: keeping exceptions inside, owning new GDI+ objects and locks,
// storing a status in a bitmap, drawing one planned part, and converting byte texts.
#pragma once

#include "gdiplus_utils.h"
#include "image_geometry.h"

#include <memory>
#include <new>
#include <string>
#include <utility>

// Closes the function-try-block of every exported function: a C++ exception (running out of
// memory, mostly) must never leave a C function, so it turns into the function's failure result.
// Whatever the body made is owned by objects that let go of it on the way out.
#define KOVA_IMAGING_FAILS_WITH(failure)                                                                     \
    catch (...) {                                                                                            \
        return failure;                                                                                      \
    }

namespace imaging {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// A GDI+ wrapper object on GDI+'s heap, as its own operator new would put it, except that running
// out of memory throws instead of constructing over a null pointer.
template <typename T, typename... Args> std::unique_ptr<T> MakeGdiplus(Args&&... args) {
    void* memory = Gdiplus::DllExports::GdipAlloc(sizeof(T));
    if (memory == nullptr)
        throw std::bad_alloc();
    return std::unique_ptr<T>(::new (memory) T(std::forward<Args>(args)...));
}

// Stores a failing status as the bitmap's last status, as the wrapper's own calls do; Ok leaves
// the stored one alone. Returns `status`.
Gdiplus::Status StoreStatus(Gdiplus::Bitmap* bitmap, Gdiplus::Status status);

// The size of a bitmap; 0 x 0 when it cannot be read.
int BitmapWidth(Gdiplus::Bitmap* bitmap);
int BitmapHeight(Gdiplus::Bitmap* bitmap);

// The pixels of a whole bitmap locked in `format` while it lives; a failing lock or unlock stays
// in the bitmap's status.
class LockedBits {
public:
    LockedBits(Gdiplus::Bitmap* bitmap, UINT mode, Gdiplus::PixelFormat format);
    ~LockedBits() { Unlock(); }
    LockedBits(const LockedBits&) = delete;
    LockedBits& operator=(const LockedBits&) = delete;

    bool ok() const { return m_locked; }
    const Gdiplus::BitmapData& data() const { return m_data; }
    // Ends the lock early (a write lock's pixels reach the bitmap only here); false when that
    // failed.
    bool Unlock();

private:
    Gdiplus::Bitmap* m_bitmap;
    Gdiplus::BitmapData m_data{};
    bool m_locked = false;
};

// Draws one planned part of `source`, cut to the picture first; a failing status stays in `g`.
void DrawPart(Gdiplus::Graphics& g, Gdiplus::Bitmap* source, ImageDraw draw,
              const Gdiplus::ImageAttributes* attributes = nullptr);

// Where drawing on `g` can show, in its own coordinates, a pixel wider all round so no part of a
// tile that may reach it is skipped; everywhere when that cannot be read.
RECT VisibleArea(Gdiplus::Graphics& g);

// A new bitmap that the caller owns, or null (and nothing left behind) when it did not come out
// Ok.
BitmapPtr KeepIfOk(BitmapPtr bitmap);

// A system code page text as wide text, whatever its length; `ok` false for null or a text
// that does not convert.
struct WideText {
    std::wstring text;
    bool ok = false;
    const wchar_t* c_str() const { return ok ? text.c_str() : nullptr; }
};
WideText AnsiToWide(const char* text);

// The second byte of a pixel format: its bits per pixel.
inline int BitsPerPixel(Gdiplus::PixelFormat format) {
    return int((format >> 8) & 0xFF);
}

inline RECT BitmapBounds(Gdiplus::Bitmap* bitmap) {
    return RECT{0, 0, BitmapWidth(bitmap), BitmapHeight(bitmap)};
}

} // namespace imaging
