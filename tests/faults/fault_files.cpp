#include "fault_files.h"

#include <cerrno>
#include <thread>

FileOps FaultFiles::ops() {
    // Whatever is not planted here stays the real file system's.
    FileOps ops = SystemFileOps();
    ops.openSource = [this](const char* path) {
        if (beforeOpenSource) beforeOpenSource(path);
        sourceFd = real_.openSource(path);
        return sourceFd;
    };
    ops.createOutput = [this](const char* path) {
        if (beforeCreateOutput) beforeCreateOutput(path);
        outputFd = real_.createOutput(path);
        return outputFd;
    };
    ops.read = [this](int fd, void* buffer, std::size_t size) { return Read(fd, buffer, size); };
    ops.write = [this](int fd, const void* buffer, std::size_t size) {
        return Write(fd, buffer, size);
    };
    ops.close = [this](int fd) { return Close(fd); };
    return ops;
}

long FaultFiles::Write(int fd, const void* buffer, std::size_t size) {
    ++writeCalls;
    const bool limitReached = outputByteLimit >= 0 && bytesWritten >= outputByteLimit;
    if (writeCalls == failingWrite || limitReached) {
        failedWriteOffset = bytesWritten;
        failedWriteSize = size;
        std::this_thread::sleep_for(failingWriteDelay);
        if (writeReturnsZero) return 0;
        errno = ENOSPC;
        return -1;
    }
    if (writeChunk != 0 && size > writeChunk) size = writeChunk;
    if (outputByteLimit >= 0 && bytesWritten + static_cast<long>(size) > outputByteLimit) {
        size = static_cast<std::size_t>(outputByteLimit - bytesWritten);
    }
    const long n = real_.write(fd, buffer, size);
    if (n > 0) bytesWritten += n;
    return n;
}

long FaultFiles::Read(int fd, void* buffer, std::size_t size) {
    ++readCalls;
    if (readCalls == failingRead) {
        errno = EIO;
        return -1;
    }
    if (readChunk != 0 && size > readChunk) size = readChunk;
    const long n = real_.read(fd, buffer, size);
    if (n > 0) bytesRead += n;
    return n;
}

int FaultFiles::Close(int fd) {
    ++closeCalls[fd];
    // The descriptor goes in any case, as with a real close that fails.
    const int result = real_.close(fd);
    if ((fd == sourceFd && failSourceClose) || (fd == outputFd && failOutputClose)) {
        errno = EIO;
        return -1;
    }
    return result;
}
