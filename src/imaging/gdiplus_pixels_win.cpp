// Pixel work on whole bitmaps: grey copies and re-alpha-ing.
#include "gdiplus_internal_win.h"

#include "pixel_ops.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// The palette of `source` greyed into `copy`. False when it cannot be read or set: the copied
// indices would then show the wrong colours.
bool CopyGreyPalette(Bitmap* source, Bitmap* copy) {
    const int size = source->GetPaletteSize();
    if (size < int(offsetof(ColorPalette, Entries) + sizeof(ARGB)))
        return false;
    std::vector<BYTE> block(static_cast<size_t>(size));
    auto* palette = reinterpret_cast<ColorPalette*>(block.data());
    if (source->GetPalette(palette, size) != Ok)
        return false;
    const UINT capacity = UINT((size_t(size) - offsetof(ColorPalette, Entries)) / sizeof(ARGB));
    for (UINT i = 0; i < std::min(palette->Count, capacity); ++i) {
        const ARGB c = palette->Entries[i];
        const BYTE gray = imaging::GrayLevel(BYTE(c >> 16), BYTE(c >> 8), BYTE(c));
        palette->Entries[i] = (c & 0xFF000000) | (ARGB(gray) << 16) | (ARGB(gray) << 8) | gray;
    }
    return imaging::StoreStatus(copy, copy->SetPalette(palette)) == Ok;
}

// An indexed picture stays indexed: its indices are kept and its palette greyed.
bool GrayIndexed(Bitmap* source, Bitmap* copy, PixelFormat format) {
    if (!CopyGreyPalette(source, copy))
        return false;
    imaging::LockedBits to(copy, ImageLockModeWrite, format);
    imaging::LockedBits from(source, ImageLockModeRead, format);
    if (!to.ok() || !from.ok())
        return false;
    const size_t rowBytes = (size_t(to.data().Width) * size_t(imaging::BitsPerPixel(format)) + 7) / 8;
    const auto* in = static_cast<const BYTE*>(from.data().Scan0);
    auto* out = static_cast<BYTE*>(to.data().Scan0);
    for (UINT y = 0; y < to.data().Height; ++y)
        std::memcpy(out + std::ptrdiff_t(y) * to.data().Stride, in + std::ptrdiff_t(y) * from.data().Stride,
                    rowBytes);
    return to.Unlock();
}

// Every other format is read and written as 32bppARGB, which GDI+ converts from and to the
// picture's own: one grey routine serves 16, 24, 32 and 64-bit pictures, premultiplied or not.
bool GrayThroughArgb(Bitmap* source, Bitmap* copy) {
    imaging::LockedBits to(copy, ImageLockModeWrite, PixelFormat32bppARGB);
    // Read only: writing the source back would round its pixels through the conversion.
    imaging::LockedBits from(source, ImageLockModeRead, PixelFormat32bppARGB);
    if (!to.ok() || !from.ok())
        return false;
    imaging::GrayRows(static_cast<const uint8_t*>(from.data().Scan0), from.data().Stride,
                      static_cast<uint8_t*>(to.data().Scan0), to.data().Stride, int(to.data().Width),
                      int(to.data().Height), 4);
    return to.Unlock();
}

} // namespace

KOVA_IMAGING_API Bitmap* Gdiplus_Gray(Bitmap* source) try {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    const PixelFormat format = source->GetPixelFormat();
    imaging::BitmapPtr copy(Gdiplus_CreateBitmap(width, height, format));
    if (!copy)
        return nullptr;
    // A copy whose pixels could not be written would be a blank picture: none at all is better.
    const bool greyed = IsIndexedPixelFormat(format) ? GrayIndexed(source, copy.get(), format)
                                                     : GrayThroughArgb(source, copy.get());
    return greyed ? copy.release() : nullptr;
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API void Gdiplus_SetBitmapAlpha(Bitmap* bitmap, const RECT* rect, BYTE alpha, int lowest,
                                             int highest) try {
    if (bitmap == nullptr)
        return;
    imaging::LockedBits locked(bitmap, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB);
    if (!locked.ok())
        return;
    const int width = int(locked.data().Width), height = int(locked.data().Height);
    const RECT whole{0, 0, width, height};
    // The pixel helper keeps to the bitmap whatever rectangle it is given.
    imaging::SetAlphaInRect(static_cast<uint8_t*>(locked.data().Scan0), locked.data().Stride, width, height,
                            rect != nullptr ? *rect : whole, alpha, lowest, highest);
}
KOVA_IMAGING_FAILS_WITH()
