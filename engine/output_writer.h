#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>

#include "block_channel.h"
#include "io_block_bytes.h"

struct FileOps;

// Writes the output through large buffers, every line break as CR LF, as
// the drawings' home platform writes text files. Once the first buffer is
// full, a thread of its own writes each full buffer while the next fills.
class OutputWriter {
public:
    static constexpr std::size_t kBufferBytes = kIoBlockBytes;
    static constexpr std::size_t kShortLine = 16;

    OutputWriter() = default;
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;
    // The writing thread goes through blocks_: it must end while they stand.
    ~OutputWriter() {
        if (blocks_) blocks_->StopThread();
    }

    void Open(const FileOps& ops, int fd);
    bool isOpen() const { return fd_ >= 0; }

    // A line as read, then a line break. The line must be followed by
    // kShortLine readable bytes (the reader's padding): a short line is
    // copied as one fixed-size block.
    void WriteLine(std::string_view line) {
        if (static_cast<std::size_t>(limit_ - next_) < line.size() + 2) [[unlikely]] {
            Flush();
        }
        char* out = next_;
        if (line.size() <= kShortLine) [[likely]] {
            std::memcpy(out, line.data(), kShortLine);
        } else {
            std::memcpy(out, line.data(), line.size());
        }
        out[line.size()] = '\r';
        out[line.size() + 1] = '\n';
        next_ = out + line.size() + 2;
    }

    // Bytes that WriteLine takes without handing the buffer on first.
    std::size_t room() const { return static_cast<std::size_t>(limit_ - next_); }

    // Lines as they are, their CR LF line breaks included, that fit in room().
    void WriteRun(std::string_view lines) {
        std::memcpy(next_, lines.data(), lines.size());
        next_ += lines.size();
    }

    // Text whose LF bytes are line breaks.
    void WriteText(std::string_view text);

    // Bytes as they are, for a line written in parts; EndLine ends it.
    void WriteBytes(std::string_view bytes) { Append(bytes); }
    void EndLine() { Append("\r\n"); }

    // Set once a write has failed; what could not be written is dropped.
    // Buffers still being written may yet fail: WaitForWrites first for the
    // final word.
    bool failed() const { return failed_.load(std::memory_order_relaxed); }

    // Returns when every buffer handed on so far has been written or dropped.
    void WaitForWrites();

    // Writes everything given so far, the buffer still filling included, and
    // waits for it; false when any write has failed.
    bool WriteOut();

    // Writes what is buffered and closes the file; false when either failed.
    bool Close();

private:
    void Append(std::string_view bytes);
    // The buffer is full: on to the writing thread, or written in line.
    void Flush();
    void HandOn();
    void WriteBlock(const BlockChannel::Block& block);
    void WriteBlocks();

    const FileOps* ops_ = nullptr;
    int fd_ = -1;
    std::optional<BlockChannel> blocks_;
    BlockChannel::Block current_;
    char* next_ = nullptr;   // where the next byte goes
    char* limit_ = nullptr;  // the end of the buffer, before its padding
    std::atomic<bool> failed_ = false;
};
