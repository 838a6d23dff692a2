#include "wnd_resize_tool.h"

#include "resize_layout.h"

namespace {

struct ChildRecord {
    HWND window;
    RECT recorded; // in its parent's client coordinates
    HFONT scaledFont;
    LOGFONTW recordedFont; // all zero when the window had no font
};

} // namespace

CWndResizeTool::~CWndResizeTool() {
    RemoveAllRecords();
}

void CWndResizeTool::RemoveAllRecords() {
    for (int i = m_records.GetCount() - 1; i >= 0; --i) {
        auto* record = static_cast<ChildRecord*>(m_records.GetAt(i));
        if (record->scaledFont != nullptr)
            DeleteObject(record->scaledFont);
        delete record;
    }
    m_records.RemoveAll();
}

void CWndResizeTool::RecordChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        auto* record = new ChildRecord{};
        record->window = child;
        RECT r;
        GetWindowRect(child, &r);
        POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
        ScreenToClient(window, &corners[0]);
        ScreenToClient(window, &corners[1]);
        record->recorded = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        if (font == nullptr || GetObjectW(font, sizeof(LOGFONTW), &record->recordedFont) == 0)
            record->recordedFont = LOGFONTW{};
        m_records.Add(record);
        RecordChildren(child);
    }
}

int CWndResizeTool::Resize(int cx, int cy, double* horizontal, double* vertical) {
    if (horizontal != nullptr)
        *horizontal = 1.0;
    if (vertical != nullptr)
        *vertical = 1.0;
    if (!enabled)
        return 0;
    // One repaint at the end instead of one per moved child.
    SendMessageW(parent, WM_SETREDRAW, FALSE, 0);
    ResizeFactors factors = ComputeResizeFactors(recordedWidth, recordedHeight, cx, cy, keepAspect != 0);
    for (int i = 0; i < m_records.GetCount(); ++i) {
        auto* record = static_cast<ChildRecord*>(m_records.GetAt(i));
        if (!IsWindow(record->window))
            continue;
        RECT r = ScaleRect(record->recorded, factors);
        MoveWindow(record->window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        if (record->recordedFont.lfHeight != 0) {
            LOGFONTW scaled = record->recordedFont;
            scaled.lfHeight = ScaleFontMetric(scaled.lfHeight, factors);
            scaled.lfWidth = ScaleFontMetric(scaled.lfWidth, factors);
            HFONT font = CreateFontIndirectW(&scaled);
            SendMessageW(record->window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            // The old font is freed only once the window no longer uses it.
            if (record->scaledFont != nullptr)
                DeleteObject(record->scaledFont);
            record->scaledFont = font;
        }
    }
    SendMessageW(parent, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (horizontal != nullptr)
        *horizontal = factors.horizontal;
    if (vertical != nullptr)
        *vertical = factors.vertical;
    return 1;
}
