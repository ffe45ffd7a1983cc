#include "output_writer.h"

#include "file_ops.h"

void OutputWriter::Open(const FileOps& ops, int fd) {
    ops_ = &ops;
    fd_ = fd;
    // Room behind the end for the fixed-size copy of a short line.
    buffer_ = std::make_unique<char[]>(kBufferBytes + kShortLine);
    next_ = buffer_.get();
    limit_ = buffer_.get() + kBufferBytes;
}

void OutputWriter::WriteText(std::string_view text) {
    for (;;) {
        const std::size_t lineBreak = text.find('\n');
        Append(text.substr(0, lineBreak));
        if (lineBreak == std::string_view::npos) return;
        Append("\r\n");
        text.remove_prefix(lineBreak + 1);
    }
}

void OutputWriter::Append(std::string_view bytes) {
    while (static_cast<std::size_t>(limit_ - next_) < bytes.size()) {
        const auto room = static_cast<std::size_t>(limit_ - next_);
        std::memcpy(next_, bytes.data(), room);
        next_ = limit_;
        bytes.remove_prefix(room);
        Flush();
    }
    std::memcpy(next_, bytes.data(), bytes.size());
    next_ += bytes.size();
}

void OutputWriter::Flush() {
    const char* done = buffer_.get();
    while (!failed_ && done < next_) {
        const long n = ops_->write(fd_, done, static_cast<std::size_t>(next_ - done));
        if (n <= 0) {
            failed_ = true;
        } else {
            done += n;
        }
    }
    next_ = buffer_.get();
}

bool OutputWriter::Close() {
    const bool wasFailed = failed_;
    Flush();
    const bool flushed = wasFailed || !failed_;
    const int fd = fd_;
    fd_ = -1;
    buffer_.reset();
    next_ = limit_ = nullptr;
    return (ops_->close(fd) == 0) && flushed;
}
