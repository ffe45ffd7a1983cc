#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

// Text crossing between the toolkit's strings and the engine's bytes: texts
// the user reads are UTF-8, paths and names are the file system's bytes.

inline wxString FromUtf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

inline std::string FileBytes(const wxString& text) {
    const wxScopedCharBuffer bytes = text.fn_str();
    return std::string(bytes.data(), bytes.length());
}

inline wxString FromFileBytes(const std::string& bytes) {
    return wxString(bytes.c_str(), wxConvFile);
}
