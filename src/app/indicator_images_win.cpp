#include "indicator_images_win.h"

#include "file_helpers.h"

#include <string>

// The flat GDI+ API; the C++ wrapper classes are not needed for loading and freeing.
extern "C" {
int __stdcall GdipCreateBitmapFromFile(const wchar_t* filename, void** bitmap);
int __stdcall GdipDisposeImage(void* image);
}

namespace {

std::wstring WidePath(const char* folder, const char* name) {
    char path[MAX_PATH];
    if (!CombinePathNameA(path, folder, name))
        return L"";
    wchar_t wide[MAX_PATH];
    // The folder came from the system in its code page.
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    return length > 0 ? wide : L"";
}

void* LoadBitmap(const char* folder, const char* name) {
    std::wstring path = WidePath(folder, name);
    if (path.empty() || !IsFileExistW(path.c_str()))
        return nullptr;
    void* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(path.c_str(), &bitmap) != 0) {
        if (bitmap != nullptr)
            GdipDisposeImage(bitmap);
        return nullptr;
    }
    return bitmap;
}

void Dispose(void*& bitmap) {
    if (bitmap != nullptr)
        GdipDisposeImage(bitmap);
    bitmap = nullptr;
}

} // namespace

void IndicatorImages::Load(const char* programFolder) {
    Free();
    nobody = LoadBitmap(programFolder, "Image\\HumanNobody.png");
    motion = LoadBitmap(programFolder, "Image\\HumanMotion.png");
    motionless = LoadBitmap(programFolder, "Image\\HumanMotionless.png");
}

void IndicatorImages::Free() {
    Dispose(nobody);
    Dispose(motion);
    Dispose(motionless);
}
