// File and path helpers. Narrow (A) paths are in the system code page on Windows and
// UTF-8 elsewhere; wide (W) ones are UTF-16 on Windows and UTF-32 elsewhere. Output buffers
// hold `outSize` characters including the terminator; a result that does not fit fails
// and leaves an empty string.
#pragma once

#include "win_types.h"

#include <cstdint>
#include <cstdio>

#ifdef _WIN32
#define KOVA_PATH_SEPARATOR '\\'
#else
#define KOVA_PATH_SEPARATOR '/'
#endif

// The folder holding the program file of `processId` (0: this process), without a
// trailing separator.
BOOL GetProgramPathA(DWORD processId, char* out, int outSize = MAX_PATH);

// folder + separator + name (no doubled separator).
BOOL CombinePathNameA(char* out, const char* folder, const char* name, int outSize = MAX_PATH);

// Creates the folder and every missing parent; TRUE when it exists afterwards.
BOOL RecursiveCreateDirectoryA(const char* path);

// prefix + "YYYYMMDD_HHMMSS" (+ "_mmm" when `withMilliseconds`) + suffix + extension,
// from the local time (UTC when `utc`). `extension` includes its dot; `reserved` is 0.
BOOL GetFileNameByDateA(char* out, const char* extension, const char* prefix, const char* suffix, int utc,
                        int withMilliseconds, int reserved, int outSize = MAX_PATH);
BOOL GetFileNameByDateW(wchar_t* out, const wchar_t* extension, const wchar_t* prefix, const wchar_t* suffix,
                        int utc, int withMilliseconds, int reserved, int outSize = MAX_PATH);

// Reads a whole file into a new block (one zero byte is added after the data, not counted)
// and returns its size. On failure, or for an empty file, returns 0 with *data null.
int64_t ReadFileDataA(const char* path, unsigned char** data);
void ReleaseFileData(unsigned char* data);

// The file version of a program file's version resource as "a.b.c.d". FALSE (and an empty
// text) when the file has none, which is always the case outside Windows.
BOOL GetFileVersionW(const wchar_t* path, wchar_t* out, int outSize);

// The extension of the last path component without its dot ("" when there is none).
// Returns whether there was one.
BOOL GetFileExtNameA(const char* path, char* out, int outSize);
BOOL GetFileExtNameW(const wchar_t* path, wchar_t* out, int outSize);

// Whether a file (not a folder) exists at `path`.
BOOL IsFileExistW(const wchar_t* path);

// fopen that keeps other writers out for as long as the file is open, where the system can
// (Windows share modes); a plain fopen elsewhere.
std::FILE* OpenFileDenyWrite(const char* path, const char* mode);
