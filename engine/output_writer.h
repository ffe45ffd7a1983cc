#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

struct FileOps;

// Writes the output through one large buffer, every line break as CR LF, as
// the drawings' home platform writes text files.
class OutputWriter {
public:
    static constexpr std::size_t kBufferBytes = 256 * 1024;
    static constexpr std::size_t kShortLine = 16;

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

    // Text whose LF bytes are line breaks.
    void WriteText(std::string_view text);

    // Set once a write has failed; what could not be written is dropped.
    bool failed() const { return failed_; }

    // Writes what is buffered and closes the file; false when either failed.
    bool Close();

private:
    void Append(std::string_view bytes);
    void Flush();

    const FileOps* ops_ = nullptr;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    char* next_ = nullptr;   // where the next byte goes
    char* limit_ = nullptr;  // the end of the buffer, before its padding
    bool failed_ = false;
};
