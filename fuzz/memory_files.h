#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_ops.h"

// File services on memory: the source is a byte string, the output grows in
// a string, and nothing fails. Lets a run go through every stage without a
// single call to the file system. Reads may hand out at most readChunk bytes each (0 for
// no limit), so that small sources still reach the reader's block seams.
class MemoryFiles {
public:
    MemoryFiles(std::string_view source, std::size_t readChunk)
        : source_(source), readChunk_(readChunk) {}

    FileOps ops();
    const std::string& output() const { return output_; }

private:
    std::string_view source_;
    std::size_t readChunk_;
    std::size_t readAt_ = 0;
    std::string output_;
};
