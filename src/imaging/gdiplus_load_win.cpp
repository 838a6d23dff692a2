// Loading pictures from raw pixels, memory, resources and files.
#include "gdiplus_internal_win.h"

#include "file_helpers.h"

#include <cstring>
#include <memory>

using namespace Gdiplus;

namespace {

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

} // namespace

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromImageBits(void* pixels, int width, int height, int stride,
                                                         PixelFormat format) try {
    if (pixels == nullptr || width == 0 || height == 0 || stride == 0)
        return nullptr;
    return imaging::KeepIfOk(
               imaging::MakeGdiplus<Bitmap>(width, height, stride, format, static_cast<BYTE*>(pixels)))
        .release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromData(const void* bytes, int count) try {
    if (bytes == nullptr || count <= 0)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, SIZE_T(count));
    if (block == nullptr)
        return nullptr;
    void* copy = GlobalLock(block);
    if (copy == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(copy, bytes, size_t(count));
    GlobalUnlock(block);
    // The stream owns the copy and frees it with its last reference; the bitmap holds one for
    // as long as it may still read from it, so the copy lives exactly as long as needed.
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {
        GlobalFree(block);
        return nullptr;
    }
    std::unique_ptr<IStream, StreamRelease> ownStream(stream);
    return imaging::KeepIfOk(imaging::MakeGdiplus<Bitmap>(stream)).release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

namespace {

Bitmap* LoadFoundResource(HINSTANCE module, HRSRC found) {
    if (found == nullptr)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0 || size > 0x7FFFFFFF)
        return nullptr;
    return Gdiplus_LoadBitmapFromData(bytes, int(size));
}

// Resource ids are 16-bit; anything else would name another resource.
bool IsResourceId(int id) {
    return id >= 1 && id <= 0xFFFF;
}

} // namespace

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromResourceW(HINSTANCE module, const wchar_t* type, int id) try {
    if (type == nullptr || !IsResourceId(id))
        return nullptr;
    return LoadFoundResource(module, FindResourceW(module, MAKEINTRESOURCEW(id), type));
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromResourceA(HINSTANCE module, const char* type, int id) try {
    if (type == nullptr || !IsResourceId(id))
        return nullptr;
    return LoadFoundResource(module, FindResourceA(module, MAKEINTRESOURCEA(id), type));
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromFileW(const wchar_t* path) try {
    // A missing file is common (pictures beside the program); GDI+ is not asked about it.
    if (path == nullptr || !IsFileExistW(path))
        return nullptr;
    return imaging::KeepIfOk(imaging::MakeGdiplus<Bitmap>(path)).release();
}
KOVA_IMAGING_FAILS_WITH(nullptr)

KOVA_IMAGING_API Bitmap* Gdiplus_LoadBitmapFromFileA(const char* path) try {
    const imaging::WideText wide = imaging::AnsiToWide(path);
    return wide.ok ? Gdiplus_LoadBitmapFromFileW(wide.c_str()) : nullptr;
}
KOVA_IMAGING_FAILS_WITH(nullptr)
