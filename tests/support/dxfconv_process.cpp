#include "dxfconv_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "temp_dir.h"

namespace {

constexpr unsigned kAlarmSeconds = 60;

[[noreturn]] void BecomeDxfconv(const std::vector<std::string>& arguments,
                                const std::string& workingDirectory,
                                std::optional<rlim_t> fileSizeLimit, const std::string& outPath,
                                const std::string& errPath) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(workingDirectory.c_str()) != 0) {
        ::_exit(126);
    }
    if (fileSizeLimit) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*fileSizeLimit, *fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(DXFCONV_PATH));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::alarm(kAlarmSeconds);  // stays set across exec
    ::execv(DXFCONV_PATH, argv.data());
    ::_exit(127);
}

}  // namespace

CommandResult RunDxfconv(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, std::optional<rlim_t> fileSizeLimit) {
    const TempDir captures;
    const std::string outPath = captures.File("stdout");
    const std::string errPath = captures.File("stderr");

    CommandResult result;
    const pid_t child = ::fork();
    if (child < 0) return result;
    if (child == 0) BecomeDxfconv(arguments, workingDirectory, fileSizeLimit, outPath, errPath);

    int status = 0;
    if (::waitpid(child, &status, 0) != child) return result;
    result.exited = WIFEXITED(status);
    if (result.exited) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}
