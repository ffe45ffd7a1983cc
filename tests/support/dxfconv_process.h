#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// What a child running the dxfconv command is given besides its arguments.
struct ChildSetup {
    // A file size limit; SIGXFSZ keeps its default action, which would end
    // a program that does not ignore it.
    std::optional<rlim_t> fileSizeLimit = {};
    // A limit on the address space, in bytes.
    std::optional<rlim_t> addressSpaceLimit = {};
    // Runs as the user nobody with a process limit of 0: no thread starts.
    bool withoutThreads = false;
    // Standard streams closed, as the shell's <&- and 2>&- close them.
    std::vector<int> closedStreams = {};
    // Standard error a pipe that nobody reads any more.
    bool errorToClosedPipe = false;
    // Signals ignored by whoever starts the command (nohup ignores SIGHUP).
    std::vector<int> ignoredSignals = {};
    // After this long the child is ended by SIGALRM: a hang fails the test.
    unsigned alarmSeconds = 60;
};

// How one run of the dxfconv command ended and what it printed.
struct CommandResult {
    bool setUp = true;    // false: the child could not be set up as asked
    bool exited = false;  // ended by exit, not by a signal
    int status = -1;      // its exit status
    int signal = 0;       // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// A dxfconv command started as a child process, from a working directory,
// its arguments passed as bytes. A command still running after its alarm is
// ended by it, so that a hang fails the test instead of stopping it.
// Its standard output and error are pipes, which no file size limit
// touches.
class DxfconvChild {
public:
    DxfconvChild(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                 const ChildSetup& setup = {});
    ~DxfconvChild();
    DxfconvChild(const DxfconvChild&) = delete;
    DxfconvChild& operator=(const DxfconvChild&) = delete;

    pid_t pid() const { return pid_; }
    // Waits for the child to end.
    CommandResult Wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;  // the reading ends of its stdout and stderr
    int err_ = -1;
};

// Starts the command and waits for it.
CommandResult RunDxfconv(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, const ChildSetup& setup = {});
