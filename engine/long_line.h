#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class LineReader;
class OutputWriter;

// A name longer than this, without its spaces, is not captured in modern
// mode; the line it stands on passes all the same.
inline constexpr std::size_t kLongestName = 4096;

// A line of more than 97 bytes in modern mode. It is read and written in
// parts, so that memory stays bounded whatever its length; what is kept is
// its first kLongestName bytes without spaces, for the comparisons.
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

    // The kept text; overflow() when the line is longer than any name kept.
    std::string_view text() const { return text_; }
    // Its first bytes, as many as a line in currentLine may hold, followed by
    // readable bytes as a line of the reader is.
    std::string_view comparedPart() const;
    bool overflow() const { return overflow_; }

    // Writes what was held back, or only the line break when the bytes went
    // out as they were read.
    void Echo(OutputWriter& output);

private:
    struct HeldByte {
        std::uint64_t spacesBefore;
        char byte;
    };

    void Take(std::string_view piece, OutputWriter& output);
    void WriteHeld(OutputWriter& output);

    std::string text_;
    bool overflow_ = false;
    bool streaming_ = false;
    HeldByte held_[kLongestTrigger] = {};
    std::size_t heldCount_ = 0;
    std::uint64_t trailingSpaces_ = 0;
};
