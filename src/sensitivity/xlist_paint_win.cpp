#include "xlist_paint_win.h"

#include "xlist_geometry.h"

namespace xlist {

void PaintCheckBox(CDC& dc, const RECT& box, bool ticked, COLORREF fill, COLORREF tick) {
    if (Width(box) <= 0 || Height(box) <= 0)
        return;
    dc.FillSolidRect(&box, fill);
    CBrush frame(kCheckFrameColor);
    dc.FrameRect(&box, frame);
    if (!ticked || Width(box) < 8)
        return;
    // A tick from the left middle down to the lower third and up to the top right, twice
    // one pixel apart for its thickness.
    CPen pen(PS_SOLID, 1, tick);
    CDCSelection selection(dc, pen);
    const int side = Width(box);
    const int left = box.left + 3, right = box.right - 4;
    const int middle = box.top + side / 2, low = box.bottom - 5, high = box.top + 4;
    const int turn = box.left + side / 3 + 1;
    for (int offset = 0; offset < 2; ++offset) {
        dc.MoveTo(left, middle - 1 + offset);
        dc.LineTo(turn, low - 1 + offset);
        dc.LineTo(right + 1, high - 1 + offset);
    }
}

void DrawCenteredText(CDC& dc, const std::wstring& text, const RECT& area, UINT format) {
    if (text.empty())
        return;
    RECT measured = area;
    dc.DrawText(text.c_str(), int(text.size()), &measured, format | DT_CALCRECT);
    RECT target = VerticallyCentered(area, Height(measured));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text.c_str(), int(text.size()), &target, format);
    dc.SetBkMode(oldMode);
}

UINT AlignmentFormat(int headerFormat) {
    switch (headerFormat & HDF_JUSTIFYMASK) {
    case HDF_CENTER:
        return DT_CENTER | DT_END_ELLIPSIS;
    case HDF_RIGHT:
        return DT_RIGHT | DT_END_ELLIPSIS;
    default:
        return DT_LEFT | DT_END_ELLIPSIS;
    }
}

} // namespace xlist
