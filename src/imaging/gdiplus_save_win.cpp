// Encoders, picture types by file name, saving and converting pictures.
#include "gdiplus_internal_win.h"

#include "file_helpers.h"

#include <cwchar>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace {

struct PictureTypeInfo {
    const wchar_t* mimeType;
    const wchar_t* extension; // with its dot, as a made file name gets it
};

// Values outside the table are BMP.
const PictureTypeInfo& InfoOf(int pictureType) {
    static const PictureTypeInfo kTypes[] = {
        {L"image/bmp", L".bmp"},  {L"image/jpeg", L".jpg"}, {L"image/gif", L".gif"},
        {L"image/tiff", L".tif"}, {L"image/png", L".png"},
    };
    return pictureType >= 0 && pictureType < 5 ? kTypes[pictureType] : kTypes[0];
}

int SaveWith(Bitmap* bitmap, const wchar_t* path, int pictureType) {
    CLSID encoder;
    if (!Gdiplus_GetEncoderClsidByPictureType(pictureType, &encoder))
        return 0;
    // A failing save leaves its status in the bitmap (the wrapper stores it).
    return bitmap->Save(path, &encoder, nullptr) == Ok ? 1 : 0;
}

} // namespace

KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByFormatTypeW(const wchar_t* mimeType, CLSID* clsid) try {
    if (mimeType == nullptr || clsid == nullptr)
        return 0;
    UINT count = 0, size = 0;
    if (GetImageEncodersSize(&count, &size) != Ok || count == 0 || size < count * sizeof(ImageCodecInfo))
        return 0;
    std::vector<BYTE> block(size);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(block.data());
    if (GetImageEncoders(count, size, encoders) != Ok)
        return 0;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType != nullptr && _wcsicmp(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return 1;
        }
    }
    return 0;
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByFormatTypeA(const char* mimeType, CLSID* clsid) try {
    const imaging::WideText wide = imaging::AnsiToWide(mimeType);
    return wide.ok ? Gdiplus_GetEncoderClsidByFormatTypeW(wide.c_str(), clsid) : 0;
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByPictureType(int pictureType, CLSID* clsid) try {
    return Gdiplus_GetEncoderClsidByFormatTypeW(InfoOf(pictureType).mimeType, clsid);
}
KOVA_IMAGING_FAILS_WITH(0)

// A name that cannot be read is taken as one without an extension.
KOVA_IMAGING_API int Gdiplus_GetPictureTypeByFileNameW(const wchar_t* fileName) try {
    wchar_t extension[MAX_PATH] = L"";
    if (fileName != nullptr)
        GetFileExtNameW(fileName, extension, MAX_PATH);
    return imaging::PictureTypeFromExtension(extension);
}
KOVA_IMAGING_FAILS_WITH(KOVA_PICTURE_PNG)

KOVA_IMAGING_API int Gdiplus_GetPictureTypeByFileNameA(const char* fileName) try {
    char extension[MAX_PATH] = "";
    if (fileName != nullptr)
        GetFileExtNameA(fileName, extension, MAX_PATH);
    const imaging::WideText wide = imaging::AnsiToWide(extension);
    return imaging::PictureTypeFromExtension(wide.c_str());
}
KOVA_IMAGING_FAILS_WITH(KOVA_PICTURE_PNG)

KOVA_IMAGING_API int Gdiplus_SaveBitmapToFileW(Bitmap* bitmap, const wchar_t* path) try {
    if (bitmap == nullptr || path == nullptr)
        return 0;
    return SaveWith(bitmap, path, Gdiplus_GetPictureTypeByFileNameW(path));
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_SaveBitmapToFileA(Bitmap* bitmap, const char* path) try {
    const imaging::WideText wide = imaging::AnsiToWide(path);
    return wide.ok ? Gdiplus_SaveBitmapToFileW(bitmap, wide.c_str()) : 0;
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_ConvertImageFormatW(const wchar_t* sourcePath, wchar_t* nameBuffer,
                                                 int pictureType) try {
    if (sourcePath == nullptr || nameBuffer == nullptr)
        return 0;
    if (!GetFileNameByDateW(nameBuffer, InfoOf(pictureType).extension, L"Temp_", L"", 0, 0, 0, MAX_PATH))
        return 0;
    imaging::BitmapPtr bitmap(Gdiplus_LoadBitmapFromFileW(sourcePath));
    if (!bitmap)
        return 0;
    return SaveWith(bitmap.get(), nameBuffer, pictureType);
}
KOVA_IMAGING_FAILS_WITH(0)

KOVA_IMAGING_API int Gdiplus_ConvertImageFormatA(const char* sourcePath, char* nameBuffer,
                                                 int pictureType) try {
    const imaging::WideText source = imaging::AnsiToWide(sourcePath);
    if (!source.ok || nameBuffer == nullptr)
        return 0;
    // The name buffer is only written: the made name is handed back in the caller's code page.
    wchar_t name[MAX_PATH] = L"";
    const int saved = Gdiplus_ConvertImageFormatW(source.c_str(), name, pictureType);
    if (WideCharToMultiByte(CP_ACP, 0, name, -1, nameBuffer, MAX_PATH, nullptr, nullptr) == 0)
        nameBuffer[0] = '\0';
    return saved;
}
KOVA_IMAGING_FAILS_WITH(0)
