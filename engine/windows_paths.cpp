#include "windows_paths.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "output_path.h"

namespace {

constexpr std::wstring_view kLocalPrefix = L"\\\\?\\";
constexpr std::wstring_view kSharePrefix = L"\\\\?\\UNC\\";

bool StartsWith(const wchar_t* text, std::wstring_view prefix) {
    return std::wcsncmp(text, prefix.data(), prefix.size()) == 0;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != upper[i]) return false;
    }
    return true;
}

}  // namespace

bool NamesADevice(std::string_view path) {
    // The device is named by what stands before the first dot or colon,
    // without the spaces at its end.
    std::string_view name = path.substr(FolderPartLength(path));
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);

    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (EqualsIgnoringCase(name, device)) return true;
    }
    if (name.size() < 4 || !(EqualsIgnoringCase(name.substr(0, 3), "COM") ||
                             EqualsIgnoringCase(name.substr(0, 3), "LPT"))) {
        return false;
    }
    const std::string_view number = name.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

std::wstring Utf16Of(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                          size);
    return text;
}

std::string Utf8Of(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(),
                          size, nullptr, nullptr);
    return text;
}

bool WidePathInto(const char* path, wchar_t* buffer, std::size_t capacity) {
    if (capacity < kWidePathBufferSize) return false;
    // The path as given, in the upper half; its full form in the lower.
    wchar_t* given = buffer + capacity / 2;
    const int givenSize = static_cast<int>(capacity - capacity / 2);
    if (*path == '\0' ||
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, given, givenSize) == 0) {
        return false;
    }
    if (StartsWith(given, kLocalPrefix) || StartsWith(given, L"\\\\.\\")) {
        std::wmemmove(buffer, given, std::wcslen(given) + 1);
        return true;
    }
    const DWORD room = static_cast<DWORD>(capacity / 2 - kSharePrefix.size());
    wchar_t* full = buffer + kSharePrefix.size();
    const DWORD length = ::GetFullPathNameW(given, room, full, nullptr);
    if (length == 0 || length >= room) return false;
    if (StartsWith(full, L"\\\\.\\")) {
        std::wmemmove(buffer, full, length + 1);
    } else if (StartsWith(full, L"\\\\")) {
        // \\server\share\... becomes \\?\UNC\server\share\...
        std::wmemmove(buffer + kSharePrefix.size() - 2, full, length + 1);
        std::wmemcpy(buffer, kSharePrefix.data(), kSharePrefix.size());
    } else {
        std::wmemmove(buffer + kLocalPrefix.size(), full, length + 1);
        std::wmemcpy(buffer, kLocalPrefix.data(), kLocalPrefix.size());
    }
    return true;
}

std::wstring WidePath(const char* path) {
    std::vector<wchar_t> buffer(kWidePathBufferSize);
    if (!WidePathInto(path, buffer.data(), buffer.size())) return {};
    return buffer.data();
}
