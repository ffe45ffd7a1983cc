#pragma once

#include <sys/resource.h>

#include <optional>
#include <string>
#include <vector>

// How one run of the dxfconv command ended and what it printed.
struct CommandResult {
    bool exited = false;  // ended by exit, not by a signal
    int status = -1;      // its exit status
    int signal = 0;       // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// Runs the dxfconv binary with these arguments, passed as bytes, from a
// working directory. Its standard output and error are caught in files
// outside that directory. With a file size limit, the child runs with that
// limit and SIGXFSZ ignored. A command still running after a generous alarm
// is ended by it, so that a hang fails the test instead of stopping it.
CommandResult RunDxfconv(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory,
                         std::optional<rlim_t> fileSizeLimit = std::nullopt);
