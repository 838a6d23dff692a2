// Pixels of a part of the screen, and a 24-bit BMP file of them.
#include "screen_image.h"

#include "driver.h"

#include <cstdio>
#include <cstring>

namespace e2e {

ScreenImage CaptureScreen(const RECT& area) {
    ScreenImage image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    if (image.width <= 0 || image.height <= 0)
        Fail("nothing to capture: the area is empty");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top,
                        SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        if (copied) {
            image.pixels.resize(size_t(image.width) * size_t(image.height));
            std::memcpy(image.pixels.data(), bits, image.pixels.size() * sizeof(uint32_t));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied)
        Fail("cannot copy from the screen");
    for (uint32_t& pixel : image.pixels)
        pixel &= 0x00FFFFFFu;
    return image;
}

bool SaveBmp(const ScreenImage& image, const std::wstring& path) {
    const size_t rowBytes = (size_t(image.width) * 3 + 3) & ~size_t(3);
    const size_t dataBytes = rowBytes * size_t(image.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = DWORD(file.bfOffBits + dataBytes);
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height; // bottom row first, as every reader expects
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(dataBytes);
    std::vector<char> data(dataBytes, 0);
    for (int y = 0; y < image.height; ++y) {
        char* row = data.data() + rowBytes * size_t(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            uint32_t pixel = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
            row[3 * x] = char(pixel & 0xFF);
            row[3 * x + 1] = char((pixel >> 8) & 0xFF);
            row[3 * x + 2] = char((pixel >> 16) & 0xFF);
        }
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(data.data(), 1, data.size(), out) == data.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace e2e
