// Start-up, making and copying bitmaps, their statuses, and getting their pixels out.
#include "gdiplus_internal_win.h"

#include "pixel_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>

using namespace Gdiplus;

namespace {

// Drawing cannot go into an indexed bitmap (GDI+ gives no graphics for one), so such a copy
// is cloned instead of drawn.
imaging::BitmapPtr CopyAs(Bitmap* source, PixelFormat format) {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    if (IsIndexedPixelFormat(format))
        return imaging::KeepIfOk(imaging::BitmapPtr(source->Clone(0, 0, width, height, format)));
    imaging::BitmapPtr copy = imaging::KeepIfOk(imaging::MakeGdiplus<Bitmap>(width, height, format));
    if (!copy)
        return nullptr;
    // A copy whose drawing failed is still returned: the caller gets a picture of the right size.
    Graphics graphics(copy.get());
    graphics.DrawImage(source, Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    return copy;
}

// A GDI handle deleted when it goes out of scope.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiBitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using DcPtr = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// Keeps a GDI object selected into a DC for its lifetime.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(m_dc, m_old); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

KOVA_IMAGING_API GdiplusStartupHandle* Gdiplus_Init() try {
    auto handle = std::make_unique<GdiplusStartupHandle>();
    handle->input = GdiplusStartupInput();
    GdiplusStartup(&handle->token, &handle->input, &handle->output);
    return handle.release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API void Gdiplus_DeInit(GdiplusStartupHandle* handle) try {
    if (handle == nullptr)
        return;
    if (handle->token != 0)
        GdiplusShutdown(handle->token);
    delete handle;
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API Bitmap* Gdiplus_CreateBitmap(int width, int height, PixelFormat format) try {
    return imaging::KeepIfOk(imaging::MakeGdiplus<Bitmap>(width, height, format)).release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_CreateColorBmp(int width, int height, ARGB color) try {
    imaging::BitmapPtr bitmap =
        imaging::KeepIfOk(imaging::MakeGdiplus<Bitmap>(width, height, PixelFormat32bppARGB));
    if (!bitmap)
        return nullptr;
    {
        Graphics graphics(bitmap.get());
        SolidBrush brush{Color(color)};
        graphics.FillRectangle(&brush, 0, 0, width, height);
    }
    return bitmap.release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_CopyBitmap(Bitmap* source) try {
    return source != nullptr ? CopyAs(source, source->GetPixelFormat()).release() : nullptr;
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_ModifyBitmapFormat(Bitmap* source, PixelFormat format) try {
    return CopyAs(source, format).release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API HBITMAP Gdiplus_GetHBitmap(Bitmap* source, ARGB background, int topDown) try {
    if (source == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(source), height = imaging::BitmapHeight(source);
    int bits = imaging::BitsPerPixel(source->GetPixelFormat());
    // A DIB of another depth would need a colour table or a layout GDI does not offer.
    if (bits != 16 && bits != 24 && bits != 32)
        bits = 32;
    // CreateHBitmap counts a positive height as rows from the top.
    GdiBitmapPtr bitmap(CreateHBitmap(nullptr, width, topDown ? height : -height, bits, nullptr, 0));
    if (!bitmap)
        return nullptr;
    DcPtr dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return nullptr;
    {
        Selected selected(dc.get(), bitmap.get());
        HBRUSH brush = CreateSolidBrush(RGB(BYTE(background >> 16), BYTE(background >> 8), BYTE(background)));
        RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, brush);
        DeleteObject(brush);
        Graphics graphics(dc.get());
        graphics.DrawImage(source, Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    }
    return bitmap.release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API int Gdiplus_GetBitmapBuffer(Bitmap* source, const RECT* rect, PixelFormat format,
                                             BYTE* destination, int destinationStride) try {
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
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_BitmapOK(Bitmap* bitmap) try {
    return bitmap != nullptr && bitmap->GetLastStatus() == Ok ? 1 : 0;
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API Status Gdiplus_BitmapLastError(Bitmap* bitmap) try {
    return bitmap != nullptr ? bitmap->GetLastStatus() : GenericError;
}
KOVA_IMAGING_FAILS_WITH(GenericError)

KOVA_IMAGING_API void Gdiplus_DeleteBitmap(Bitmap* bitmap) try { delete bitmap; }
KOVA_IMAGING_FAILS_WITH()
