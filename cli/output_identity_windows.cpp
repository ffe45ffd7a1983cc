#include <io.h>
#include <windows.h>

#include <atomic>

#include "output_identity.h"
#include "windows_paths.h"

namespace {

bool IdentityOf(HANDLE handle, OutputIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(handle, &info) == 0) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

// The path's wide form, made in one buffer by one removal at a time.
std::atomic_flag bufferTaken = ATOMIC_FLAG_INIT;
wchar_t widePath[kWidePathBufferSize];

HANDLE OpenForDeletion(const char* path) {
    while (bufferTaken.test_and_set()) {
    }
    const HANDLE handle =
        WidePathInto(path, widePath, kWidePathBufferSize)
            ? ::CreateFileW(widePath, DELETE | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)
            : INVALID_HANDLE_VALUE;
    bufferTaken.clear();
    return handle;
}

}  // namespace

bool IdentifyOutput(int fd, OutputIdentity& identity) {
    return IdentityOf(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), identity);
}

// The output was created with FILE_SHARE_DELETE, so it opens for deletion
// while its run still writes; the link itself, should one have taken the
// name, not what it points to.
void RemoveIfStill(const char* path, const OutputIdentity& identity) {
    const HANDLE handle = OpenForDeletion(path);
    if (handle == INVALID_HANDLE_VALUE) return;
    OutputIdentity found;
    if (IdentityOf(handle, found) && found.volume == identity.volume &&
        found.file == identity.file) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
    }
    ::CloseHandle(handle);
}

void HoldEndingSignals() {}
void ReleaseEndingSignals() {}

void PauseBriefly() {
    ::Sleep(1);
}

void WaitForTheEnd() {
    for (;;) ::Sleep(INFINITE);
}
