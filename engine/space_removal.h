#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "byte_masks.h"
#include "line_text.h"

// currentLine is the line as read without its space bytes; every other byte
// (tab, the full-width space, NUL) stays. Most lines are short, with spaces
// only in front (right-aligned group codes): those move as one 16-byte
// block, which needs 16 readable bytes behind the line (the reader's
// padding).
inline void RemoveSpaces(std::string_view rawLine, LineText& currentLine) {
    constexpr std::size_t kShort = LineText::kShort;
    if (rawLine.size() <= kShort) [[likely]] {
        const std::uint32_t inLine = (std::uint32_t{1} << rawLine.size()) - 1;
        const std::uint32_t spaces = ByteMask16(rawLine.data(), ' ') & inLine;
        const int leading = std::countr_one(spaces);
        if ((spaces >> leading) == 0) [[likely]] {
            std::memcpy(currentLine.bytes, rawLine.data() + leading, kShort);
            currentLine.size =
                static_cast<std::uint32_t>(rawLine.size()) - static_cast<std::uint32_t>(leading);
            return;
        }
    }
    std::uint32_t size = 0;
    for (const char c : rawLine) {
        currentLine.bytes[size] = c;
        size += c != ' ' ? 1 : 0;
    }
    currentLine.size = size;
}
