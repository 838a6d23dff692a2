// Memory inside the process that owns a window, for messages whose pointers the system does not
// carry across processes (the list view's item texts).
#pragma once
#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size, DWORD protection = PAGE_READWRITE);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* Address() const { return static_cast<char*>(memory_); }
    HANDLE Process() const { return process_; }
    void Write(size_t offset, const void* data, size_t size);
    void Read(size_t offset, void* data, size_t size);

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    size_t size_ = 0;
};

} // namespace e2e
