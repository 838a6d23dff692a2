// A static control that draws itself: a picture stretched over the whole control, or a solid
// background colour, and on top its window text, anti-aliased, in its own font, colour and
// alignment, one line per line feed with the lines spread evenly over the height.
#pragma once

#include <memory>

#include "framework.h"
#include "gdiplus_utils.h"

#include <string>

class CColorStatic : public CStatic {
public:
    CColorStatic();
    ~CColorStatic() override;

    // One-call set-up: a font of `points` (face "黑体", `weight` as for CreateFontW), the text
    // lines spread evenly with horizontal alignment `align` (0 left, 1 centre, 2 right), a copy
    // of `image` (borrowed; null: none), and the colours. A null `text` keeps the control's own.
    void Setup(Gdiplus::Bitmap* image, COLORREF backColor, const wchar_t* text, COLORREF textColor,
               int points, int weight, int align);
    // Shows a private copy of `image` (borrowed; null shows the background colour).
    void SetImage(Gdiplus::Bitmap* image);
    void SetBackColor(COLORREF color);
    void SetTextColor(COLORREF color);
    // GDI+ alignments: 0 near, 1 centre, 2 far.
    void SetAlignment(int horizontal, int vertical);
    // GDI+ string format flags of the text (Setup makes them 0).
    void SetFormatFlags(int flags);
    // -1: the text is drawn as one block; 0: lines with equal gaps; more: lines that far apart.
    void SetLineSpacing(int spacing);

    Gdiplus::Bitmap* GetImage() const { return m_image; }
    COLORREF GetBackColor() const { return m_backColor; }
    COLORREF GetTextColor() const { return m_textColor; }
    int GetLineSpacing() const { return m_lineSpacing; }

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    BOOL OnEraseBkgnd(CDC*) { return TRUE; } // the drawing covers every pixel
    DECLARE_MESSAGE_MAP()

private:
    void DrawText(Gdiplus::Graphics& graphics, HDC itemDc, int width, int height);
    void DrawLines(Gdiplus::Graphics& graphics, const Gdiplus::Font& font, const std::wstring& text,
                   const Gdiplus::RectF& area, const Gdiplus::StringFormat& format,
                   const Gdiplus::Brush& brush);
    void WidenToWholeLine(Gdiplus::Graphics& graphics, const Gdiplus::Font& font, const wchar_t* line,
                          const Gdiplus::StringFormat& format, Gdiplus::RectF& place) const;
    void ReplaceImage(Gdiplus::Bitmap* image);
    // The GDI+ font of the GDI font `dc` has selected, made once per GDI font: making one
    // costs more than drawing the text under Wine, and a readout is drawn at the report rate.
    const Gdiplus::Font* FontFor(HDC dc);

    Gdiplus::Bitmap* m_image = nullptr; // owned copy
    std::unique_ptr<Gdiplus::Font> m_drawFont;
    HGDIOBJ m_drawFontOf = nullptr; // the GDI font m_drawFont was made from
    COLORREF m_backColor;
    CFont m_font;
    COLORREF m_textColor;
    // The string format's parts: made into a GDI+ object at each paint, so the control can be
    // built before GDI+ is started.
    int m_horizontalAlignment = 1;
    int m_verticalAlignment = 1;
    int m_formatFlags = Gdiplus::StringFormatFlagsLineLimit;
    int m_lineSpacing = -1;
};
