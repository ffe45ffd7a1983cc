#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// A line as the stages compare it: at most 97 bytes, held in place so that
// no line ever allocates. Bytes are kept as they are, NUL included.
struct LineText {
    // A whole number of 8-byte words, so that words can be read up to the
    // end of any line.
    static constexpr std::size_t kCapacity = 104;

    // Lines up to this size are copied as one fixed-size block.
    static constexpr std::size_t kShort = 16;

    std::uint32_t size = 0;
    char bytes[kCapacity] = {};

    LineText() = default;
    LineText(const LineText& other) { *this = other; }
    // Copies only the bytes in use: a line is copied once per line read.
    LineText& operator=(const LineText& other) {
        size = other.size;
        if (size <= kShort) [[likely]] {
            std::memcpy(bytes, other.bytes, kShort);
        } else {
            std::memcpy(bytes, other.bytes, size);
        }
        return *this;
    }

    std::string_view view() const { return {bytes, size}; }

    void assign(std::string_view text) {
        size = static_cast<std::uint32_t>(text.size() < kCapacity ? text.size() : kCapacity);
        std::memcpy(bytes, text.data(), size);
    }
};

// Whole-string, case-sensitive equality; the length decides most lines
// before any byte is compared.
inline bool Is(const LineText& line, std::string_view text) {
    return line.size == text.size() && std::memcmp(line.bytes, text.data(), text.size()) == 0;
}

// The 8 bytes of a line from byte `at` on, those past its end cleared (the
// buffer keeps whatever a longer line left there).
inline std::uint64_t LineWord(const LineText& line, std::uint32_t at) {
    std::uint64_t word;
    std::memcpy(&word, line.bytes + at, sizeof word);
    const std::uint32_t left = line.size - at;
    if (left >= 8) return word;
    const int unused = 8 * static_cast<int>(8 - left);
    return std::endian::native == std::endian::little ? word & (~std::uint64_t{0} >> unused)
                                                      : word & (~std::uint64_t{0} << unused);
}

// A word at a time: layer names are compared on every lookup.
inline bool operator==(const LineText& a, const LineText& b) {
    if (a.size != b.size) return false;
    for (std::uint32_t at = 0; at < a.size; at += 8) {
        if (LineWord(a, at) != LineWord(b, at)) return false;
    }
    return true;
}

// A one-byte line such as a group code "0", "2", "6" or "8".
inline bool IsChar(const LineText& line, char c) {
    return line.size == 1 && line.bytes[0] == c;
}
