// Window regions from the opaque pixels of a bitmap.
#include "gdiplus_internal_win.h"

#include "pixel_ops.h"

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

using namespace Gdiplus;

namespace {

struct RegionDeleter {
    void operator()(HRGN region) const { DeleteObject(region); }
};
using RegionPtr = std::unique_ptr<std::remove_pointer_t<HRGN>, RegionDeleter>;

// One region of a batch of rectangles, joined to what is already there.
void JoinRects(RegionPtr* result, const std::vector<RECT>& rects, const RECT& bounds) {
    std::vector<BYTE> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(rects.size());
    data->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    data->rdh.rcBound = rects.empty() ? RECT{0, 0, 0, 0} : bounds;
    if (!rects.empty())
        std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    RegionPtr part(ExtCreateRegion(nullptr, DWORD(block.size()), data));
    if (!part)
        return;
    if (!*result) {
        *result = std::move(part);
        return;
    }
    CombineRgn(result->get(), result->get(), part.get(), RGN_OR);
}

} // namespace

KOVA_IMAGING_API HRGN Gdiplus_CreateRgnFromBitmap(Bitmap* bitmap, BYTE threshold) try {
    if (bitmap == nullptr)
        return nullptr;
    imaging::LockedBits locked(bitmap, ImageLockModeRead, PixelFormat32bppARGB);
    if (!locked.ok())
        return nullptr;
    RegionPtr region;
    imaging::RegionRectBatcher batcher(
        [&region](const std::vector<RECT>& rects, const RECT& bounds) { JoinRects(&region, rects, bounds); });
    imaging::CollectAlphaRuns(static_cast<const uint8_t*>(locked.data().Scan0), locked.data().Stride,
                              int(locked.data().Width), int(locked.data().Height), threshold, batcher);
    batcher.Finish();
    return region.release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)
