// What the image functions share: storing a status in a bitmap, drawing one planned part,
// and converting byte texts.
#pragma once

#include "gdiplus_utils.h"
#include "image_geometry.h"

#include <string>

namespace imaging {

// Stores a failing status as the bitmap's last status, as the wrapper's own calls do; Ok leaves
// the stored one alone. Returns `status`.
Gdiplus::Status StoreStatus(Gdiplus::Bitmap* bitmap, Gdiplus::Status status);

// The size of a bitmap; 0 x 0 when it cannot be read.
int BitmapWidth(Gdiplus::Bitmap* bitmap);
int BitmapHeight(Gdiplus::Bitmap* bitmap);

// Draws one planned part of `source`, cut to the picture first; a failing status stays in `g`.
void DrawPart(Gdiplus::Graphics& g, Gdiplus::Bitmap* source, ImageDraw draw,
              const Gdiplus::ImageAttributes* attributes = nullptr);

// A new bitmap that the caller owns, or null (and nothing left behind) when it did not come out
// Ok.
Gdiplus::Bitmap* KeepIfOk(Gdiplus::Bitmap* bitmap);

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
