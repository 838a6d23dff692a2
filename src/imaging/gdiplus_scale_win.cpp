// Scaling, cropping and tiling into new bitmaps.
#include "gdiplus_internal_win.h"

using namespace Gdiplus;

namespace {

// `target` with one planned part of `source` drawn into it; null when there is no target.
Bitmap* DrawInto(Bitmap* target, Bitmap* source, const imaging::ImageDraw& draw) {
    imaging::BitmapPtr owned(target);
    if (!owned)
        return nullptr;
    {
        Graphics graphics(owned.get());
        imaging::DrawPart(graphics, source, draw);
    }
    return owned.release();
}

RECT Sized(int width, int height) {
    return RECT{0, 0, width, height};
}

imaging::ImageDraw Stretched(Bitmap* source, int width, int height) {
    return imaging::ImageDraw{0,
                              0,
                              double(width),
                              double(height),
                              0,
                              0,
                              double(imaging::BitmapWidth(source)),
                              double(imaging::BitmapHeight(source))};
}

// A new picture tiled with `source`, each tile drawn as it is worked out.
Bitmap* Tiled(Bitmap* source, int width, int height) {
    imaging::BitmapPtr target(Gdiplus_CreateBitmap(width, height, PixelFormat32bppARGB));
    if (!target)
        return nullptr;
    {
        Graphics graphics(target.get());
        imaging::ForEachTile(Sized(width, height), imaging::BitmapBounds(source), imaging::kEverywhere,
                             [&](const imaging::ImageDraw& draw) {
                                 imaging::DrawPart(graphics, source, draw);
                                 return true;
                             });
    }
    return target.release();
}

} // namespace

KOVA_IMAGING_API Bitmap* Gdiplus_StretchBitmap(Bitmap* source, int width, int height) try {
    if (source == nullptr || width < 1 || height < 1)
        return nullptr;
    return DrawInto(Gdiplus_CreateBitmap(width, height, PixelFormat32bppARGB), source,
                    Stretched(source, width, height));
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_ResizeBitmap(Bitmap* source, int width, int height, int mode,
                                              ARGB background) try {
    if (source == nullptr)
        return nullptr;
    int resultWidth = 0, resultHeight = 0;
    imaging::ImageDraw draw;
    if (!imaging::PlanResize(imaging::BitmapWidth(source), imaging::BitmapHeight(source), width, height, mode,
                             &resultWidth, &resultHeight, &draw))
        return nullptr;
    return DrawInto(Gdiplus_CreateColorBmp(resultWidth, resultHeight, background), source, draw);
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_DisposeBitmapByMode(Bitmap* source, int width, int height, int mode,
                                                     ARGB background) try {
    if (source == nullptr || width < 1 || height < 1)
        return nullptr;
    const RECT whole = imaging::BitmapBounds(source);
    switch (mode) {
    case 0: {
        RECT part;
        if (!imaging::CoverPart(whole, width, height, &part))
            return nullptr;
        SIZE size{width, height};
        return Gdiplus_GetBitmapFromBitmapByRect(source, &part, &size);
    }
    case 1:
        return Gdiplus_ResizeBitmap(source, width, height, 1, background);
    case 2:
        return Tiled(source, width, height);
    case 3:
        return DrawInto(Gdiplus_CreateColorBmp(width, height, background), source,
                        imaging::PlanCentred(Sized(width, height), whole));
    case 4:
        return Gdiplus_StretchBitmap(source, width, height);
    default:
        return nullptr;
    }
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_GetBitmapFromBitmap(Bitmap* source, int x, int y, int width, int height,
                                                     const SIZE* outSize) try {
    if (source == nullptr || width < 1 || height < 1)
        return nullptr;
    const int outWidth = outSize != nullptr ? outSize->cx : width;
    const int outHeight = outSize != nullptr ? outSize->cy : height;
    if (outWidth < 1 || outHeight < 1)
        return nullptr;
    imaging::ImageDraw draw{0,         0,         double(outWidth), double(outHeight),
                            double(x), double(y), double(width),    double(height)};
    return DrawInto(Gdiplus_CreateBitmap(outWidth, outHeight, PixelFormat32bppARGB), source, draw);
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_GetBitmapFromBitmapByRect(Bitmap* source, const RECT* rect,
                                                           const SIZE* outSize) try {
    if (rect == nullptr)
        return nullptr;
    return Gdiplus_GetBitmapFromBitmap(source, rect->left, rect->top, rect->right - rect->left,
                                       rect->bottom - rect->top, outSize);
}
KOVA_IMAGING_FAILS_WITH(nullptr)
