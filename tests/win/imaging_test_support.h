// Pictures to test the image functions with, and reading their pixels back.
#pragma once

#include "gdiplus_utils.h"

#include <functional>
#include <memory>

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

constexpr Gdiplus::ARGB kRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kGreen = 0xFF00FF00;
constexpr Gdiplus::ARGB kBlue = 0xFF0000FF;
constexpr Gdiplus::ARGB kWhite = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kBlack = 0xFF000000;

// A 32bppARGB picture with the colour of each pixel from `color(x, y)`.
inline BitmapPtr MakePicture(int width, int height, const std::function<Gdiplus::ARGB(int, int)>& color) {
    BitmapPtr bitmap(Gdiplus_CreateBitmap(width, height, PixelFormat32bppARGB));
    if (!bitmap)
        return bitmap;
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Gdiplus::ARGB*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; ++x)
            row[x] = color(x, y);
    }
    bitmap->UnlockBits(&data);
    return bitmap;
}

inline Gdiplus::ARGB PixelOf(Gdiplus::Bitmap* bitmap, int x, int y) {
    Gdiplus::Color color;
    bitmap->GetPixel(x, y, &color);
    return color.GetValue();
}

// Each of the four bytes within `tolerance`.
inline bool Near(Gdiplus::ARGB a, Gdiplus::ARGB b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return false;
    }
    return true;
}
