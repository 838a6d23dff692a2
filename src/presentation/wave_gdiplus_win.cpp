#include "wave_gdiplus_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

GpFont* FontOfFamily(GpFontFamily* family, float pointSize) {
    GpFont* font = nullptr;
    if (family != nullptr && GdipCreateFont(family, pointSize, FontStyleRegular, UnitPoint, &font) != Ok)
        font = nullptr;
    return font;
}

} // namespace

GpFont* CreateChartCaptionFont(float pointSize) {
    GpFontFamily* family = nullptr;
    if (GdipCreateFontFamilyFromName(L"黑体", nullptr, &family) != Ok)
        family = nullptr;
    GpFont* font = FontOfFamily(family, pointSize);
    if (family != nullptr)
        GdipDeleteFontFamily(family);
    if (font != nullptr)
        return font;
    // Under Wine without its fonts copied in, even this family can be missing.
    family = nullptr;
    if (GdipGetGenericFontFamilySansSerif(&family) != Ok)
        family = nullptr;
    font = FontOfFamily(family, pointSize);
    if (family != nullptr)
        GdipDeleteFontFamily(family);
    return font;
}

void DrawSmoothSeries(HDC dc, const POINT* points, int count, COLORREF color, int width) {
    if (points == nullptr || count < 2)
        return;
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != Ok || graphics == nullptr)
        return;
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    ARGB argb =
        0xFF000000u | (ARGB(GetRValue(color)) << 16) | (ARGB(GetGValue(color)) << 8) | GetBValue(color);
    GpPen* pen = nullptr;
    if (GdipCreatePen1(argb, REAL(width), UnitWorld, &pen) == Ok && pen != nullptr) {
        std::vector<GpPoint> curve;
        curve.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            curve.emplace_back(INT(points[i].x), INT(points[i].y));
        GdipDrawCurveI(graphics, pen, curve.data(), count);
        GdipDeletePen(pen);
    }
    GdipDeleteGraphics(graphics);
}

Bitmap* ScalePlotPicture(Bitmap* picture, int width, int height) {
    if (picture == nullptr || width < 1 || height < 1)
        return nullptr;
    auto* scaled = new Bitmap(width, height, PixelFormat32bppARGB);
    if (scaled->GetLastStatus() != Ok) {
        delete scaled;
        return nullptr;
    }
    Graphics graphics(scaled);
    graphics.DrawImage(picture, Rect(0, 0, width, height), 0, 0, INT(picture->GetWidth()),
                       INT(picture->GetHeight()), UnitPixel);
    return scaled;
}

bool CopyPlotPicture(Bitmap* picture, int width, int height, void* destination, int stride) {
    if (picture == nullptr || destination == nullptr)
        return false;
    Rect area(0, 0, std::min(width, INT(picture->GetWidth())), std::min(height, INT(picture->GetHeight())));
    if (area.Width <= 0 || area.Height <= 0)
        return false;
    BitmapData data{};
    if (picture->LockBits(&area, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
        return false;
    auto* target = static_cast<BYTE*>(destination);
    const auto* source = static_cast<const BYTE*>(data.Scan0);
    for (UINT row = 0; row < data.Height; ++row)
        std::memcpy(target + size_t(row) * size_t(stride), source + ptrdiff_t(row) * data.Stride,
                    size_t(data.Width) * 4);
    picture->UnlockBits(&data);
    return true;
}
