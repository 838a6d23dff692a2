// Pixel work on whole bitmaps: grey copies and re-alpha-ing.
#include "gdiplus_internal_win.h"

#include "pixel_ops.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// An indexed picture stays indexed: its indices are kept and its palette greyed.
void CopyGreyPalette(Bitmap* source, Bitmap* copy) {
    const int size = source->GetPaletteSize();
    if (size <= int(sizeof(ColorPalette)))
        return;
    std::vector<BYTE> block(static_cast<size_t>(size));
    auto* palette = reinterpret_cast<ColorPalette*>(block.data());
    if (source->GetPalette(palette, size) != Ok)
        return;
    const UINT capacity = UINT((size_t(size) - offsetof(ColorPalette, Entries)) / sizeof(ARGB));
    for (UINT i = 0; i < std::min(palette->Count, capacity); ++i) {
        const ARGB c = palette->Entries[i];
        const BYTE gray = imaging::GrayLevel(BYTE(c >> 16), BYTE(c >> 8), BYTE(c));
        palette->Entries[i] = (c & 0xFF000000) | (ARGB(gray) << 16) | (ARGB(gray) << 8) | gray;
    }
    imaging::StoreStatus(copy, copy->SetPalette(palette));
}

} // namespace

KOVA_IMAGING_API Bitmap* Gdiplus_Gray(Bitmap* source) {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    const PixelFormat format = source->GetPixelFormat();
    Bitmap* copy = Gdiplus_CreateBitmap(width, height, format);
    if (copy == nullptr)
        return nullptr;
    if (format == PixelFormat8bppIndexed)
        CopyGreyPalette(source, copy);
    Rect all(0, 0, width, height);
    BitmapData to{}, from{};
    const bool lockedTo = copy->LockBits(&all, ImageLockModeWrite, format, &to) == Ok;
    const bool lockedFrom =
        source->LockBits(&all, ImageLockModeRead | ImageLockModeWrite, format, &from) == Ok;
    if (lockedTo && lockedFrom) {
        const auto* in = static_cast<const uint8_t*>(from.Scan0);
        auto* out = static_cast<uint8_t*>(to.Scan0);
        if (format == PixelFormat24bppRGB || format == PixelFormat32bppARGB) {
            imaging::GrayRows(in, from.Stride, out, to.Stride, width, height,
                              format == PixelFormat24bppRGB ? 3 : 4);
        } else if (format == PixelFormat8bppIndexed) {
            for (int y = 0; y < height; ++y)
                std::memcpy(out + std::ptrdiff_t(y) * to.Stride, in + std::ptrdiff_t(y) * from.Stride,
                            size_t(width));
        }
    }
    if (lockedFrom)
        source->UnlockBits(&from);
    if (lockedTo)
        copy->UnlockBits(&to);
    return copy;
}

KOVA_IMAGING_API void Gdiplus_SetBitmapAlpha(Bitmap* bitmap, const RECT* rect, BYTE alpha, int lowest,
                                             int highest) {
    if (bitmap == nullptr)
        return;
    const int width = imaging::BitmapWidth(bitmap), height = imaging::BitmapHeight(bitmap);
    Rect all(0, 0, width, height);
    BitmapData data{};
    if (bitmap->LockBits(&all, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
        return;
    const RECT whole{0, 0, width, height};
    // The pixel helper keeps to the bitmap whatever rectangle it is given.
    imaging::SetAlphaInRect(static_cast<uint8_t*>(data.Scan0), data.Stride, width, height,
                            rect != nullptr ? *rect : whole, alpha, lowest, highest);
    bitmap->UnlockBits(&data);
}
