#include "line_reader.h"

#include <cstring>

#include "file_ops.h"
#include "message_sink.h"

namespace {
// Enough bytes to decide any line: 98 stored bytes, or 97 and a CR LF.
constexpr std::size_t kDecisionWindow = LineReader::kMaxLineBytes + 2;
constexpr std::size_t kMaskBytes = 64;
constexpr char kStopByte = 0x1A;
}  // namespace

void LineReader::Open(const FileOps& ops, int fd, MessageSink& progress) {
    ops_ = &ops;
    progress_ = &progress;
    fd_ = fd;
    // Zeroed, so that the padding and whatever a mask reads behind the data
    // is defined.
    buffer_ = std::make_unique<char[]>(kBlockBytes + kPadding);
}

void LineReader::ReadMore() {
    const long n = ops_->read(fd_, buffer_.get() + filled_, kBlockBytes - filled_);
    if (n <= 0) {
        fileEnded_ = true;
        // Past a 0x1A the input has ended anyway.
        readFailed_ = n < 0 && !stopByteSeen_;
        return;
    }
    const std::size_t from = filled_;
    filled_ += static_cast<std::size_t>(n);
    bytesRead_ += static_cast<std::uint64_t>(n);
    progress_->ReportProgress(bytesRead_);
    if (stopByteSeen_) return;
    const void* stop = std::memchr(buffer_.get() + from, kStopByte, filled_ - from);
    if (stop != nullptr) {
        stopByteSeen_ = true;
        end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - buffer_.get());
    } else {
        end_ = filled_;
    }
}

// Moves the unfinished line (fewer than kDecisionWindow bytes, none of them
// a line break) to the front.
void LineReader::Compact() {
    const std::size_t rest = filled_ - pos_;
    std::memmove(buffer_.get(), buffer_.get() + pos_, rest);
    end_ -= pos_;
    filled_ = rest;
    pos_ = 0;
}

// The line breaks in the 64 bytes from base, from pos_ up to end_.
void LineReader::LoadMask(std::size_t base) {
    maskBase_ = base;
    std::uint64_t mask = ByteMask64(buffer_.get() + base, '\n');
    if (pos_ > base) mask &= ~std::uint64_t{0} << (pos_ - base);
    if (end_ - base < kMaskBytes) mask &= (std::uint64_t{1} << (end_ - base)) - 1;
    breaks_ = mask;
}

bool LineReader::StartsWith(std::string_view prefix) {
    while (filled_ < prefix.size() && !fileEnded_) ReadMore();
    LoadMask(0);
    return filled_ >= prefix.size() &&
           std::memcmp(buffer_.get(), prefix.data(), prefix.size()) == 0;
}

// No line break is left in the current mask: look further, reading more
// when the buffer is used up.
LineReader::Status LineReader::ReadLineSlowly(std::string_view& line) {
    for (;;) {
        std::size_t next = maskBase_ + kMaskBytes;
        if (next > end_) next = end_;
        if (next - pos_ >= kDecisionWindow) return Status::TooLong;
        if (next < end_) {
            LoadMask(next);
        } else if (atEnd()) {
            failed_ = readFailed_;
            const std::size_t available = end_ - pos_;
            if (available == 0) return Status::End;
            line = std::string_view(buffer_.get() + pos_, available);
            pos_ = end_;
            maskBase_ = end_;
            return available > kMaxLineBytes ? Status::TooLong : Status::LastLine;
        } else {
            Compact();
            ReadMore();
            LoadMask(0);
        }
        if (breaks_ != 0) {
            const std::size_t lineBreak =
                maskBase_ + static_cast<std::size_t>(std::countr_zero(breaks_));
            breaks_ &= breaks_ - 1;
            return TakeLine(lineBreak, line);
        }
    }
}

bool LineReader::Close() {
    const int fd = fd_;
    fd_ = -1;
    buffer_.reset();
    return ops_->close(fd) == 0;
}
