// The program's image functions over GDI+: making, copying, scaling, cropping, tiling, greying
// and re-alpha-ing bitmaps, window regions from them, loading, saving and drawing. The program
// file exports every one of them under its undecorated name.
//
// Ownership: a returned Gdiplus::Bitmap is new and belongs to the caller (delete it, or hand it
// to Gdiplus_DeleteBitmap); null means failure. Bitmaps passed in are borrowed, never deleted.
// A returned HBITMAP or HRGN belongs to the caller too.
//
// Status: a GDI+ call that fails on behalf of a bitmap or graphics object stores its status as
// that object's last status and the function goes on; Gdiplus_BitmapOK and
// Gdiplus_BitmapLastError read it once and reset it to Ok.
//
// No function lets an exception out or ends the process: running out of memory gives the
// function's failure result (null, 0, or nothing drawn).
//
// GDI+ must be started (by the application, or with Gdiplus_Init) before any other call.
// Rectangles are exclusive of right and bottom. Texts ending in A are in the system code page.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#define KOVA_IMAGING_API extern "C" __declspec(dllexport)

// Picture types, each with its encoder's MIME type and the extension of a made file name.
enum KovaPictureType {
    KOVA_PICTURE_BMP = 0, // also every value not listed
    KOVA_PICTURE_JPEG = 1,
    KOVA_PICTURE_GIF = 2,
    KOVA_PICTURE_TIFF = 3,
    KOVA_PICTURE_PNG = 4,
};

// What Gdiplus_Init started: hand it back to Gdiplus_DeInit.
struct GdiplusStartupHandle {
    ULONG_PTR token;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartupOutput output;
};

// ---- Start-up ----
KOVA_IMAGING_API GdiplusStartupHandle* Gdiplus_Init();
// Shuts GDI+ down (when it had started) and frees the handle; null does nothing.
KOVA_IMAGING_API void Gdiplus_DeInit(GdiplusStartupHandle* handle);

// ---- Encoders and picture types ----
// The first installed encoder of that MIME type ("image/png"), ignoring case: 1 found, 0 not.
KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByFormatTypeW(const wchar_t* mimeType, CLSID* clsid);
KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByFormatTypeA(const char* mimeType, CLSID* clsid);
KOVA_IMAGING_API int Gdiplus_GetEncoderClsidByPictureType(int pictureType, CLSID* clsid);
// From the extension, ignoring case: bmp 0; jpeg, jpg 1; gif 2; tiff 3; anything else 4
// (png, and also tif and no extension at all).
KOVA_IMAGING_API int Gdiplus_GetPictureTypeByFileNameW(const wchar_t* fileName);
KOVA_IMAGING_API int Gdiplus_GetPictureTypeByFileNameA(const char* fileName);
// Saves the picture at `sourcePath` as `pictureType` under a new name "Temp_<date-time>.<ext>"
// in the current folder, written to `nameBuffer` (MAX_PATH characters). 1 when saved.
KOVA_IMAGING_API int Gdiplus_ConvertImageFormatW(const wchar_t* sourcePath, wchar_t* nameBuffer,
                                                 int pictureType);
KOVA_IMAGING_API int Gdiplus_ConvertImageFormatA(const char* sourcePath, char* nameBuffer, int pictureType);

// ---- Creating and copying ----
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_CreateBitmap(int width, int height, Gdiplus::PixelFormat format);
// A 32bppARGB bitmap filled with one colour.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_CreateColorBmp(int width, int height, Gdiplus::ARGB color);
// Same size and pixel format, same pixels.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_CopyBitmap(Gdiplus::Bitmap* source);
// Same size and pixels in another pixel format (a drawable one: not indexed).
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_ModifyBitmapFormat(Gdiplus::Bitmap* source,
                                                             Gdiplus::PixelFormat format);
// A DIB of the picture over the background colour (alpha dropped), rows top to bottom when
// `topDown` is nonzero. 16, 24 and 32-bit pictures keep their depth; others become 32-bit.
KOVA_IMAGING_API HBITMAP Gdiplus_GetHBitmap(Gdiplus::Bitmap* source, Gdiplus::ARGB background, int topDown);
// Copies the part of `rect` (null: all) that lies inside the picture, in `format`, row after row
// to `destination`, advancing `destinationStride` bytes per row (negative: upwards). Each row
// gets ((width * bits per pixel + 31) / 32) * 4 bytes, but never more than |destinationStride|.
// 1 copied, 0 not.
KOVA_IMAGING_API int Gdiplus_GetBitmapBuffer(Gdiplus::Bitmap* source, const RECT* rect,
                                             Gdiplus::PixelFormat format, BYTE* destination,
                                             int destinationStride);

// ---- Scaling, cropping, tiling ----
// width x height with the whole source stretched over it.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_StretchBitmap(Gdiplus::Bitmap* source, int width, int height);
// Mode 0 stretched to width x height; 1 the largest proportional size inside it; 2 the smallest
// proportional size covering it; 3 the requested width; 4 the requested height; other: null.
// Transparent parts show `background`.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_ResizeBitmap(Gdiplus::Bitmap* source, int width, int height,
                                                       int mode, Gdiplus::ARGB background);
// Mode 0 fills width x height from the source's middle, cutting what overhangs; 1 as
// Gdiplus_ResizeBitmap mode 1; 2 tiled; 3 1:1 centred on `background`; 4 stretched.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_DisposeBitmapByMode(Gdiplus::Bitmap* source, int width, int height,
                                                              int mode, Gdiplus::ARGB background);
// The part (x, y, width, height) stretched over a new bitmap of `outSize` (null: width x height);
// what of the part lies outside the source stays transparent.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_GetBitmapFromBitmap(Gdiplus::Bitmap* source, int x, int y,
                                                              int width, int height, const SIZE* outSize);
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_GetBitmapFromBitmapByRect(Gdiplus::Bitmap* source, const RECT* rect,
                                                                    const SIZE* outSize);

// ---- Pixels ----
// Grey copy in the source's pixel format: (77 red + 150 green + 29 blue) >> 8, alpha kept. An
// indexed picture keeps its indices and gets a greyed palette. Null when the pixels cannot be
// read or written, never a blank picture.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_Gray(Gdiplus::Bitmap* source);
// Sets the alpha of every pixel in `rect` (null: all; clipped to the picture) whose alpha lies
// in lowest..highest.
KOVA_IMAGING_API void Gdiplus_SetBitmapAlpha(Gdiplus::Bitmap* bitmap, const RECT* rect, BYTE alpha,
                                             int lowest, int highest);
// The region of every pixel whose alpha is at least `threshold`.
KOVA_IMAGING_API HRGN Gdiplus_CreateRgnFromBitmap(Gdiplus::Bitmap* bitmap, BYTE threshold);

// ---- Loading and saving ----
// Over the caller's pixels, which must stay valid and unchanged while the bitmap is used.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromImageBits(void* pixels, int width, int height,
                                                                  int stride, Gdiplus::PixelFormat format);
// From an encoded picture in memory; the bytes are copied.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromData(const void* bytes, int count);
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromResourceW(HINSTANCE module, const wchar_t* type,
                                                                  int id);
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromResourceA(HINSTANCE module, const char* type, int id);
// Null for a missing file, without asking GDI+.
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromFileW(const wchar_t* path);
KOVA_IMAGING_API Gdiplus::Bitmap* Gdiplus_LoadBitmapFromFileA(const char* path);
// With the encoder of Gdiplus_GetPictureTypeByFileNameW(path): 1 saved, 0 not.
KOVA_IMAGING_API int Gdiplus_SaveBitmapToFileW(Gdiplus::Bitmap* bitmap, const wchar_t* path);
KOVA_IMAGING_API int Gdiplus_SaveBitmapToFileA(Gdiplus::Bitmap* bitmap, const char* path);

// ---- Status ----
// 1 when the bitmap is not null and its last status is Ok; the status is reset.
KOVA_IMAGING_API int Gdiplus_BitmapOK(Gdiplus::Bitmap* bitmap);
// The last status (GenericError, 1, for null); the status is reset.
KOVA_IMAGING_API Gdiplus::Status Gdiplus_BitmapLastError(Gdiplus::Bitmap* bitmap);
KOVA_IMAGING_API void Gdiplus_DeleteBitmap(Gdiplus::Bitmap* bitmap);

// ---- Drawing ----
// StringFormatFlagsDirectionRightToLeft (1) for Arabic 0x401 and Hebrew 0x40D, else 0.
KOVA_IMAGING_API int Gdiplus_GetStringFormat(WORD languageId);
// Anti-aliased text; a null font uses the generic sans-serif family, 12 pixels, when there is one.
KOVA_IMAGING_API void Gdiplus_DrawText(Gdiplus::Graphics* g, const wchar_t* text, Gdiplus::RectF layout,
                                       Gdiplus::Color color, const Gdiplus::StringFormat* format,
                                       const Gdiplus::Font* font);
// `sourceRect` null: the whole picture. Mode 0 fills `destination` cutting the overhang; 1 fits
// inside it, proportions kept, centred; 2 tiles it; 3 1:1 centred; other: stretched.
KOVA_IMAGING_API void Gdiplus_DrawBitmap(Gdiplus::Graphics* g, const RECT* destination,
                                         Gdiplus::Bitmap* source, const RECT* sourceRect, int mode);
// With alpha / 256 opacity; stretched, or 1:1 from the source's corner centred in `destination`.
KOVA_IMAGING_API void Gdiplus_DrawAlphaBitmap(Gdiplus::Graphics* g, const RECT* destination,
                                              Gdiplus::Bitmap* source, const RECT* sourceRect, int stretch,
                                              BYTE alpha);
KOVA_IMAGING_API void Gdiplus_FillRect(Gdiplus::Graphics* g, const RECT* rect, const Gdiplus::Brush* brush);
KOVA_IMAGING_API void Gdiplus_FillPolygon(Gdiplus::Graphics* g, const POINT* points, int count,
                                          const Gdiplus::Brush* brush);
// A pen of that width at (left, top), its width and height the rectangle's less the pen width.
KOVA_IMAGING_API void Gdiplus_DrawRect(Gdiplus::Graphics* g, const RECT* rect, Gdiplus::ARGB color,
                                       float penWidth);
