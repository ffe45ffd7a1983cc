#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "block_channel.h"
#include "byte_masks.h"
#include "io_block_bytes.h"

struct FileOps;
class MessageSink;

// Reads the source in large blocks and hands out one line at a time, with
// the text-mode rules of the drawings' home platform: a CR LF pair is one
// line break, a lone CR is an ordinary byte, and a byte 0x1A ends the input.
//
// Line breaks are found 64 bytes at a time as a bit mask, so that a line
// costs a few instructions and no call, however short it is. Past the first
// block, a thread of its own reads the blocks ahead while the lines are
// converted.
class LineReader {
public:
    // A processed line holds at most this many bytes before its line break.
    static constexpr std::size_t kMaxLineBytes = 97;
    static constexpr std::size_t kBlockBytes = kIoBlockBytes;
    // Readable bytes behind the data, so that masks and short copies may
    // read past a line's end.
    static constexpr std::size_t kPadding = 128;

    enum class Status {
        Line,      // a line that ended with a line break
        LastLine,  // the last line, without a line break
        End,       // no further line
        TooLong,   // 98 bytes or more before the line break: the whole line
                   // when it is in the buffer already, else an empty one
    };

    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    // The reading thread goes through blocks_: it must end while they stand.
    ~LineReader() {
        if (blocks_) blocks_->StopThread();
    }

    // Every block read is reported to the sink's ReportProgress.
    void Open(const FileOps& ops, int fd, MessageSink& progress);
    bool isOpen() const { return fd_ >= 0; }

    // The next line, without its line break; valid until the next call, and
    // followed by at least kPadding readable bytes.
    Status ReadLine(std::string_view& line) {
        if (nextSplit_ != splitEnd_) [[likely]] {
            const unsigned split = *nextSplit_++;
            const unsigned bytes = split & kSplitBytes;
            const unsigned carriageReturn = (split & kSplitCarriageReturn) != 0 ? 1 : 0;
            line = std::string_view(buffer_ + pos_, bytes - 1 - carriageReturn);
            pos_ += bytes;
            return Status::Line;
        }
        if (breaks_ == 0) [[unlikely]] {
            return ReadLineSlowly(line);
        }
        const std::size_t lineBreak =
            maskBase_ + static_cast<std::size_t>(std::countr_zero(breaks_));
        breaks_ &= breaks_ - 1;
        return TakeLine(lineBreak, line);
    }

    // The lines from here on that ReadLine would hand out one by one as
    // lines split in advance, each ending in CR LF and let by runLine (a
    // bool of the line without its line break, with kPadding readable bytes
    // behind it), as many as fit in `room` bytes: their bytes, line breaks
    // included, and their number, 0 when the next line is none of them.
    template <class RunLine>
    std::size_t PassRun(std::string_view& bytes, std::size_t room, RunLine runLine) {
        const char* const start = buffer_ + pos_;
        const unsigned char* split = nextSplit_;
        std::size_t size = 0;
        for (; split != splitEnd_; ++split) {
            const unsigned entry = *split;
            const std::size_t lineBytes = entry & kSplitBytes;
            const bool carriageReturn = (entry & kSplitCarriageReturn) != 0;
            const std::string_view line(start + size, lineBytes - 1 - carriageReturn);
            // One branch for the three tests: where a run ends is the data's.
            if (!(carriageReturn & (size + lineBytes <= room) & runLine(line))) break;
            size += lineBytes;
        }
        bytes = std::string_view(start, size);
        pos_ += size;
        const auto lines = static_cast<std::size_t>(split - nextSplit_);
        nextSplit_ = split;
        return lines;
    }

    // The line that ReadLine gave as too long and empty, in parts: each
    // piece is valid until the next call; true with the last one, which
    // ends before the line break or at the end of the input.
    bool ReadPiece(std::string_view& piece);

    // Passes over the first bytes of the file, which no line then holds.
    // Call before the first ReadLine, once StartsWith has found them.
    void SkipStart(std::size_t bytes) {
        pos_ += bytes;
        SearchFromPosition();
    }

    // Whether the file starts with these bytes, read as they are (the 0x1A
    // rule does not apply). Call before the first ReadLine.
    bool StartsWith(std::string_view prefix);

    // Set once a line has met a failed read; the input then ends where it
    // failed. A failure met by reading ahead shows only when a line reaches
    // it, so the lines read whole before it are still handed out.
    bool failed() const { return failed_; }
    std::uint64_t bytesRead() const { return bytesRead_; }

    // Closes the file; false when closing failed.
    bool Close();

private:
    // A line of a block split in advance is one byte: its length up to and
    // with the LF, and 0x80 when a CR stands before the LF. Only lines whole
    // in the block and no longer than allowed are split so; the rest of a
    // block is searched for line breaks as it comes.
    static constexpr unsigned kSplitBytes = 0x7F;
    static constexpr unsigned kSplitCarriageReturn = 0x80;

    Status TakeLine(std::size_t lineBreak, std::string_view& line) {
        const char* start = buffer_ + pos_;
        std::size_t size = lineBreak - pos_;
        pos_ = lineBreak + 1;
        if (size > 0 && start[size - 1] == '\r') --size;
        line = std::string_view(start, size);
        if (size > kMaxLineBytes) [[unlikely]] {
            return Status::TooLong;
        }
        return Status::Line;
    }
    Status ReadLineSlowly(std::string_view& line);
    // After a line read in pieces: line breaks are looked for from pos_ on.
    void SearchFromPosition();
    bool atEnd() const { return fileEnded_ || stopByteSeen_; }
    void ReadMore();
    void LoadMask(std::size_t base);
    void ReadBlock(BlockChannel::Block& block);
    // The split byte of a line of these bytes, its LF included; false when
    // the line is too long to be split so.
    static bool SplitEntry(std::size_t bytes, bool carriageReturn, unsigned char& entry);
    static void SplitBlock(BlockChannel::Block& block);
    void UseSplitLines(const BlockChannel::Block& block, std::size_t rest);
    long ReadAhead();
    void ReadBlocks();

    const FileOps* ops_ = nullptr;
    MessageSink* progress_ = nullptr;
    int fd_ = -1;
    std::optional<BlockChannel> blocks_;
    BlockChannel::Block current_;  // the block the lines come from
    char* buffer_ = nullptr;       // current_'s storage; positions count from it
    std::size_t pos_ = 0;          // start of the next line
    std::size_t end_ = 0;          // end of the input's bytes in the buffer
    std::size_t filled_ = 0;       // bytes in the buffer, past a 0x1A included
    std::size_t maskBase_ = 0;     // the 64 bytes that breaks_ describes
    std::uint64_t breaks_ = 0;     // line breaks at or after pos_ in them
    // The lines split in advance that are still to come; past them, the
    // line breaks are looked for here.
    const unsigned char* nextSplit_ = nullptr;
    const unsigned char* splitEnd_ = nullptr;
    std::uint64_t bytesRead_ = 0;
    bool fileEnded_ = false;
    bool stopByteSeen_ = false;
    bool readFailed_ = false;
    bool failed_ = false;
};
