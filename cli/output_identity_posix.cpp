#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <initializer_list>

#include "output_identity.h"

namespace {
thread_local sigset_t signalsBefore;
}  // namespace

bool IdentifyOutput(int fd, OutputIdentity& identity) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.file = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

void RemoveIfStill(const char* path, const OutputIdentity& identity) {
    struct stat info {};
    if (::lstat(path, &info) == 0 && static_cast<std::uint64_t>(info.st_dev) == identity.volume &&
        static_cast<std::uint64_t>(info.st_ino) == identity.file) {
        ::unlink(path);
    }
}

void HoldEndingSignals() {
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, &signalsBefore);
}

void ReleaseEndingSignals() {
    pthread_sigmask(SIG_SETMASK, &signalsBefore, nullptr);
}

void PauseBriefly() {
    const timespec pause{0, 1000000};
    ::nanosleep(&pause, nullptr);
}

void WaitForTheEnd() {
    for (;;) ::pause();
}
