#include "image_geometry.h"

#include <algorithm>
#include <cmath>

namespace imaging {

namespace {

// 64-bit: the width of a valid rectangle can pass the range of int.
long long Width(const RECT& r) {
    return (long long)(r.right) - r.left;
}
long long Height(const RECT& r) {
    return (long long)(r.bottom) - r.top;
}

// Compared, not subtracted: the width of a valid rectangle can pass the range of int.
bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool EqualsIgnoringCase(const wchar_t* text, const char* lowerAscii) {
    for (; *lowerAscii != '\0'; ++text, ++lowerAscii) {
        wchar_t c = *text;
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
        if (c != wchar_t(*lowerAscii))
            return false;
    }
    return *text == L'\0';
}

ImageDraw Draw(double dx, double dy, double dw, double dh, double sx, double sy, double sw, double sh) {
    return ImageDraw{dx, dy, dw, dh, sx, sy, sw, sh};
}

} // namespace

int PictureTypeFromExtension(const wchar_t* extension) {
    if (extension == nullptr)
        return 4;
    if (EqualsIgnoringCase(extension, "bmp"))
        return 0;
    if (EqualsIgnoringCase(extension, "jpeg") || EqualsIgnoringCase(extension, "jpg"))
        return 1;
    if (EqualsIgnoringCase(extension, "gif"))
        return 2;
    if (EqualsIgnoringCase(extension, "tiff"))
        return 3;
    return 4;
}

bool PlanResize(int sourceWidth, int sourceHeight, int width, int height, int mode, int* resultWidth,
                int* resultHeight, ImageDraw* draw) {
    if (sourceWidth < 1 || sourceHeight < 1 || width < 1 || height < 1)
        return false;
    const double sw = sourceWidth, sh = sourceHeight;
    if (mode == 0) {
        *resultWidth = width;
        *resultHeight = height;
        *draw = Draw(0, 0, width, height, 0, 0, sw, sh);
        return true;
    }
    const double sx = width / sw, sy = height / sh;
    double s;
    switch (mode) {
    case 1:
        s = std::min(sx, sy);
        break;
    case 2:
        s = std::max(sx, sy);
        break;
    case 3:
        s = sx;
        break;
    case 4:
        s = sy;
        break;
    default:
        return false;
    }
    const double w = std::floor(sw * s), h = std::floor(sh * s);
    // A very thin source scaled down can round to nothing; such a picture cannot be made.
    if (w < 1 || h < 1 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return false;
    *resultWidth = int(w);
    *resultHeight = int(h);
    *draw = Draw(0, 0, w, h, std::floor((sw - w / s) * 0.5), std::floor((sh - h / s) * 0.5), sw, sh);
    return true;
}

bool CoverPart(const RECT& source, int width, int height, RECT* part) {
    if (IsEmpty(source) || width < 1 || height < 1)
        return false;
    const long long sw = Width(source), sh = Height(source);
    const double s = std::min(double(sw) / width, double(sh) / height);
    const long long pw = std::clamp((long long)(std::floor(width * s)), 1LL, sw);
    const long long ph = std::clamp((long long)(std::floor(height * s)), 1LL, sh);
    const long long x = source.left + (sw - pw) / 2, y = source.top + (sh - ph) / 2;
    *part = RECT{LONG(x), LONG(y), LONG(x + pw), LONG(y + ph)};
    return true;
}

bool ForEachTile(const RECT& destination, const RECT& source, const RECT& visible, const DrawVisitor& visit) {
    if (IsEmpty(destination) || IsEmpty(source))
        return true;
    // 64-bit throughout: a rectangle's width alone can pass the range of int.
    using Wide = long long;
    const Wide left = destination.left, top = destination.top;
    const Wide dw = Wide(destination.right) - left, dh = Wide(destination.bottom) - top;
    const Wide sw = Wide(source.right) - source.left, sh = Wide(source.bottom) - source.top;
    // The first tile column and row that reach into the visible part, and where it ends.
    const Wide firstX = std::max<Wide>(0, (Wide(visible.left) - left) / sw * sw);
    const Wide firstY = std::max<Wide>(0, (Wide(visible.top) - top) / sh * sh);
    const Wide endX = std::min<Wide>(dw, Wide(visible.right) - left);
    const Wide endY = std::min<Wide>(dh, Wide(visible.bottom) - top);
    for (Wide y = firstY; y < endY; y += sh) {
        const Wide h = std::min(sh, dh - y);
        for (Wide x = firstX; x < endX; x += sw) {
            const Wide w = std::min(sw, dw - x);
            if (!visit(Draw(double(left + x), double(top + y), double(w), double(h), source.left, source.top,
                            double(w), double(h))))
                return false;
        }
    }
    return true;
}

ImageDraw PlanCentred(const RECT& destination, const RECT& source) {
    const long long dw = Width(destination), dh = Height(destination);
    const long long sw = Width(source), sh = Height(source);
    const long long w = std::max(0LL, std::min(sw, dw)), h = std::max(0LL, std::min(sh, dh));
    const long long sx = source.left + (sw > dw ? (sw - dw) / 2 : 0);
    const long long sy = source.top + (sh > dh ? (sh - dh) / 2 : 0);
    return Draw(destination.left + (dw - w) / 2, destination.top + (dh - h) / 2, w, h, sx, sy, w, h);
}

bool ForEachBitmapDraw(const RECT& destination, const RECT& source, int mode, const RECT& visible,
                       const DrawVisitor& visit) {
    if (IsEmpty(destination) || IsEmpty(source))
        return true;
    const long long dw = Width(destination), dh = Height(destination);
    const long long sw = Width(source), sh = Height(source);
    switch (mode) {
    case 0: {
        RECT part;
        CoverPart(source, dw, dh, &part);
        return visit(
            Draw(destination.left, destination.top, dw, dh, part.left, part.top, Width(part), Height(part)));
    }
    case 1: {
        const double s = std::max(double(sw) / dw, double(sh) / dh);
        const long long w = (long long)(std::floor(sw / s)), h = (long long)(std::floor(sh / s));
        return visit(Draw(destination.left + (dw - w) / 2, destination.top + (dh - h) / 2, w, h, source.left,
                          source.top, sw, sh));
    }
    case 2:
        return ForEachTile(destination, source, visible, visit);
    case 3:
        return visit(PlanCentred(destination, source));
    default:
        return visit(Draw(destination.left, destination.top, dw, dh, source.left, source.top, sw, sh));
    }
}

ImageDraw PlanAlphaDraw(const RECT& destination, const RECT& source, bool stretch) {
    const long long dw = Width(destination), dh = Height(destination);
    const long long sw = Width(source), sh = Height(source);
    if (stretch)
        return Draw(destination.left, destination.top, dw, dh, source.left, source.top, sw, sh);
    const long long w = std::max(0LL, std::min(dw, sw)), h = std::max(0LL, std::min(dh, sh));
    return Draw(destination.left + (dw - w) / 2, destination.top + (dh - h) / 2, w, h, source.left,
                source.top, w, h);
}

bool ClipToSource(ImageDraw* draw, int sourceWidth, int sourceHeight) {
    ImageDraw& d = *draw;
    if (d.srcWidth <= 0 || d.srcHeight <= 0 || d.destWidth <= 0 || d.destHeight <= 0)
        return false;
    const double left = std::max(d.srcX, 0.0), top = std::max(d.srcY, 0.0);
    const double right = std::min(d.srcX + d.srcWidth, double(sourceWidth));
    const double bottom = std::min(d.srcY + d.srcHeight, double(sourceHeight));
    if (right <= left || bottom <= top)
        return false;
    const double scaleX = d.destWidth / d.srcWidth, scaleY = d.destHeight / d.srcHeight;
    ImageDraw clipped;
    clipped.destX = d.destX + (left - d.srcX) * scaleX;
    clipped.destY = d.destY + (top - d.srcY) * scaleY;
    clipped.destWidth = (right - left) * scaleX;
    clipped.destHeight = (bottom - top) * scaleY;
    clipped.srcX = left;
    clipped.srcY = top;
    clipped.srcWidth = right - left;
    clipped.srcHeight = bottom - top;
    d = clipped;
    return true;
}

} // namespace imaging
