#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// A line as the stages compare it: at most 97 bytes, held in place so that
// no line ever allocates. Bytes are kept as they are, NUL included.
struct LineText {
    static constexpr std::size_t kCapacity = 100;

    // Lines up to this size are copied as one fixed-size block.
    static constexpr std::size_t kShort = 16;

    std::uint32_t size = 0;
    char bytes[kCapacity] = {};

    LineText() = default;
    LineText(const LineText& other) { *this = other; }
    // Copies only the bytes in use: a line is copied once per line read.
    LineText& operator=(const LineText& other) {
        size = other.size;
        if (size <= kShort) {
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

inline bool operator==(const LineText& a, const LineText& b) {
    return a.size == b.size && std::memcmp(a.bytes, b.bytes, a.size) == 0;
}

// A one-byte line such as a group code "0", "2", "6" or "8".
inline bool IsChar(const LineText& line, char c) {
    return line.size == 1 && line.bytes[0] == c;
}
