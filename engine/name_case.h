#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Layer and linetype names as modern mode compares them: their spaces at
// either end left out, inner spaces kept, ASCII letters in either case alike.

// Drawings are Shift-JIS: a lead byte starts a two-byte character, whose
// second byte may have the value of a letter without being one.
inline bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The name with its ASCII letters in upper case, into folded.
inline void FoldCase(std::string_view name, std::string& folded) {
    folded.assign(name);
    for (std::size_t at = 0; at < folded.size(); ++at) {
        const auto byte = static_cast<unsigned char>(folded[at]);
        if (IsShiftJisLeadByte(byte)) {
            ++at;
        } else if (byte >= 'a' && byte <= 'z') {
            folded[at] = static_cast<char>(byte - 'a' + 'A');
        }
    }
}

// The text without the spaces at its start and end.
inline std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
