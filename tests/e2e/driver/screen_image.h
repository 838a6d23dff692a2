// Pixels of a part of the screen, as the user sees them (message boxes on top included).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
};

ScreenImage CaptureScreen(const RECT& area);
// A 24-bit BMP file; false when the file cannot be written.
bool SaveBmp(const ScreenImage& image, const std::wstring& path);

} // namespace e2e
