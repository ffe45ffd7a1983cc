#pragma once

#include <cstddef>
#include <functional>

// The file services a run uses, as plain replaceable functions, so that tests
// can make any of them fail and the command line can discard the output.
// Each returns what its POSIX counterpart returns (-1 on failure). Paths are
// UTF-8 on Windows; descriptors are the C runtime's there.
struct FileOps {
    // Whether the source exists, following links (a link to a file is a
    // source).
    std::function<bool(const char* path)> sourceExists;
    // Whether the output's name is taken, without following a final link,
    // so that a dangling link counts as taken.
    std::function<bool(const char* path)> outputExists;
    // Opens the source for reading without blocking on a FIFO; refuses
    // anything that is not a regular file.
    std::function<int(const char* path)> openSource;
    // Creates the output, never opening a file or link that already exists.
    std::function<int(const char* path)> createOutput;
    std::function<long(int fd, void* buffer, std::size_t size)> read;
    std::function<long(int fd, const void* buffer, std::size_t size)> write;
    std::function<int(int fd)> close;
};

// The real file system: POSIX calls, or the Win32 API on Windows.
FileOps SystemFileOps();

// Opens the system's null device for writing: whatever is written to it is
// discarded. -1 on failure.
int OpenNullDevice();
