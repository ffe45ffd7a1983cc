#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

struct FileOps;

// Reads the source in large blocks and hands out one line at a time, with
// the text-mode rules of the drawings' home platform: a CR LF pair is one
// line break, a lone CR is an ordinary byte, and a byte 0x1A ends the input.
class LineReader {
public:
    // A processed line holds at most this many bytes before its line break.
    static constexpr std::size_t kMaxLineBytes = 97;
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    enum class Status {
        Line,      // a line that ended with a line break
        LastLine,  // the last line, without a line break
        End,       // no further line
        TooLong,   // 98 bytes or more before the line break
    };

    void Open(const FileOps& ops, int fd);
    bool isOpen() const { return fd_ >= 0; }

    // The next line, without its line break; valid until the next call.
    Status ReadLine(std::string_view& line);

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
    bool atEnd() const { return fileEnded_ || stopByteSeen_; }
    void ReadMore();
    void Compact();

    const FileOps* ops_ = nullptr;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;     // start of the next line
    std::size_t end_ = 0;     // end of the input's bytes in the buffer
    std::size_t filled_ = 0;  // bytes in the buffer, past a 0x1A included
    std::uint64_t bytesRead_ = 0;
    bool fileEnded_ = false;
    bool stopByteSeen_ = false;
    bool readFailed_ = false;
    bool failed_ = false;
};
