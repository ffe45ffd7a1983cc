#include "unprivileged_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include "conversion_run.h"
#include "known_linetypes.h"
#include "process_limits.h"
#include "recording_sink.h"

namespace {

constexpr int kDropFailed = 77;

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

std::string ReadAll(int fd) {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace

std::optional<std::vector<std::string>> RunAsUnprivilegedUser(const std::string& sourcePath,
                                                              const std::string& outputName,
                                                              Threads threads) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (!DropToNobody()) ::_exit(kDropFailed);
        if (threads == Threads::Refused && !RefuseThreads()) ::_exit(kDropFailed);
        RecordingSink sink;
        RunConversion(sourcePath, outputName, kOutputExtension, kKnownLinetypes, sink);
        std::string record;
        for (const std::string& call : sink.calls) record += call + '\0';
        WriteAll(channel[1], record);
        ::_exit(0);
    }
    ::close(channel[1]);
    const std::string record = ReadAll(channel[0]);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kDropFailed) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::vector<std::string>{"the child ended abnormally"};
    }

    std::vector<std::string> calls;
    std::size_t start = 0;
    for (std::size_t end; (end = record.find('\0', start)) != std::string::npos; start = end + 1) {
        calls.push_back(record.substr(start, end - start));
    }
    return calls;
}
