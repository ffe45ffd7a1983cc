#include "line_reader.h"

#include <cstring>

#include "file_ops.h"

namespace {
// Enough bytes to decide any line: 98 stored bytes, or 97 and a CR LF.
constexpr std::size_t kDecisionWindow = LineReader::kMaxLineBytes + 2;
constexpr char kStopByte = 0x1A;
}  // namespace

void LineReader::Open(const FileOps& ops, int fd) {
    ops_ = &ops;
    fd_ = fd;
    buffer_ = std::make_unique<char[]>(kBlockBytes);
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
    if (stopByteSeen_) return;
    const void* stop = std::memchr(buffer_.get() + from, kStopByte, filled_ - from);
    if (stop != nullptr) {
        stopByteSeen_ = true;
        end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - buffer_.get());
    } else {
        end_ = filled_;
    }
}

// Moves the unfinished line (fewer than kDecisionWindow bytes) to the front.
void LineReader::Compact() {
    const std::size_t rest = filled_ - pos_;
    std::memmove(buffer_.get(), buffer_.get() + pos_, rest);
    end_ -= pos_;
    filled_ = rest;
    pos_ = 0;
}

bool LineReader::StartsWith(std::string_view prefix) {
    while (filled_ < prefix.size() && !fileEnded_) ReadMore();
    return filled_ >= prefix.size() && std::memcmp(buffer_.get(), prefix.data(), prefix.size()) == 0;
}

LineReader::Status LineReader::ReadLine(std::string_view& line) {
    for (;;) {
        const char* start = buffer_.get() + pos_;
        const std::size_t available = end_ - pos_;
        const std::size_t window = available < kDecisionWindow ? available : kDecisionWindow;
        const void* lf = std::memchr(start, '\n', window);
        if (lf != nullptr) {
            const std::size_t breakAt = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
            std::size_t size = breakAt;
            if (size > 0 && start[size - 1] == '\r') --size;
            pos_ += breakAt + 1;
            line = std::string_view(start, size);
            return size > kMaxLineBytes ? Status::TooLong : Status::Line;
        }
        if (available >= kDecisionWindow) return Status::TooLong;
        if (atEnd()) {
            failed_ = readFailed_;
            if (available == 0) return Status::End;
            pos_ = end_;
            line = std::string_view(start, available);
            return available > kMaxLineBytes ? Status::TooLong : Status::LastLine;
        }
        Compact();
        ReadMore();
    }
}

bool LineReader::Close() {
    const int fd = fd_;
    fd_ = -1;
    buffer_.reset();
    return ops_->close(fd) == 0;
}
