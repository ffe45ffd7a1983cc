#include "output_writer.h"

#include "file_ops.h"

namespace {
// One buffer filling while the other is written: writing one takes a
// fraction of the time filling it does, and a third buffer gained nothing
// but half a megabyte of memory.
constexpr std::size_t kBuffers = 2;
}  // namespace

void OutputWriter::Open(const FileOps& ops, int fd) {
    ops_ = &ops;
    fd_ = fd;
    failed_ = false;
    // Room behind the end for the fixed-size copy of a short line.
    blocks_.emplace(kBuffers, kBufferBytes + kShortLine);
    blocks_->TakeEmpty(current_);
    next_ = current_.bytes;
    limit_ = current_.bytes + kBufferBytes;
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
    // Only once the first buffer is full: a small output is written faster
    // in line than a thread starts.
    blocks_->StartThread([this] { WriteBlocks(); });
    HandOn();
}

void OutputWriter::HandOn() {
    current_.size = next_ - current_.bytes;
    if (blocks_->hasThread()) {
        blocks_->PutFull(current_);
        blocks_->TakeEmpty(current_);
    } else {
        WriteBlock(current_);
    }
    next_ = current_.bytes;
    limit_ = current_.bytes + kBufferBytes;
}

void OutputWriter::WriteBlock(const BlockChannel::Block& block) {
    const char* done = block.bytes;
    const char* end = block.bytes + block.size;
    while (!failed() && done < end) {
        const long n = ops_->write(fd_, done, static_cast<std::size_t>(end - done));
        if (n <= 0) {
            failed_.store(true, std::memory_order_relaxed);
        } else {
            done += n;
        }
    }
}

void OutputWriter::WriteBlocks() {
    BlockChannel::Block block;
    while (blocks_->TakeFull(block)) {
        WriteBlock(block);
        blocks_->PutEmpty(block);
    }
}

void OutputWriter::WaitForWrites() {
    if (blocks_->hasThread()) blocks_->WaitUntilConsumed();
}

bool OutputWriter::WriteOut() {
    if (next_ != current_.bytes) HandOn();
    WaitForWrites();
    return !failed();
}

bool OutputWriter::Close() {
    WaitForWrites();
    const bool wasFailed = failed();
    if (next_ != current_.bytes) HandOn();
    blocks_->StopThread();
    const bool flushed = wasFailed || !failed();
    const int fd = fd_;
    fd_ = -1;
    blocks_.reset();
    next_ = limit_ = nullptr;
    return (ops_->close(fd) == 0) && flushed;
}
