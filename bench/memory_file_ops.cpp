#include "memory_file_ops.h"

#include <cstring>

namespace {
constexpr int kSourceFd = 3;
constexpr int kOutputFd = 4;
}  // namespace

MemoryFileOps::MemoryFileOps(std::string_view source) : source_(source) {
    ops_.sourceExists = [](const char*) { return true; };
    ops_.outputExists = [](const char*) { return false; };
    ops_.openSource = [this](const char*) {
        offset_ = 0;
        return kSourceFd;
    };
    ops_.createOutput = [this](const char*) {
        bytesWritten_ = 0;
        return kOutputFd;
    };
    ops_.read = [this](int, void* buffer, std::size_t size) {
        const std::size_t n = size < source_.size() - offset_ ? size : source_.size() - offset_;
        std::memcpy(buffer, source_.data() + offset_, n);
        offset_ += n;
        return static_cast<long>(n);
    };
    ops_.write = [this](int, const void*, std::size_t size) {
        bytesWritten_ += size;
        return static_cast<long>(size);
    };
    ops_.close = [](int) { return 0; };
}
