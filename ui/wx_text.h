#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

// Text crossing between the toolkit's strings and the engine's bytes: texts
// the user reads are UTF-8, paths and names are the file system's bytes
// (UTF-8 on Windows too, where the engine turns them into wide paths itself).

inline wxString FromUtf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

#ifdef __WXMSW__
inline std::string FileBytes(const wxString& text) {
    return text.utf8_string();
}

inline wxString FromFileBytes(const std::string& bytes) {
    return FromUtf8(bytes);
}
#else
inline std::string FileBytes(const wxString& text) {
    const wxScopedCharBuffer bytes = text.fn_str();
    return std::string(bytes.data(), bytes.length());
}

inline wxString FromFileBytes(const std::string& bytes) {
    return wxString(bytes.c_str(), wxConvFile);
}
#endif
