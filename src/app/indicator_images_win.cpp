#include "indicator_images_win.h"

#include "file_helpers.h"
#include "gdiplus_utils.h"

#include <string>

namespace {

std::wstring WidePath(const char* folder, const char* name) {
    char path[MAX_PATH];
    if (!CombinePathNameA(path, folder, name))
        return L"";
    wchar_t wide[MAX_PATH];
    // The folder came from the system in its code page; a path too long for MAX_PATH fails.
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    return length > 0 ? wide : L"";
}

Gdiplus::Bitmap* LoadPicture(const char* folder, const char* name) {
    std::wstring path = WidePath(folder, name);
    return path.empty() ? nullptr : Gdiplus_LoadBitmapFromFileW(path.c_str());
}

} // namespace

OwnedBitmap& OwnedBitmap::operator=(OwnedBitmap&& other) noexcept {
    if (this != &other) {
        Reset(other.m_bitmap);
        other.m_bitmap = nullptr;
    }
    return *this;
}

void OwnedBitmap::Reset(Gdiplus::Bitmap* bitmap) {
    if (m_bitmap != bitmap)
        Gdiplus_DeleteBitmap(m_bitmap);
    m_bitmap = bitmap;
}

void IndicatorImages::Load(const char* programFolder) {
    nobody.Reset(LoadPicture(programFolder, "Image\\HumanNobody.png"));
    motion.Reset(LoadPicture(programFolder, "Image\\HumanMotion.png"));
    motionless.Reset(LoadPicture(programFolder, "Image\\HumanMotionless.png"));
}

void IndicatorImages::Free() {
    nobody.Reset();
    motion.Reset();
    motionless.Reset();
}
