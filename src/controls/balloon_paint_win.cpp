#include "balloon_paint_win.h"

#include "balloon_region.h"
#include "balloon_tips.h"

#include <vector>

namespace {

// One region of a block of rectangles; null when the system refuses it.
HRGN RegionOfBlock(const controls::RegionBlock& block) {
    const size_t bytes = sizeof(RGNDATAHEADER) + block.rects.size() * sizeof(RECT);
    std::vector<BYTE> data(bytes);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    header->rdh.dwSize = sizeof(RGNDATAHEADER);
    header->rdh.iType = RDH_RECTANGLES;
    header->rdh.nCount = DWORD(block.rects.size());
    header->rdh.nRgnSize = DWORD(block.rects.size() * sizeof(RECT));
    header->rdh.rcBound = block.bound;
    std::copy(block.rects.begin(), block.rects.end(), reinterpret_cast<RECT*>(header->Buffer));
    return ::ExtCreateRegion(nullptr, DWORD(bytes), header);
}

} // namespace

HRGN RegionFromKeyColor(HBITMAP bitmap, int width, int height) {
    if (bitmap == nullptr || width <= 0 || height <= 0)
        return nullptr;
    // A 32-bit copy, so every pixel is one word whatever the source's depth.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap copy;
    copy.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CDC source, target;
    if (copy.m_hObject == nullptr || bits == nullptr || !source.CreateCompatibleDC(nullptr) ||
        !target.CreateCompatibleDC(nullptr))
        return nullptr;
    {
        CDCSelection sourceSelected(source, bitmap);
        CDCSelection targetSelected(target, copy);
        target.BitBlt(0, 0, width, height, &source, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const std::vector<controls::RegionBlock> blocks =
        controls::NonKeyRuns(pixels + ptrdiff_t(height - 1) * width, width, height, -ptrdiff_t(width));
    HRGN result = nullptr;
    for (const controls::RegionBlock& block : blocks) {
        HRGN part = RegionOfBlock(block);
        if (part == nullptr)
            continue;
        if (result == nullptr) {
            result = part;
        } else {
            ::CombineRgn(result, result, part, RGN_OR);
            ::DeleteObject(part);
        }
    }
    return result != nullptr ? result : ::CreateRectRgn(0, 0, 0, 0);
}

HRGN BuildBalloonShape(HBITMAP bitmap, int width, int height) {
    CDC dc;
    if (bitmap == nullptr || !dc.CreateCompatibleDC(nullptr))
        return nullptr;
    {
        CDCSelection selected(dc, bitmap);
        const RECT all{0, 0, width, height};
        dc.FillSolidRect(&all, controls::kBalloonKeyColor);
        CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
        CBrush white(RGB(255, 255, 255));
        {
            CDCSelection pen(dc, outline);
            CDCSelection brush(dc, white);
            const POINT pointer[] = {{20, 0}, {20, 20}, {40, 20}};
            dc.Polygon(pointer, 3);
            const RECT body{0, 20, width, height};
            dc.RoundRect(&body, POINT{14, 14});
        }
        // Opens the body's top edge into the pointer.
        CPen opening(PS_SOLID, 1, RGB(255, 255, 255));
        CDCSelection pen(dc, opening);
        dc.MoveTo(20, 20);
        dc.LineTo(40, 20);
    }
    return RegionFromKeyColor(bitmap, width, height);
}

void DrawTipIcon(CDC& dc, int icon, const RECT& r, CFont& glyphFontSmall, CFont& glyphFontLarge) {
    const int drawn = controls::DrawnIcon(icon);
    if (drawn == 0)
        return;
    struct Look {
        COLORREF outline;
        COLORREF fill;
    };
    const Look looks[] = {
        {RGB(0, 78, 140), RGB(0, 120, 215)},  // information
        {RGB(255, 185, 0), RGB(252, 225, 0)}, // warning
        {RGB(165, 38, 19), RGB(240, 58, 23)}, // error
    };
    const Look& look = looks[drawn - 1];
    CPen outline(PS_SOLID, 1, look.outline);
    CBrush fill(look.fill);
    {
        CDCSelection pen(dc, outline);
        CDCSelection brush(dc, fill);
        if (drawn == TipIconWarning) {
            const POINT triangle[] = {
                {(r.left + r.right) / 2, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
            dc.Polygon(triangle, 3);
        } else {
            dc.Ellipse(&r);
        }
    }
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    if (drawn == TipIconInformation) {
        CDCSelection font(dc, glyphFontLarge);
        const COLORREF oldColor = dc.SetTextColor(RGB(255, 255, 255));
        RECT box = r;
        dc.DrawText(L"i", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SetTextColor(oldColor);
    } else if (drawn == TipIconWarning) {
        CDCSelection font(dc, glyphFontSmall);
        const COLORREF oldColor = dc.SetTextColor(RGB(0, 0, 0));
        RECT box = r;
        box.bottom -= 1;
        dc.DrawText(L"!", 1, &box, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
        dc.SetTextColor(oldColor);
    } else {
        CPen cross(PS_SOLID, 2, RGB(255, 255, 255));
        CDCSelection pen(dc, cross);
        dc.MoveTo(r.left + 8, r.top + 8);
        dc.LineTo(r.right - 8, r.bottom - 8);
        dc.MoveTo(r.left + 8, r.bottom - 8);
        dc.LineTo(r.right - 8, r.top + 8);
    }
    dc.SetBkMode(oldMode);
}

void DrawCloseButton(CDC& dc, const RECT& r, bool hot) {
    CPen outline(PS_SOLID, 1, ::GetSysColor(hot ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
    CBrush fill(::GetSysColor(hot ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    {
        CDCSelection pen(dc, outline);
        CDCSelection brush(dc, fill);
        dc.Ellipse(&r);
    }
    CPen cross(PS_SOLID, 3, hot ? RGB(255, 255, 255) : RGB(0, 0, 0));
    CDCSelection pen(dc, cross);
    dc.MoveTo(r.left + 6, r.top + 6);
    dc.LineTo(r.right - 6, r.bottom - 6);
    dc.MoveTo(r.left + 6, r.bottom - 6);
    dc.LineTo(r.right - 6, r.top + 6);
}
