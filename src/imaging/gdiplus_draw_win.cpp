// Drawing pictures, text, rectangles and polygons on a caller's graphics.
#include "gdiplus_internal_win.h"

#include <memory>

using namespace Gdiplus;

namespace {

RECT SourceOf(Bitmap* source, const RECT* sourceRect) {
    return sourceRect != nullptr ? *sourceRect : imaging::BitmapBounds(source);
}

} // namespace

KOVA_IMAGING_API int Gdiplus_GetStringFormat(WORD languageId) try {
    return languageId == 0x401 || languageId == 0x40D ? StringFormatFlagsDirectionRightToLeft : 0;
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API void Gdiplus_DrawText(Graphics* g, const wchar_t* text, RectF layout, Color color,
                                       const StringFormat* format, const Font* font) try {
    if (g == nullptr || text == nullptr || *text == L'\0')
        return;
    std::unique_ptr<Font> fallback;
    if (font == nullptr) {
        // The generic family can be missing (a bare Wine prefix has none): then nothing is drawn.
        const FontFamily* family = FontFamily::GenericSansSerif();
        if (family == nullptr)
            return;
        fallback = imaging::MakeGdiplus<Font>(family, REAL(12), FontStyleRegular, UnitPixel);
        if (fallback->GetLastStatus() != Ok)
            return;
        font = fallback.get();
    }
    g->SetTextRenderingHint(TextRenderingHintAntiAlias);
    SolidBrush brush(color);
    g->DrawString(text, -1, font, layout, format, &brush);
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API void Gdiplus_DrawBitmap(Graphics* g, const RECT* destination, Bitmap* source,
                                         const RECT* sourceRect, int mode) try {
    if (g == nullptr || source == nullptr || destination == nullptr)
        return;
    // Tiles that cannot show are not drawn: a tiny picture may tile a huge rectangle.
    imaging::ForEachBitmapDraw(*destination, SourceOf(source, sourceRect), mode, imaging::VisibleArea(*g),
                               [&](const imaging::ImageDraw& draw) {
                                   imaging::DrawPart(*g, source, draw);
                                   return true;
                               });
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API void Gdiplus_DrawAlphaBitmap(Graphics* g, const RECT* destination, Bitmap* source,
                                              const RECT* sourceRect, int stretch, BYTE alpha) try {
    if (g == nullptr || source == nullptr || destination == nullptr)
        return;
    // Identity but for the alpha factor, alpha / 256: 255 stays just short of opaque.
    ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i)
        matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = REAL(alpha) / 256.0f;
    ImageAttributes attributes;
    attributes.SetColorMatrix(&matrix, ColorMatrixFlagsDefault, ColorAdjustTypeBitmap);
    imaging::DrawPart(*g, source,
                      imaging::PlanAlphaDraw(*destination, SourceOf(source, sourceRect), stretch != 0),
                      &attributes);
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API void Gdiplus_FillRect(Graphics* g, const RECT* rect, const Brush* brush) try {
    if (g == nullptr || rect == nullptr)
        return;
    g->FillRectangle(brush, Rect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API void Gdiplus_FillPolygon(Graphics* g, const POINT* points, int count,
                                          const Brush* brush) try {
    if (g == nullptr || points == nullptr || count <= 0)
        return;
    // POINT and GDI+'s Point are both two 32-bit integers, x then y.
    static_assert(sizeof(POINT) == sizeof(Point));
    g->FillPolygon(brush, reinterpret_cast<const Point*>(points), count, FillModeAlternate);
}
KOVA_IMAGING_FAILS_WITH()

KOVA_IMAGING_API void Gdiplus_DrawRect(Graphics* g, const RECT* rect, ARGB color, float penWidth) try {
    if (g == nullptr || rect == nullptr)
        return;
    Pen pen(Color(color), penWidth);
    g->DrawRectangle(&pen, REAL(rect->left), REAL(rect->top), REAL(rect->right - rect->left) - penWidth,
                     REAL(rect->bottom - rect->top) - penWidth);
}
KOVA_IMAGING_FAILS_WITH()
