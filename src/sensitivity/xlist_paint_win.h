// Drawing pieces the editable list and its header share.
#pragma once

#include "framework.h"

namespace xlist {

// Frame and tick colours of check boxes (COLORREF).
constexpr COLORREF kCheckFrameColor = 0x996633;
constexpr COLORREF kCheckTickColor = 0x339933;

// A check box: framed, filled with `fill`, with a two-pixel tick in `tick` when ticked.
void PaintCheckBox(CDC& dc, const RECT& box, bool ticked, COLORREF fill, COLORREF tick);

// `text` in `area` with `format` (no DT_SINGLELINE: line breaks give lines), measured first
// and then drawn vertically centred, on a transparent background.
void DrawCenteredText(CDC& dc, const std::wstring& text, const RECT& area, UINT format);

// DrawText alignment of a header item's format (HDF_LEFT, HDF_CENTER, HDF_RIGHT), with an
// end ellipsis.
UINT AlignmentFormat(int headerFormat);

} // namespace xlist
