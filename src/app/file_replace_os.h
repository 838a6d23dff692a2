// What ReplaceFileContents needs from the operating system; one implementation per system.
#pragma once

#include <cstdio>

namespace replaceos {
// False only when `path` exists and this process may not write it.
bool MayReplace(const char* path);
// Writes the stream's buffer and asks the system to put the file's data on the disk.
bool FlushToDisk(std::FILE* file);
// Moves `temporary` over `path` in one step, the old file's permissions kept.
bool MoveOver(const char* temporary, const char* path);
bool EntryExists(const char* path);
} // namespace replaceos
