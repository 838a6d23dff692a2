#include "color_static_win.h"

#include "pixel_buffer.h"
#include "string_split.h"
#include "text_lines_layout.h"

#include <memory>
#include <vector>

using namespace Gdiplus;

namespace {

Color ColorOf(COLORREF color) {
    return Color(ARGB(controls::ArgbFromColorRef(color)));
}

// The font selected into the item DC (the control's); when GDI+ cannot use it (a raster font,
// before any font was given) the generic sans-serif family of the same height, if there is one.
std::unique_ptr<Font> FontOf(HDC dc) {
    auto font = std::make_unique<Font>(dc);
    if (font->GetLastStatus() == Ok)
        return font;
    const FontFamily* family = FontFamily::GenericSansSerif();
    TEXTMETRICW metrics{};
    if (family == nullptr || !GetTextMetricsW(dc, &metrics))
        return nullptr;
    const REAL size = REAL(metrics.tmHeight - metrics.tmInternalLeading);
    font =
        std::make_unique<Font>(family, size > 0 ? size : REAL(metrics.tmHeight), FontStyleRegular, UnitPixel);
    return font->GetLastStatus() == Ok ? std::move(font) : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CColorStatic::CColorStatic()
    : m_backColor(::GetSysColor(COLOR_BTNFACE)), m_textColor(::GetSysColor(COLOR_BTNTEXT)) {}

CColorStatic::~CColorStatic() {
    Gdiplus_DeleteBitmap(m_image);
}

const Font* CColorStatic::FontFor(HDC dc) {
    HGDIOBJ selected = ::GetCurrentObject(dc, OBJ_FONT);
    if (m_drawFont == nullptr || selected != m_drawFontOf) {
        m_drawFont = FontOf(dc);
        m_drawFontOf = selected;
    }
    return m_drawFont.get();
}

void CColorStatic::PreSubclassWindow() {
    // Owner drawing, whatever kind of static the template made: the system then sends
    // WM_DRAWITEM, which the parent reflects here.
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
    if (m_font.m_hObject != nullptr)
        SetFont(&m_font, TRUE);
}

void CColorStatic::Setup(Bitmap* image, COLORREF backColor, const wchar_t* text, COLORREF textColor,
                         int points, int weight, int align) {
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    m_font.CreateFont(-::MulDiv(points, pixelsPerInch, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH, L"黑体");
    // A new font may come back with the old one's handle: the GDI+ copy is made again.
    m_drawFont.reset();
    if (m_hWnd != nullptr)
        SetFont(&m_font, TRUE);
    m_horizontalAlignment = align;
    m_verticalAlignment = controls::kAlignCenter;
    m_formatFlags = 0;
    m_textColor = textColor;
    m_lineSpacing = 0;
    ReplaceImage(image);
    m_backColor = backColor;
    if (text != nullptr && m_hWnd != nullptr)
        SetWindowText(text);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::ReplaceImage(Bitmap* image) {
    Gdiplus_DeleteBitmap(m_image);
    // A picture that cannot be copied leaves the control showing its background colour.
    m_image = Gdiplus_CopyBitmap(image);
}

void CColorStatic::SetImage(Bitmap* image) {
    ReplaceImage(image);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::SetBackColor(COLORREF color) {
    m_backColor = color;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::SetTextColor(COLORREF color) {
    m_textColor = color;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::SetAlignment(int horizontal, int vertical) {
    m_horizontalAlignment = horizontal;
    m_verticalAlignment = vertical;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::SetFormatFlags(int flags) {
    m_formatFlags = flags;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::SetLineSpacing(int spacing) {
    m_lineSpacing = spacing;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CColorStatic::DrawItem(LPDRAWITEMSTRUCT item) {
    const RECT r = item->rcItem;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return;
    // Everything is drawn off screen and shown with one copy, so the control never flickers.
    CBorrowedDC itemDc(item->hDC);
    CBitmap bitmap;
    bitmap.Attach(CreateHBitmap(nullptr, width, height, 24, nullptr, 0));
    CDC memory;
    if (bitmap.m_hObject == nullptr || !memory.CreateCompatibleDC(&itemDc))
        return;
    CDCSelection selected(memory, bitmap);
    {
        Graphics graphics(memory.m_hDC);
        if (m_image != nullptr) {
            // Stretched to the whole control, proportions not kept.
            graphics.DrawImage(m_image, Rect(0, 0, width, height), 0, 0, INT(m_image->GetWidth()),
                               INT(m_image->GetHeight()), UnitPixel);
        } else {
            SolidBrush back(ColorOf(m_backColor));
            graphics.FillRectangle(&back, 0, 0, width, height);
        }
        DrawText(graphics, item->hDC, width, height);
    }
    ::BitBlt(item->hDC, r.left, r.top, width, height, memory.m_hDC, 0, 0, SRCCOPY);
}

void CColorStatic::DrawText(Graphics& graphics, HDC itemDc, int width, int height) {
    const std::wstring text = GetWindowText();
    if (text.empty() && m_lineSpacing < 0)
        return;
    const Font* font = FontFor(itemDc);
    if (font == nullptr)
        return;
    StringFormat format(m_formatFlags, LANG_NEUTRAL);
    // A line that is not wrapped is shown whole, never cut short by trimming.
    if (m_formatFlags & StringFormatFlagsNoWrap)
        format.SetTrimming(StringTrimmingNone);
    format.SetAlignment(StringAlignment(m_horizontalAlignment));
    format.SetLineAlignment(StringAlignment(m_verticalAlignment));
    SolidBrush brush(ColorOf(m_textColor));
    graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
    const RectF area(0, 0, REAL(width), REAL(height));
    if (m_lineSpacing < 0) {
        RectF place = area;
        if (m_formatFlags & StringFormatFlagsNoWrap)
            WidenToWholeLine(graphics, *font, text.c_str(), format, place);
        graphics.DrawString(text.c_str(), -1, font, place, &format, &brush);
    } else
        DrawLines(graphics, *font, text, area, format, brush);
}

// Some GDI+ versions drop the characters of an unwrapped line that do not fit its
// rectangle. The rectangle grows to the whole line on the side its alignment points away
// from, so the line shows whole where it would have been placed anyway.
void CColorStatic::WidenToWholeLine(Graphics& graphics, const Font& font, const wchar_t* line,
                                    const StringFormat& format, RectF& place) const {
    RectF needed;
    if (graphics.MeasureString(line, -1, &font, PointF(0, 0), &format, &needed) != Ok ||
        needed.Width <= place.Width)
        return;
    const REAL grow = needed.Width - place.Width;
    if (m_horizontalAlignment == controls::kAlignFar)
        place.X -= grow;
    else if (m_horizontalAlignment == controls::kAlignCenter)
        place.X -= grow / 2;
    place.Width = needed.Width;
}

void CColorStatic::DrawLines(Graphics& graphics, const Font& font, const std::wstring& text,
                             const RectF& area, const StringFormat& format, const Brush& brush) {
    CPtrArrayCtrl pieces;
    wchar_t* block = DevideStringByCharListW(text.c_str(), int(text.size()), L"\n", 1, 0, &pieces, -1);
    std::vector<const wchar_t*> lines;
    std::vector<double> heights;
    for (int i = 0; i < pieces.GetCount(); ++i) {
        const auto* line = static_cast<const wchar_t*>(pieces.GetAt(i));
        RectF box;
        graphics.MeasureString(line, -1, &font, area, nullptr, &box);
        lines.push_back(line);
        heights.push_back(box.Height);
    }
    const std::vector<double> tops =
        controls::LineTops(heights, area.Y, area.Height, m_lineSpacing, m_verticalAlignment);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (*lines[i] == L'\0')
            continue;
        // Each line is aligned left, centred or right within the full width.
        RectF place(area.X, REAL(tops[i]), area.Width, REAL(heights[i]));
        if (m_formatFlags & StringFormatFlagsNoWrap)
            WidenToWholeLine(graphics, font, lines[i], format, place);
        graphics.DrawString(lines[i], -1, &font, place, &format, &brush);
    }
    Internal_DelArrayW(block);
}
