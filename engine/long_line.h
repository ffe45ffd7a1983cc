#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "line_text.h"

class LineReader;
class OutputWriter;

// A name longer than this, without the spaces at its ends, is not captured
// in modern mode; the line it stands on passes all the same.
inline constexpr std::size_t kLongestName = 4096;

// Bytes kept from a long line, followed by readable bytes for the
// fixed-size reads of a short line (RemoveSpaces, the writer's copies).
template <std::size_t kCapacity>
class Kept {
public:
    std::string_view view() const { return {bytes_, size_}; }
    std::size_t size() const { return size_; }
    bool full() const { return size_ == kCapacity; }
    void clear() { size_ = 0; }
    void push_back(char c) { bytes_[size_++] = c; }

private:
    char bytes_[kCapacity + LineText::kShort] = {};
    std::size_t size_ = 0;
};

// A line of more than 97 bytes in modern mode. It is read and written in
// parts, so that memory stays bounded whatever its length. What is kept:
// its first bytes without spaces, as many as the stages compare, and its
// text without the spaces at either end, up to kLongestName bytes, as a name.
//
// A stage writes in front of a line only when that line is a group code of
// at most kLongestTrigger bytes ("0", "100", "1001"). While the line has no
// more bytes than that besides spaces, it is held back (its spaces as
// counts), so that such a line still follows what a stage writes before it;
// past that, its bytes go to the output as they are read.
class LongLine {
public:
    static constexpr std::size_t kLongestTrigger = 4;

    // Reads the line whose start the reader gave: the whole line when
    // `whole` is not empty, else from the reader's position on.
    void Read(LineReader& reader, std::string_view whole, OutputWriter& output);

    // The line as a name; overflow() when it is longer than any name kept.
    std::string_view name() const { return name_.view(); }
    bool overflow() const { return overflow_; }
    // Its first bytes without spaces, as many as currentLine holds.
    std::string_view comparedPart() const { return compared_.view(); }

    // Writes what was held back, or only the line break when the bytes went
    // out as they were read.
    void Echo(OutputWriter& output);

private:
    struct HeldByte {
        std::uint64_t spacesBefore;
        char byte;
    };

    void Take(std::string_view piece, OutputWriter& output);
    void Keep(char c);
    void WriteHeld(OutputWriter& output);

    Kept<LineText::kCapacity> compared_;
    Kept<kLongestName> name_;
    std::uint64_t innerSpaces_ = 0;  // spaces after the name's last byte so far
    bool overflow_ = false;
    bool streaming_ = false;
    HeldByte held_[kLongestTrigger] = {};
    std::size_t heldCount_ = 0;
    std::uint64_t trailingSpaces_ = 0;
};
