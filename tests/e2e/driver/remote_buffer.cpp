// Memory inside the process that owns a window.
#include "remote_buffer.h"

#include "driver.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HWND owner, size_t size, DWORD protection) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_CREATE_THREAD |
                               PROCESS_QUERY_INFORMATION,
                           FALSE, pid);
    if (process_ == nullptr)
        Fail("cannot open the program's process");
    memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, protection);
    if (memory_ == nullptr)
        Fail("cannot allocate memory in the program's process");
}

RemoteBuffer::~RemoteBuffer() {
    if (memory_ != nullptr)
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_ != nullptr)
        CloseHandle(process_);
}

void RemoteBuffer::Write(size_t offset, const void* data, size_t size) {
    SIZE_T written = 0;
    if (offset + size > size_ || !WriteProcessMemory(process_, Address() + offset, data, size, &written) ||
        written != size)
        Fail("cannot write into the program's process");
}

void RemoteBuffer::Read(size_t offset, void* data, size_t size) {
    SIZE_T read = 0;
    if (offset + size > size_ || !ReadProcessMemory(process_, Address() + offset, data, size, &read) ||
        read != size)
        Fail("cannot read from the program's process");
}

} // namespace e2e
