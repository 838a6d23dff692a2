// Recognising message boxes: a dialog of the program's process whose children are only statics
// and buttons, one of them the text static 0xFFFF (a settings dialog has other controls).
#include "message_box.h"

#include "driver.h"
#include "screen_image.h"

namespace e2e {
namespace {

constexpr int kTextId = 0xFFFF;

struct Shape {
    bool hasText = false;
    bool onlyStaticsAndButtons = true;
};

BOOL CALLBACK Inspect(HWND child, LPARAM context) {
    auto* shape = reinterpret_cast<Shape*>(context);
    std::wstring name = ClassOf(child);
    if (name != L"Static" && name != L"Button")
        shape->onlyStaticsAndButtons = false;
    if (name == L"Static" && (GetDlgCtrlID(child) & 0xFFFF) == kTextId)
        shape->hasText = true;
    return TRUE;
}

bool IsMessageBox(HWND window) {
    Shape shape;
    EnumChildWindows(window, Inspect, reinterpret_cast<LPARAM>(&shape));
    return shape.hasText && shape.onlyStaticsAndButtons;
}

BOOL CALLBACK FindIconStatic(HWND child, LPARAM context) {
    if (IsWindowVisible(child) && ClassOf(child) == L"Static" &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(context) = child;
        return FALSE;
    }
    return TRUE;
}

// Draws ICON at the given size over a background of one colour.
ScreenImage Render(HICON icon, int width, int height, COLORREF background) {
    ScreenImage image;
    image.width = width;
    image.height = height;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    auto* pixels = static_cast<const uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + size_t(width) * size_t(height));
    for (uint32_t& pixel : image.pixels)
        pixel &= 0x00FFFFFFu;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return image;
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d < -24 || d > 24)
            return false;
    }
    return true;
}

// Share of the icon's opaque pixels that look the same on the screen, in per cent.
int Likeness(const ScreenImage& shown, HICON icon) {
    ScreenImage onBlack = Render(icon, shown.width, shown.height, RGB(0, 0, 0));
    ScreenImage onWhite = Render(icon, shown.width, shown.height, RGB(255, 255, 255));
    size_t opaque = 0, same = 0;
    for (size_t i = 0; i < shown.pixels.size(); ++i) {
        if (onBlack.pixels[i] != onWhite.pixels[i])
            continue; // transparent or blended with what lies behind
        ++opaque;
        same += Near(onBlack.pixels[i], shown.pixels[i]) ? 1 : 0;
    }
    return opaque == 0 ? 0 : int(same * 100 / opaque);
}

} // namespace

HWND FindMessageBox(HWND dialog) {
    // Windows come in z-order, so the first box found is the one on top.
    for (HWND box : OwnedDialogs(dialog))
        if (IsMessageBox(box))
            return box;
    return nullptr;
}

std::string IconKind(HWND box) {
    HWND iconStatic = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&iconStatic));
    if (iconStatic == nullptr)
        return "none";
    // Icon handles belong to their process, so the picture on the screen is compared with the
    // standard icons drawn here.
    RECT area{};
    GetClientRect(iconStatic, &area);
    MapWindowPoints(iconStatic, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
    ScreenImage shown = CaptureScreen(area);
    struct Candidate {
        const wchar_t* id;
        const char* kind;
    };
    const Candidate candidates[] = {{IDI_HAND, "error"},
                                    {IDI_EXCLAMATION, "warning"},
                                    {IDI_QUESTION, "question"},
                                    {IDI_ASTERISK, "information"}};
    std::string best = "unknown";
    int bestLikeness = 90; // anything less is a picture of the program's own
    for (const Candidate& candidate : candidates) {
        int likeness = Likeness(shown, LoadIconW(nullptr, candidate.id));
        if (likeness > bestLikeness) {
            bestLikeness = likeness;
            best = candidate.kind;
        }
    }
    return best;
}

} // namespace e2e
