#include "output_writer.h"

#include "file_ops.h"

void OutputWriter::Open(const FileOps& ops, int fd) {
    ops_ = &ops;
    fd_ = fd;
    // Room behind the end for the fixed-size copy of a short line.
    buffer_ = std::make_unique<char[]>(kBufferBytes + kShortLine);
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
    while (kBufferBytes - used_ < bytes.size()) {
        const std::size_t room = kBufferBytes - used_;
        std::memcpy(buffer_.get() + used_, bytes.data(), room);
        used_ += room;
        bytes.remove_prefix(room);
        Flush();
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void OutputWriter::Flush() {
    std::size_t done = 0;
    while (!failed_ && done < used_) {
        const long n = ops_->write(fd_, buffer_.get() + done, used_ - done);
        if (n <= 0) {
            failed_ = true;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    used_ = 0;
}

bool OutputWriter::Close() {
    const bool wasFailed = failed_;
    Flush();
    const bool flushed = wasFailed || !failed_;
    const int fd = fd_;
    fd_ = -1;
    buffer_.reset();
    return (ops_->close(fd) == 0) && flushed;
}
