#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Paths and texts cross the Win32 API in UTF-16; inside the program they are
// UTF-8, as on Linux.

std::wstring Utf16Of(std::string_view utf8);
std::string Utf8Of(std::wstring_view utf16);

// The form of a UTF-8 path that the wide Win32 calls take at any length: the
// full path behind \\?\ (\\?\UNC\ for a share), where no 260-character limit
// applies. Device paths (\\.\ and the reserved names such as CON or NUL,
// which the full path turns into \\.\CON) stay as they are. Written into
// buffer without allocating; false where the path does not fit or is not
// valid UTF-8.
bool WidePathInto(const char* path, wchar_t* buffer, std::size_t capacity);

// The same, allocated; empty where the path cannot be converted.
std::wstring WidePath(const char* path);

// Whether Windows takes the path's last part for a device, whatever folder
// it names: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 (also with the
// digits ¹ ² ³), CONIN$ and CONOUT$, in any case, with any extension and any
// trailing dots or spaces. Writing to such a name reaches the device, not a
// file.
bool NamesADevice(std::string_view path);

// The buffer WidePathInto needs: room for any path the wide calls take,
// twice (the path as given, and its full form).
inline constexpr std::size_t kWidePathBufferSize = 2 * (32768 + 8);
