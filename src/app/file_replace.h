// Writing a file anew without ever leaving a cut one: the new contents go to a temporary file
// beside it, which takes the old file's place only once it has been written, flushed to disk
// and closed without an error.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// The temporary file that a replacement of `path` writes first: in the same folder, so the
// final rename stays on one volume, and named after this process, so two running copies of
// the program never write into the same one.
std::string ReplacementTempPath(const char* path);

// Writes `path` through `write`, which fills the open temporary file and returns whether it
// wrote everything. The temporary replaces `path` only when `write` returned true and
// the temporary was flushed and closed without an error; otherwise, and when the replacing
// itself fails, `path` is left exactly as it was and the temporary is removed. An existing
// `path` that may not be written (read-only) is left alone too. Returns whether `path` now
// holds what `write` wrote.
bool ReplaceFileContents(const char* path, const std::function<bool(std::FILE*)>& write);

// Whether anything at all is at `path` (a file, a folder, a link, even one that leads
// nowhere); true as well when the system cannot tell, so that a caller does not take
// something it cannot see for nothing.
bool PathEntryExists(const char* path);
