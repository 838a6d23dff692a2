#include "gdiplus_internal_win.h"

#include <algorithm>
#include <cmath>

namespace imaging {

namespace {

// The wrapper keeps a bitmap's last status to itself; this names the member from outside (an
// explicit instantiation may name a private member) so our functions can store theirs the same
// way the wrapper's own calls do.
struct ImageStatusMember {
    using type = Gdiplus::Status Gdiplus::Image::*;
    friend type Get(ImageStatusMember);
};
template <typename Tag, typename Tag::type Member> struct Grant {
    friend typename Tag::type Get(Tag) { return Member; }
};
template struct Grant<ImageStatusMember, &Gdiplus::Image::lastStatus>;

} // namespace

Gdiplus::Status StoreStatus(Gdiplus::Bitmap* bitmap, Gdiplus::Status status) {
    if (bitmap != nullptr && status != Gdiplus::Ok)
        bitmap->*Get(ImageStatusMember{}) = status;
    return status;
}

int BitmapWidth(Gdiplus::Bitmap* bitmap) {
    return bitmap != nullptr ? int(bitmap->GetWidth()) : 0;
}

int BitmapHeight(Gdiplus::Bitmap* bitmap) {
    return bitmap != nullptr ? int(bitmap->GetHeight()) : 0;
}

LockedBits::LockedBits(Gdiplus::Bitmap* bitmap, UINT mode, Gdiplus::PixelFormat format) : m_bitmap(bitmap) {
    Gdiplus::Rect all(0, 0, BitmapWidth(bitmap), BitmapHeight(bitmap));
    m_locked = bitmap->LockBits(&all, mode, format, &m_data) == Gdiplus::Ok;
}

bool LockedBits::Unlock() {
    if (!m_locked)
        return false;
    m_locked = false;
    return m_bitmap->UnlockBits(&m_data) == Gdiplus::Ok;
}

void DrawPart(Gdiplus::Graphics& g, Gdiplus::Bitmap* source, ImageDraw draw,
              const Gdiplus::ImageAttributes* attributes) {
    if (!ClipToSource(&draw, BitmapWidth(source), BitmapHeight(source)))
        return;
    Gdiplus::RectF target(Gdiplus::REAL(draw.destX), Gdiplus::REAL(draw.destY), Gdiplus::REAL(draw.destWidth),
                          Gdiplus::REAL(draw.destHeight));
    g.DrawImage(source, target, Gdiplus::REAL(draw.srcX), Gdiplus::REAL(draw.srcY),
                Gdiplus::REAL(draw.srcWidth), Gdiplus::REAL(draw.srcHeight), Gdiplus::UnitPixel, attributes);
}

RECT VisibleArea(Gdiplus::Graphics& g) {
    Gdiplus::RectF bounds;
    if (g.GetVisibleClipBounds(&bounds) != Gdiplus::Ok)
        return kEverywhere;
    // A transform that shrinks a lot can put the bounds beyond the range of int.
    const auto edge = [](double value) { return LONG(std::clamp(value, double(INT_MIN), double(INT_MAX))); };
    return RECT{edge(std::floor(bounds.X) - 1), edge(std::floor(bounds.Y) - 1),
                edge(std::ceil(double(bounds.X) + bounds.Width) + 1),
                edge(std::ceil(double(bounds.Y) + bounds.Height) + 1)};
}

BitmapPtr KeepIfOk(BitmapPtr bitmap) {
    if (!Gdiplus_BitmapOK(bitmap.get()))
        bitmap.reset();
    return bitmap;
}

WideText AnsiToWide(const char* text) {
    WideText wide;
    if (text == nullptr)
        return wide;
    if (*text == '\0') {
        wide.ok = true;
        return wide;
    }
    // Measured first, so a long text is never cut or written past a fixed buffer.
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return wide;
    wide.text.assign(size_t(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide.text.data(), length) != length)
        return wide;
    wide.text.resize(size_t(length - 1));
    wide.ok = true;
    return wide;
}

} // namespace imaging
