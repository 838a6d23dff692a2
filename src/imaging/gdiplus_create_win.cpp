// Start-up, making and copying bitmaps, their statuses, and getting their pixels out.
#include "gdiplus_internal_win.h"

#include "pixel_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace Gdiplus;

namespace {

// Drawing cannot go into an indexed bitmap (GDI+ gives no graphics for one), so such a copy
// is cloned instead of drawn.
Bitmap* CopyAs(Bitmap* source, PixelFormat format) {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    if (IsIndexedPixelFormat(format))
        return imaging::KeepIfOk(source->Clone(0, 0, width, height, format));
    Bitmap* copy = imaging::KeepIfOk(new Bitmap(width, height, format));
    if (copy == nullptr)
        return nullptr;
    // A copy whose drawing failed is still returned: the caller gets a picture of the right size.
    Graphics graphics(copy);
    graphics.DrawImage(source, Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    return copy;
}

} // namespace

KOVA_IMAGING_API GdiplusStartupHandle* Gdiplus_Init() {
    auto* handle = new GdiplusStartupHandle{};
    handle->input = GdiplusStartupInput();
    GdiplusStartup(&handle->token, &handle->input, &handle->output);
    return handle;
}

KOVA_IMAGING_API void Gdiplus_DeInit(GdiplusStartupHandle* handle) {
    if (handle == nullptr)
        return;
    if (handle->token != 0)
        GdiplusShutdown(handle->token);
    delete handle;
}

KOVA_IMAGING_API Bitmap* Gdiplus_CreateBitmap(int width, int height, PixelFormat format) {
    return imaging::KeepIfOk(new Bitmap(width, height, format));
}

KOVA_IMAGING_API Bitmap* Gdiplus_CreateColorBmp(int width, int height, ARGB color) {
    Bitmap* bitmap = imaging::KeepIfOk(new Bitmap(width, height, PixelFormat32bppARGB));
    if (bitmap == nullptr)
        return nullptr;
    Graphics graphics(bitmap);
    SolidBrush brush{Color(color)};
    graphics.FillRectangle(&brush, 0, 0, width, height);
    return bitmap;
}

KOVA_IMAGING_API Bitmap* Gdiplus_CopyBitmap(Bitmap* source) {
    return source != nullptr ? CopyAs(source, source->GetPixelFormat()) : nullptr;
}

KOVA_IMAGING_API Bitmap* Gdiplus_ModifyBitmapFormat(Bitmap* source, PixelFormat format) {
    return CopyAs(source, format);
}

KOVA_IMAGING_API HBITMAP Gdiplus_GetHBitmap(Bitmap* source, ARGB background, int topDown) {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    int bits = imaging::BitsPerPixel(source->GetPixelFormat());
    // A DIB of another depth would need a colour table or a layout GDI does not offer.
    if (bits != 16 && bits != 24 && bits != 32)
        bits = 32;
    // CreateHBitmap counts a positive height as rows from the top.
    HBITMAP bitmap = CreateHBitmap(nullptr, width, topDown ? height : -height, bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(BYTE(background >> 16), BYTE(background >> 8), BYTE(background)));
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    {
        Graphics graphics(dc);
        graphics.DrawImage(source, Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

KOVA_IMAGING_API int Gdiplus_GetBitmapBuffer(Bitmap* source, const RECT* rect, PixelFormat format,
                                             BYTE* destination, int destinationStride) {
    if (source == nullptr || destination == nullptr || destinationStride == 0)
        return 0;
    const RECT bounds = imaging::BitmapBounds(source);
    RECT area;
    if (!BoundRect(&area, rect != nullptr ? rect : &bounds, &bounds))
        return 0;
    Rect lockRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
    BitmapData data{};
    if (source->LockBits(&lockRect, ImageLockModeRead, format, &data) != Ok)
        return 0;
    const size_t rowBytes = size_t((lockRect.Width * imaging::BitsPerPixel(format) + 31) / 32) * 4;
    // A row never runs into the next one of the caller's buffer.
    const size_t copied = std::min(rowBytes, size_t(std::abs(destinationStride)));
    const auto* from = static_cast<const BYTE*>(data.Scan0);
    BYTE* to = destination;
    for (UINT row = 0; row < data.Height; ++row) {
        std::memcpy(to, from, copied);
        from += data.Stride;
        to += destinationStride;
    }
    source->UnlockBits(&data);
    return 1;
}

KOVA_IMAGING_API int Gdiplus_BitmapOK(Bitmap* bitmap) {
    return bitmap != nullptr && bitmap->GetLastStatus() == Ok ? 1 : 0;
}

KOVA_IMAGING_API Status Gdiplus_BitmapLastError(Bitmap* bitmap) {
    return bitmap != nullptr ? bitmap->GetLastStatus() : GenericError;
}

KOVA_IMAGING_API void Gdiplus_DeleteBitmap(Bitmap* bitmap) {
    delete bitmap;
}
