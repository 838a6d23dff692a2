#include "pixel_buffer.h"

HBITMAP CreateHBitmap(void** bits, int width, int height, int bitsPerPixel, HANDLE section, DWORD offset) {
    if (bits != nullptr)
        *bits = nullptr;
    if (width <= 0 || height == 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    // GDI counts a negative height as top-down; here a positive one means top-down.
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, section, offset);
    if (bits != nullptr)
        *bits = bitmap ? pixels : nullptr;
    return bitmap;
}
