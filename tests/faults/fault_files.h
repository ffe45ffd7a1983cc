#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "file_ops.h"

// The real file system with faults planted in it: a call that fails, a disk
// that fills up, a close that reports failure. Counts every call so that
// tests can also check that each file is closed exactly once.
class FaultFiles {
public:
    // 1-based number of the write or read call that fails; 0 for none.
    int failingWrite = 0;
    int failingRead = 0;
    // The output takes at most this many bytes; a write that crosses the
    // limit writes up to it, and the next write fails.
    long outputByteLimit = -1;
    // A write that returns 0 instead of failing, as a full device may.
    bool writeReturnsZero = false;
    // The failing write returns only after this long, as a slow device
    // does, so that the conversion runs well ahead of it.
    std::chrono::milliseconds failingWriteDelay{0};
    // At most this many bytes per read or write call; 0 for no limit.
    std::size_t readChunk = 0;
    std::size_t writeChunk = 0;
    bool failSourceClose = false;
    bool failOutputClose = false;
    // Runs between the run's checks and the opening of a file.
    std::function<void(const char* path)> beforeOpenSource;
    std::function<void(const char* path)> beforeCreateOutput;

    FileOps ops();

    int writeCalls = 0;
    int readCalls = 0;
    long bytesWritten = 0;  // by calls that succeeded
    long bytesRead = 0;
    // Where the output stood when the failing write was asked for, and how
    // many bytes that write was asked to take.
    long failedWriteOffset = -1;
    std::size_t failedWriteSize = 0;
    // close calls per file descriptor, of the files this object opened.
    std::map<int, int> closeCalls;
    int sourceFd = -1;
    int outputFd = -1;

private:
    long Write(int fd, const void* buffer, std::size_t size);
    long Read(int fd, void* buffer, std::size_t size);
    int Close(int fd);

    FileOps real_ = SystemFileOps();
};
