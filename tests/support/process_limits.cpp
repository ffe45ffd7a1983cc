#include "process_limits.h"

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <system_error>
#include <thread>

namespace {
constexpr uid_t kNobody = 65534;
}  // namespace

bool DropToNobody() {
    if (::geteuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody;
}

bool RefuseThreads() {
    const rlimit none{0, 0};
    if (::setrlimit(RLIMIT_NPROC, &none) != 0) return false;
    try {
        std::thread([] {}).join();
    } catch (const std::system_error&) {
        return true;
    }
    return false;
}
