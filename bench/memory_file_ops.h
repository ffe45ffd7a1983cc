#pragma once

#include <cstdint>
#include <string_view>

#include "file_ops.h"

// File services over memory: the source is served from a buffer and every
// write is counted and dropped, so that a benchmark measures the engine and
// not the kernel. Opening the source starts it again from its first byte.
class MemoryFileOps {
public:
    explicit MemoryFileOps(std::string_view source);
    MemoryFileOps(const MemoryFileOps&) = delete;
    MemoryFileOps& operator=(const MemoryFileOps&) = delete;

    // Valid as long as this object lives.
    const FileOps& ops() const { return ops_; }

    std::uint64_t bytesWritten() const { return bytesWritten_; }

private:
    std::string_view source_;
    std::size_t offset_ = 0;
    std::uint64_t bytesWritten_ = 0;
    FileOps ops_;
};
