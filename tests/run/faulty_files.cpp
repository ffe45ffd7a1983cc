#include "faulty_files.h"

#include <algorithm>

namespace {
std::size_t Limit(std::size_t size, std::size_t chunk) {
    return chunk == 0 ? size : std::min(size, chunk);
}
}  // namespace

FaultyFiles::FaultyFiles(const FaultPlan& plan) : plan_(plan), real_(SystemFileOps()), ops_(real_) {
    ops_.openSource = [this](const char* path) {
        if (plan_.openSourceFails) return -1;
        sourceFd_ = real_.openSource(path);
        if (sourceFd_ >= 0) opened_.push_back(sourceFd_);
        return sourceFd_;
    };
    ops_.createOutput = [this](const char* path) {
        if (plan_.createOutputFails) return -1;
        outputFd_ = real_.createOutput(path);
        if (outputFd_ >= 0) opened_.push_back(outputFd_);
        return outputFd_;
    };
    ops_.read = [this](int fd, void* buffer, std::size_t size) -> long {
        if (++readCalls_ == plan_.failingRead) return -1;
        return real_.read(fd, buffer, Limit(size, plan_.readChunk));
    };
    ops_.write = [this](int fd, const void* buffer, std::size_t size) -> long {
        if (plan_.everyWriteFails || ++writeCalls_ == plan_.failingWrite) return -1;
        return real_.write(fd, buffer, Limit(size, plan_.writeChunk));
    };
    ops_.close = [this](int fd) {
        closed_.push_back(fd);
        const int result = real_.close(fd);
        if (fd == sourceFd_ && plan_.sourceCloseFails) return -1;
        if (fd == outputFd_ && plan_.outputCloseFails) return -1;
        return result;
    };
}

std::vector<int> FaultyFiles::unbalancedDescriptors() const {
    std::vector<int> unbalanced;
    for (const int fd : opened_) {
        if (std::count(closed_.begin(), closed_.end(), fd) != 1) unbalanced.push_back(fd);
    }
    for (const int fd : closed_) {
        if (std::count(opened_.begin(), opened_.end(), fd) == 0) unbalanced.push_back(fd);
    }
    return unbalanced;
}
