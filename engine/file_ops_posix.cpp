#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_ops.h"

namespace {

int OpenRegularFileForReading(const char* path) {
    // O_NONBLOCK keeps a FIFO without a writer from blocking the open; the
    // type test below then refuses it.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

int CreateNewFile(const char* path) {
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

long ReadRetrying(int fd, void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

long WriteRetrying(int fd, const void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::write(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

bool PathExists(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0;
}

bool PathOrLinkExists(const char* path) {
    struct stat info {};
    return ::lstat(path, &info) == 0;
}

}  // namespace

FileOps SystemFileOps() {
    return FileOps{PathExists,   PathOrLinkExists, OpenRegularFileForReading,         CreateNewFile,
                   ReadRetrying, WriteRetrying,    [](int fd) { return ::close(fd); }};
}

int OpenNullDevice() {
    return ::open("/dev/null", O_WRONLY | O_CLOEXEC);
}
