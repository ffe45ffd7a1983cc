#pragma once

#include <string>
#include <vector>

// What the command was asked to do.
struct CommandLine {
    enum class Action { Convert, Help, Version, UsageError };

    Action action = Action::Convert;
    bool quiet = false;
    bool batch = false;   // --suffix given
    bool check = false;   // --check: convert without creating any file
    bool modern = false;  // --modern: for drawings saved in R13 and later formats
    unsigned jobs = 1;    // 0: one per processor
    std::string suffix;
    std::vector<std::string> sources;
    std::string outputName;  // one source only
    std::string error;       // for UsageError, in Japanese, naming the argument

    // Whether each message line starts with its source's path: whenever
    // the sources are a list.
    bool prefixed() const { return batch || check; }
};

// Arguments are bytes, taken exactly as given; "--" ends the options.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The output name a batch gives a source: its file name without the last
// extension, then the suffix ("plan.dxf" with "_lt" gives "plan_lt").
std::string BatchOutputName(const std::string& sourcePath, const std::string& suffix);

std::string UsageText();
std::string VersionText();
