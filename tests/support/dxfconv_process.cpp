#include "dxfconv_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "process_limits.h"

namespace {

constexpr int kSetupFailed = 77;

bool SetLimit(int resource, std::optional<rlim_t> value) {
    if (!value) return true;
    const rlimit limit{*value, *value};
    return ::setrlimit(resource, &limit) == 0;
}

bool RedirectStreams(const ChildSetup& setup, int out, int err) {
    const int in = ::open("/dev/null", O_RDONLY);
    if (in < 0) return false;
    if (setup.errorToClosedPipe) {
        int unread[2];
        if (::pipe(unread) != 0) return false;
        ::close(unread[0]);
        err = unread[1];
    }
    if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) return false;
    for (const int fd : {in, out, err}) {
        if (fd > 2) ::close(fd);
    }
    for (const int fd : setup.closedStreams) ::close(fd);
    return true;
}

[[noreturn]] void BecomeDxfconv(const std::vector<std::string>& arguments,
                                const std::string& workingDirectory, const ChildSetup& setup,
                                int out, int err) {
    if (!RedirectStreams(setup, out, err)) ::_exit(kSetupFailed);
    for (const int signal : setup.ignoredSignals) std::signal(signal, SIG_IGN);
    if (setup.withoutThreads) {
        if (!(DropToNobody() && RefuseThreads())) ::_exit(kSetupFailed);
        // LeakSanitizer, where it is built in, needs a thread of its own at exit.
        ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    }
    if (!SetLimit(RLIMIT_FSIZE, setup.fileSizeLimit) ||
        !SetLimit(RLIMIT_AS, setup.addressSpaceLimit) || ::chdir(workingDirectory.c_str()) != 0) {
        ::_exit(kSetupFailed);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(DXFCONV_PATH));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::alarm(setup.alarmSeconds);  // stays set across exec
    ::execv(DXFCONV_PATH, argv.data());
    ::_exit(127);
}

// Reads both pipes to their ends, whichever the child fills first.
void ReadBoth(int out, int err, std::string& outText, std::string& errText) {
    pollfd open[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string* texts[2] = {&outText, &errText};
    int left = 2;
    while (left > 0 && ::poll(open, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (open[i].fd < 0 || open[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(open[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(open[i].fd);
                open[i].fd = -1;
                --left;
            }
        }
    }
}

}  // namespace

DxfconvChild::DxfconvChild(const std::vector<std::string>& arguments,
                           const std::string& workingDirectory, const ChildSetup& setup) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) BecomeDxfconv(arguments, workingDirectory, setup, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
}

DxfconvChild::~DxfconvChild() {
    if (pid_ > 0) Wait();
}

CommandResult DxfconvChild::Wait() {
    CommandResult result;
    if (pid_ <= 0) return result;
    ReadBoth(out_, err_, result.out, result.err);
    out_ = err_ = -1;
    int status = 0;
    const pid_t waited = ::waitpid(pid_, &status, 0);
    pid_ = -1;
    if (waited <= 0) return result;
    result.exited = WIFEXITED(status);
    if (result.exited) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.setUp = !(result.exited && result.status == kSetupFailed);
    return result;
}

CommandResult RunDxfconv(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, const ChildSetup& setup) {
    DxfconvChild child(arguments, workingDirectory, setup);
    return child.Wait();
}
