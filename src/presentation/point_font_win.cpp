#include "point_font_win.h"

#include <cwchar>

BOOL CreatePointFont(CFont* font, int tenthsOfPoint, const wchar_t* face) {
    if (font == nullptr)
        return FALSE;
    HDC screen = ::GetDC(nullptr);
    int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    LOGFONTW info{};
    // Negative: the character height, not the cell height, is the point size. Truncated:
    // 8 pt at 96 dpi is 10 pixels.
    info.lfHeight = -(tenthsOfPoint * dpi / 720);
    info.lfWeight = FW_NORMAL;
    info.lfCharSet = DEFAULT_CHARSET;
    if (face != nullptr)
        wcsncpy(info.lfFaceName, face, LF_FACESIZE - 1);
    return font->CreateFontIndirect(&info);
}
