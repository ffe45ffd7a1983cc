#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <climits>
#include <cstdint>

#include "file_ops.h"
#include "windows_paths.h"

namespace {

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// A C runtime descriptor that owns handle, in binary mode: the engine keeps
// its own text rules (CR LF, 0x1A), byte for byte as on Linux.
int DescriptorOf(HANDLE handle, int mode) {
    const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(handle), mode | _O_BINARY);
    if (fd < 0) ::CloseHandle(handle);
    return fd;
}

bool IsRegularFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(handle) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(handle, &info) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opening never blocks: a directory fails to open without backup semantics,
// and a device, console or pipe opens at once and is refused by its type.
// The source is shared as the C runtime's fopen shares a file, and for
// deleting too: a drawing a CAD program holds open for writing is read all
// the same.
int OpenRegularFileForReading(const char* path) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    const HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    if (!IsRegularFile(handle)) {
        ::CloseHandle(handle);
        return -1;
    }
    return DescriptorOf(handle, _O_RDONLY);
}

// CREATE_NEW fails on any name that is taken, a link included, in the same
// call that creates: nothing can be planted in between. Removal at an
// abnormal end opens the file again to delete it. The path's wide form lies
// on the stack: the command creates its outputs where nothing may allocate.
// A name Windows takes for a device would open the device: it is refused.
int CreateNewFile(const char* path) {
    if (NamesADevice(path)) return -1;
    wchar_t wide[kWidePathBufferSize];
    if (!WidePathInto(path, wide, kWidePathBufferSize)) return -1;
    const HANDLE handle =
        ::CreateFileW(wide, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    return DescriptorOf(handle, _O_WRONLY);
}

long ReadFromFile(int fd, void* buffer, std::size_t size) {
    DWORD read = 0;
    const DWORD wanted = size > INT_MAX ? INT_MAX : static_cast<DWORD>(size);
    if (::ReadFile(HandleOf(fd), buffer, wanted, &read, nullptr) == 0) return -1;
    return static_cast<long>(read);
}

long WriteToFile(int fd, const void* buffer, std::size_t size) {
    DWORD written = 0;
    const DWORD wanted = size > INT_MAX ? INT_MAX : static_cast<DWORD>(size);
    if (::WriteFile(HandleOf(fd), buffer, wanted, &written, nullptr) == 0) return -1;
    return static_cast<long>(written);
}

bool PathExists(const char* path) {
    const std::wstring wide = WidePath(path);
    return !wide.empty() && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The attributes of a link or other reparse point are its own: a dangling
// link counts as taken. A device is no file that could be taken: creating
// it fails instead.
bool PathOrLinkExists(const char* path) {
    if (NamesADevice(path)) return false;
    const std::wstring wide = WidePath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return !wide.empty() && ::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) != 0;
}

}  // namespace

FileOps SystemFileOps() {
    return FileOps{
        PathExists,   PathOrLinkExists, OpenRegularFileForReading,          CreateNewFile,
        ReadFromFile, WriteToFile,      [](int fd) { return ::_close(fd); }};
}

int OpenNullDevice() {
    return ::_open("NUL", _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}
