#include "memory_files.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kSourceFd = 3;
constexpr int kOutputFd = 4;
}  // namespace

FileOps MemoryFiles::ops() {
    // Nothing touches the file system: the source is there and the output's
    // name is free, whatever the paths.
    FileOps ops = SystemFileOps();
    ops.sourceExists = [](const char*) { return true; };
    ops.outputExists = [](const char*) { return false; };
    ops.openSource = [](const char*) { return kSourceFd; };
    ops.createOutput = [](const char*) { return kOutputFd; };
    ops.read = [this](int, void* buffer, std::size_t size) {
        if (readChunk_ != 0) size = std::min(size, readChunk_);
        const std::size_t n = std::min(size, source_.size() - readAt_);
        if (n > 0) std::memcpy(buffer, source_.data() + readAt_, n);
        readAt_ += n;
        return static_cast<long>(n);
    };
    ops.write = [this](int, const void* buffer, std::size_t size) {
        output_.append(static_cast<const char*>(buffer), size);
        return static_cast<long>(size);
    };
    ops.close = [](int) { return 0; };
    return ops;
}
