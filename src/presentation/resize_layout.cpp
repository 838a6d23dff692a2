#include "resize_layout.h"

#include <algorithm>

ResizeFactors ComputeResizeFactors(int recordedWidth, int recordedHeight, int cx, int cy, bool keepAspect) {
    ResizeFactors f;
    f.horizontal = recordedWidth > 0 ? double(cx) / recordedWidth : 1.0;
    f.vertical = recordedHeight > 0 ? double(cy) / recordedHeight : 1.0;
    f.font = std::min(f.horizontal, f.vertical);
    if (keepAspect)
        f.horizontal = f.vertical = f.font;
    return f;
}

RECT ScaleRect(const RECT& r, const ResizeFactors& f) {
    return RECT{LONG(r.left * f.horizontal), LONG(r.top * f.vertical), LONG(r.right * f.horizontal),
                LONG(r.bottom * f.vertical)};
}

LONG ScaleFontMetric(LONG recorded, const ResizeFactors& f) {
    return LONG(recorded * f.font);
}
