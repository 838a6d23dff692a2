// Window regions from the opaque pixels of a bitmap.
#include "gdiplus_internal_win.h"

#include "pixel_ops.h"

#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// One region of a batch of rectangles, joined to what is already there.
void JoinRects(HRGN* result, const std::vector<RECT>& rects, const RECT& bounds) {
    std::vector<BYTE> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(rects.size());
    data->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    data->rdh.rcBound = rects.empty() ? RECT{0, 0, 0, 0} : bounds;
    if (!rects.empty())
        std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    HRGN part = ExtCreateRegion(nullptr, DWORD(block.size()), data);
    if (part == nullptr)
        return;
    if (*result == nullptr) {
        *result = part;
        return;
    }
    CombineRgn(*result, *result, part, RGN_OR);
    DeleteObject(part);
}

} // namespace

KOVA_IMAGING_API HRGN Gdiplus_CreateRgnFromBitmap(Bitmap* bitmap, BYTE threshold) {
    if (bitmap == nullptr)
        return nullptr;
    const int width = imaging::BitmapWidth(bitmap), height = imaging::BitmapHeight(bitmap);
    Rect all(0, 0, width, height);
    BitmapData data{};
    if (bitmap->LockBits(&all, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
        return nullptr;
    HRGN region = nullptr;
    imaging::RegionRectBatcher batcher(
        [&region](const std::vector<RECT>& rects, const RECT& bounds) { JoinRects(&region, rects, bounds); });
    imaging::CollectAlphaRuns(static_cast<const uint8_t*>(data.Scan0), data.Stride, width, height, threshold,
                              batcher);
    batcher.Finish();
    bitmap->UnlockBits(&data);
    return region;
}
