#include "wave_gdiplus_win.h"

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
