#include "wave_captions_win.h"

#include "pixel_buffer.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

CaptionItem::~CaptionItem() {
    if (font != nullptr)
        GdipDeleteFont(font);
    if (format != nullptr)
        GdipDeleteStringFormat(format);
}

namespace {

int MatchesId(void* item, void* id) {
    return static_cast<CaptionItem*>(item)->id == *static_cast<int64_t*>(id);
}

int CompareIds(void* a, void* b, void*) {
    int64_t left = static_cast<CaptionItem*>(a)->id, right = static_cast<CaptionItem*>(b)->id;
    return left < right ? -1 : (left > right ? 1 : 0);
}

GpStringFormat* TopCentredFormat() {
    GpStringFormat* format = nullptr;
    if (GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Ok)
        return nullptr;
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentNear);
    GdipSetStringFormatFlags(format, StringFormatFlagsLineLimit);
    return format;
}

} // namespace

void CWaveCaptions::SetCaption(const wchar_t* text, float pointSize, ARGB argb) {
    CAutoBaseLock hold(m_lock);
    int64_t id = 0;
    int index = m_items.Find(&MatchesId, &id);
    CaptionItem* item = index >= 0 ? At(index) : nullptr;
    if (item == nullptr) {
        item = new CaptionItem;
        item->id = id;
        m_items.Add(item);
    }
    item->text = text != nullptr ? text : L"";
    SetRectXY(&item->rect, 0, 0, 0, 0);
    // The old font and format go, or every call would leak a pair.
    if (item->font != nullptr)
        GdipDeleteFont(item->font);
    item->font = CreateChartCaptionFont(pointSize);
    if (item->format != nullptr)
        GdipDeleteStringFormat(item->format);
    item->format = TopCentredFormat();
    item->color = argb;
    m_items.Sort(&CompareIds, nullptr);
}

void CWaveCaptions::Draw(HDC dc, const RECT& plot) {
    CAutoBaseLock hold(m_lock);
    if (m_items.GetCount() == 0)
        return;
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != Ok || graphics == nullptr)
        return;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        CaptionItem* item = At(i);
        RECT layout = plot;
        if (!IsRectEmpty(&item->rect))
            BoundRect(&layout, &item->rect, &plot);
        RectF area(REAL(layout.left), REAL(layout.top), REAL(layout.right - layout.left),
                   REAL(layout.bottom - layout.top));
        if (item->text.empty())
            continue;
        GpSolidFill* brush = nullptr;
        if (GdipCreateSolidFill(item->color, &brush) != Ok || brush == nullptr)
            continue;
        GdipSetTextRenderingHint(graphics, TextRenderingHintAntiAlias);
        // A caption without a font fails here; the status is kept, the chart draws on.
        item->lastStatus =
            GdipDrawString(graphics, item->text.c_str(), -1, item->font, &area, item->format, brush);
        GdipDeleteBrush(brush);
    }
    GdipDeleteGraphics(graphics);
}

void CWaveCaptions::RemoveAll() {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < m_items.GetCount(); ++i)
        delete At(i);
    m_items.RemoveAll();
}

int CWaveCaptions::GetCount() {
    CAutoBaseLock hold(m_lock);
    return m_items.GetCount();
}

bool CWaveCaptions::GetCaption(int index, std::wstring* text, ARGB* color, bool* hasFont) {
    CAutoBaseLock hold(m_lock);
    CaptionItem* item = At(index);
    if (item == nullptr)
        return false;
    if (text != nullptr)
        *text = item->text;
    if (color != nullptr)
        *color = item->color;
    if (hasFont != nullptr)
        *hasFont = item->font != nullptr;
    return true;
}
