#pragma once

#include <cstddef>
#include <string_view>

// Layer and linetype names as modern mode compares them: their spaces at
// either end left out, inner spaces kept, ASCII letters in either case alike.

// Drawings are Shift-JIS: a lead byte starts a two-byte character, whose
// second byte may have the value of a letter without being one.
inline bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Writes the name with its ASCII letters in upper case to out, which holds
// as many bytes.
inline void FoldCase(std::string_view name, char* out) {
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto byte = static_cast<unsigned char>(name[at]);
        const bool lower = static_cast<unsigned char>(byte - 'a') < 26;
        out[at] = static_cast<char>(lower ? byte - 'a' + 'A' : byte);
        // ASCII bytes, nearly all of them, are told apart by one test.
        if (byte > 0x80 && IsShiftJisLeadByte(byte) && at + 1 < name.size()) [[unlikely]] {
            ++at;
            out[at] = name[at];
        }
    }
}

// The text without the spaces at its start and end.
inline std::string_view TrimSpaces(std::string_view text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && text[first] == ' ') ++first;
    while (end > first && text[end - 1] == ' ') --end;
    return text.substr(first, end - first);
}
