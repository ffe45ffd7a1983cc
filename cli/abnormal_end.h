#pragma once

#include <string_view>

// How the command ends when it cannot go on, as gzip and xz do: the output
// of every run in progress is taken away, so that no cut drawing is left
// under a finished one's name. Outputs that runs have closed stay.

// SIGINT, SIGTERM and SIGHUP end the program with status 128 + the signal's
// number. SIGPIPE and SIGXFSZ are ignored: a message to a closed pipe is
// lost quietly, and a file size limit is a write error like any other.
// On Windows, Ctrl-C and Ctrl-Break end it as SIGINT does (status 130), and
// closing the console, logging off or shutting down as SIGHUP does (129).
void EndOnSignals();

// A failed allocation waits while another run is in progress, whose end
// gives its memory back, and is then tried again. Where no other run can
// give any back, the program ends with this message on standard error and
// status 1.
inline constexpr std::string_view kOutOfMemory =
    "dxfconv: ﾒﾓﾘが足りません。\n　変換は完了していません。\n";
void EndOnOutOfMemory();

// Marks one run in progress on this thread, for as long as it lives.
class RunInProgress {
public:
    RunInProgress();
    ~RunInProgress();
    RunInProgress(const RunInProgress&) = delete;
    RunInProgress& operator=(const RunInProgress&) = delete;
};
