// What the file helpers need from the operating system.
#pragma once

namespace oshelp {
bool IsDirectory(const char* path);
bool MakeDirectory(const char* path);
} // namespace oshelp
