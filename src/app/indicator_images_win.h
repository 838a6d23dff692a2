// The three indicator pictures beside the program: no one, moving target, motionless target.
#pragma once

#include "win_types.h"

namespace Gdiplus {
class Bitmap;
}

// One GDI+ bitmap, owned: deleted with its holder, never copied by mistake. It reads as the
// plain pointer wherever a borrowed Gdiplus::Bitmap* is wanted.
class OwnedBitmap {
public:
    OwnedBitmap() = default;
    explicit OwnedBitmap(Gdiplus::Bitmap* bitmap) : m_bitmap(bitmap) {}
    ~OwnedBitmap() { Reset(); }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    OwnedBitmap(OwnedBitmap&& other) noexcept : m_bitmap(other.m_bitmap) { other.m_bitmap = nullptr; }
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept;

    Gdiplus::Bitmap* get() const { return m_bitmap; }
    operator Gdiplus::Bitmap*() const { return m_bitmap; }
    // Deletes the bitmap held and takes `bitmap` (null: holds none).
    void Reset(Gdiplus::Bitmap* bitmap = nullptr);

private:
    Gdiplus::Bitmap* m_bitmap = nullptr;
};

// A picture that is missing or unreadable stays null.
struct IndicatorImages {
    OwnedBitmap nobody;
    OwnedBitmap motion;
    OwnedBitmap motionless;

    // From the folder "Image" under `programFolder` (system code page); GDI+ must be running.
    void Load(const char* programFolder);
    void Free();
};
