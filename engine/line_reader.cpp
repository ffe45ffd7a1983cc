#include "line_reader.h"

#include <bit>
#include <cstring>

#include "file_ops.h"
#include "message_sink.h"

namespace {
// Enough bytes to decide any line: 98 stored bytes, or 97 and a CR LF.
constexpr std::size_t kDecisionWindow = LineReader::kMaxLineBytes + 2;
constexpr std::size_t kMaskBytes = 64;
constexpr char kStopByte = 0x1A;
// Room in front of a block's data for the unfinished line of the block
// before it.
constexpr std::size_t kHeadroom = 128;
static_assert(kDecisionWindow <= kHeadroom);
// One block being converted, one being read, and one read ahead for an
// uneven pace.
constexpr std::size_t kBlocks = 3;
// Behind a block's padding, one byte for every line split in advance; a
// block of shorter lines on average is split only so far.
constexpr std::size_t kSplitsAt = kHeadroom + LineReader::kBlockBytes + LineReader::kPadding;
constexpr std::size_t kMaxSplits = LineReader::kBlockBytes / 2;

unsigned char* Splits(const BlockChannel::Block& block) {
    return reinterpret_cast<unsigned char*>(block.bytes + kSplitsAt);
}
}  // namespace

void LineReader::Open(const FileOps& ops, int fd, MessageSink& progress) {
    ops_ = &ops;
    progress_ = &progress;
    fd_ = fd;
    blocks_.emplace(kBlocks, kSplitsAt + kMaxSplits);
}

void LineReader::ReadBlock(BlockChannel::Block& block) {
    char* data = block.bytes + kHeadroom;
    block.size = ops_->read(fd_, data, kBlockBytes);
    // Whatever a mask or a short copy reads behind the data is defined.
    std::memset(data + (block.size > 0 ? block.size : 0), 0, kPadding);
    const void* stop = block.size > 0
                           ? std::memchr(data, kStopByte, static_cast<std::size_t>(block.size))
                           : nullptr;
    block.stop = stop == nullptr ? -1 : static_cast<const char*>(stop) - data;
    SplitBlock(block);
}

bool LineReader::SplitEntry(std::size_t bytes, bool carriageReturn, unsigned char& entry) {
    if (bytes - 1 - carriageReturn > kMaxLineBytes) return false;
    entry = static_cast<unsigned char>(bytes | (carriageReturn ? kSplitCarriageReturn : 0));
    return true;
}

// Splits the block's lines up to the first that is too long, a 0x1A, or the
// end of its bytes. The first line may continue one of the block before,
// which the converting side amends.
void LineReader::SplitBlock(BlockChannel::Block& block) {
    const char* data = block.bytes + kHeadroom;
    const std::size_t end =
        block.size <= 0 ? 0 : static_cast<std::size_t>(block.stop >= 0 ? block.stop : block.size);
    unsigned char* const first = Splits(block);
    unsigned char* split = first;
    unsigned char* const last = first + kMaxSplits;
    std::size_t lineStart = 0;
    for (std::size_t base = 0; base < end && split != last; base += kMaskBytes) {
        std::uint64_t breaks = ByteMask64(data + base, '\n');
        if (end - base < kMaskBytes) breaks &= (std::uint64_t{1} << (end - base)) - 1;
        for (; breaks != 0 && split != last; breaks &= breaks - 1) {
            const std::size_t lineBreak = base + static_cast<std::size_t>(std::countr_zero(breaks));
            const bool carriageReturn = lineBreak > lineStart && data[lineBreak - 1] == '\r';
            if (!SplitEntry(lineBreak + 1 - lineStart, carriageReturn, *split)) {
                base = end;
                break;
            }
            ++split;
            lineStart = lineBreak + 1;
        }
    }
    block.lines = split - first;
    block.linesEnd = static_cast<long>(lineStart);
}

// Takes the block's split lines from pos_ on. The rest of the block before,
// in front of it, joins its first line, unless a line break is in the rest
// (the binary sentinel's look-ahead) or the joined line is too long: then
// the whole block is searched as it comes. Needs end_ of the block.
void LineReader::UseSplitLines(const BlockChannel::Block& block, std::size_t rest) {
    unsigned char* first = Splits(block);
    nextSplit_ = first;
    splitEnd_ = first + block.lines;
    std::size_t splitUpTo = kHeadroom + static_cast<std::size_t>(block.linesEnd);
    if (rest > 0 && block.lines > 0) {
        const std::size_t bytes = rest + (*first & kSplitBytes);
        const bool carriageReturn = buffer_[pos_ + bytes - 2] == '\r';
        if (std::memchr(buffer_ + pos_, '\n', rest) != nullptr ||
            !SplitEntry(bytes, carriageReturn, *first)) {
            splitEnd_ = nextSplit_;
        }
    }
    // Lines past a 0x1A met in a block before are no lines.
    if (splitUpTo > end_) splitEnd_ = nextSplit_;
    if (nextSplit_ == splitEnd_) splitUpTo = pos_;
    // The search for line breaks picks up where the split lines end: as if
    // the 64 bytes before had been searched (modulo 2^n; never read).
    maskBase_ = splitUpTo - kMaskBytes;
    breaks_ = 0;
}

// Reads one block into the channel; gives what the read returned, or 0 once
// the reader has closed.
long LineReader::ReadAhead() {
    BlockChannel::Block block;
    if (!blocks_->TakeEmpty(block)) return 0;
    ReadBlock(block);
    blocks_->PutFull(block);
    return block.size;
}

void LineReader::ReadBlocks() {
    while (ReadAhead() > 0) {
    }
}

// Goes on to the next block, with the unfinished line (fewer than
// kDecisionWindow bytes, none of them a line break) moved in front of it.
void LineReader::ReadMore() {
    // Only a source bigger than a block is read on a thread of its own: a
    // small one is read faster in line than a thread starts.
    if (!blocks_->hasThread() && ReadAhead() == static_cast<long>(kBlockBytes)) {
        blocks_->StartThread([this] { ReadBlocks(); });
    }
    BlockChannel::Block block;
    blocks_->TakeFull(block);
    const long n = block.size;
    if (n <= 0) {
        fileEnded_ = true;
        // Past a 0x1A the input has ended anyway.
        readFailed_ = n < 0 && !stopByteSeen_;
    }
    const std::size_t rest = filled_ - pos_;
    const std::size_t restEnd = end_ - pos_;
    char* data = block.bytes + kHeadroom;
    if (rest > 0) std::memcpy(data - rest, buffer_ + pos_, rest);
    if (buffer_ != nullptr) blocks_->PutEmpty(current_);
    current_ = block;
    buffer_ = block.bytes;
    pos_ = kHeadroom - rest;
    filled_ = kHeadroom + static_cast<std::size_t>(n > 0 ? n : 0);
    if (stopByteSeen_) {
        end_ = pos_ + restEnd;
    } else if (block.stop >= 0) {
        stopByteSeen_ = true;
        end_ = kHeadroom + static_cast<std::size_t>(block.stop);
    } else {
        end_ = filled_;
    }
    UseSplitLines(block, rest);
    if (n > 0) {
        bytesRead_ += static_cast<std::uint64_t>(n);
        progress_->ReportProgress(bytesRead_);
    }
}

// The line breaks in the 64 bytes from base, from pos_ up to end_.
void LineReader::LoadMask(std::size_t base) {
    maskBase_ = base;
    std::uint64_t mask = ByteMask64(buffer_ + base, '\n');
    if (pos_ > base) mask &= ~std::uint64_t{0} << (pos_ - base);
    if (end_ - base < kMaskBytes) mask &= (std::uint64_t{1} << (end_ - base)) - 1;
    breaks_ = mask;
}

bool LineReader::StartsWith(std::string_view prefix) {
    while (filled_ - pos_ < prefix.size() && !fileEnded_) ReadMore();
    return filled_ - pos_ >= prefix.size() &&
           std::memcmp(buffer_ + pos_, prefix.data(), prefix.size()) == 0;
}

// No line break is left in the current mask: look further, reading more
// when the block is used up.
LineReader::Status LineReader::ReadLineSlowly(std::string_view& line) {
    for (;;) {
        std::size_t next = maskBase_ + kMaskBytes;
        if (next > end_) next = end_;
        if (next - pos_ >= kDecisionWindow) {
            line = {};
            return Status::TooLong;
        }
        if (next < end_) {
            LoadMask(next);
        } else if (atEnd()) {
            failed_ = readFailed_;
            const std::size_t available = end_ - pos_;
            if (available == 0) return Status::End;
            line = std::string_view(buffer_ + pos_, available);
            pos_ = end_;
            maskBase_ = end_;
            return available > kMaxLineBytes ? Status::TooLong : Status::LastLine;
        } else {
            ReadMore();
            if (nextSplit_ != splitEnd_) return ReadLine(line);
            continue;
        }
        if (breaks_ != 0) {
            const std::size_t lineBreak =
                maskBase_ + static_cast<std::size_t>(std::countr_zero(breaks_));
            breaks_ &= breaks_ - 1;
            return TakeLine(lineBreak, line);
        }
    }
}

void LineReader::SearchFromPosition() {
    // The lines split in advance may have started inside the line read.
    nextSplit_ = splitEnd_;
    maskBase_ = pos_ - kMaskBytes;
    breaks_ = 0;
}

bool LineReader::ReadPiece(std::string_view& piece) {
    for (;;) {
        const char* start = buffer_ + pos_;
        const std::size_t available = end_ - pos_;
        if (const void* found = std::memchr(start, '\n', available)) {
            const std::size_t lineBreak =
                static_cast<std::size_t>(static_cast<const char*>(found) - buffer_);
            std::size_t size = lineBreak - pos_;
            if (size > 0 && buffer_[lineBreak - 1] == '\r') --size;
            piece = std::string_view(start, size);
            pos_ = lineBreak + 1;
            SearchFromPosition();
            return true;
        }
        if (atEnd()) {
            failed_ = readFailed_;
            piece = std::string_view(start, available);
            pos_ = end_;
            SearchFromPosition();
            return true;
        }
        // A CR at the end may be the first half of a line break.
        const std::size_t kept = available > 0 && start[available - 1] == '\r' ? 1 : 0;
        if (available > kept) {
            piece = std::string_view(start, available - kept);
            pos_ = end_ - kept;
            return false;
        }
        ReadMore();
    }
}

bool LineReader::Close() {
    blocks_->StopThread();
    blocks_.reset();
    const int fd = fd_;
    fd_ = -1;
    buffer_ = nullptr;
    nextSplit_ = splitEnd_ = nullptr;
    return ops_->close(fd) == 0;
}
