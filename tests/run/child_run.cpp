#include "child_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "known_linetypes.h"
#include "recording_sink.h"

namespace {

constexpr unsigned kAlarmSeconds = 60;

// The record travels as the outcome's number, then each call, each ended by
// a NUL byte (no message holds one).
std::string Encode(const RunRecord& record) {
    std::string bytes = std::to_string(static_cast<int>(record.outcome));
    bytes += '\0';
    for (const std::string& call : record.calls) {
        bytes += call;
        bytes += '\0';
    }
    return bytes;
}

bool Decode(const std::string& bytes, RunRecord& record) {
    std::size_t start = 0;
    bool first = true;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1) {
        const std::string field = bytes.substr(start, end - start);
        if (first) {
            record.outcome = static_cast<RunOutcome>(std::atoi(field.c_str()));
            first = false;
        } else {
            record.calls.push_back(field);
        }
    }
    return !first && start == bytes.size();
}

[[noreturn]] void RunAndReport(int out, const std::function<void()>& prepare,
                               const std::string& sourcePath, const std::string& outputName) {
    ::alarm(kAlarmSeconds);
    prepare();
    RecordingSink sink;
    RunRecord record;
    record.outcome = RunConversion(sourcePath, outputName, kOutputExtension, kKnownLinetypes, sink);
    record.calls = sink.calls;
    const std::string bytes = Encode(record);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(out, bytes.data() + done, bytes.size() - done);
        if (n <= 0) ::_exit(3);
        done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
}

}  // namespace

ChildRun RunInChild(const std::function<void()>& prepare, const std::string& sourcePath,
                    const std::string& outputName) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        RunAndReport(pipeEnds[1], prepare, sourcePath, outputName);
    }
    ::close(pipeEnds[1]);

    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(pipeEnds[0]);

    ChildRun result;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return result;
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0 && Decode(bytes, result.record);
    return result;
}
