#pragma once

#include <functional>
#include <string>

#include "run_support.h"

// A run made in a forked child, so that it may lower the child's limits or
// block without harm to the test program.
struct ChildRun {
    bool exited = false;  // the child finished its run and reported it
    int signal = 0;       // the signal that ended the child, if one did
    RunRecord record;
};

// Forks, calls prepare in the child, then makes the run there. A child that
// is still running after a generous alarm is ended by it, so a run that
// blocks fails the test instead of hanging it.
ChildRun RunInChild(const std::function<void()>& prepare, const std::string& sourcePath,
                    const std::string& outputName);
