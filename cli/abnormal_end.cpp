#include "abnormal_end.h"

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#include "created_outputs.h"
#include "standard_text.h"

namespace {

constexpr int kExitFailed = 1;

// Runs in progress, those of them waiting for memory, and how many have
// ended so far; nothing here allocates.
std::mutex runsMutex;
std::condition_variable runEnded;
int runsInProgress = 0;
int runsWaiting = 0;
std::uint64_t runsEnded = 0;
thread_local bool threadInRun = false;

[[noreturn]] void EndForWantOfMemory() {
    RemoveCreatedOutputs();
    WriteStandardText(StandardStream::Error, kOutOfMemory);
    std::_Exit(kExitFailed);
}

// Called by operator new when an allocation fails; returning tries again.
// The last run to want memory, with every other one waiting too, ends the
// program: nothing would give any back. So does a thread that is not a run
// (a run's reader or writer): its run may be waiting for it.
void WaitForMemory() {
    std::unique_lock lock(runsMutex);
    if (!threadInRun || runsInProgress - runsWaiting - 1 <= 0) EndForWantOfMemory();
    const std::uint64_t endedBefore = runsEnded;
    ++runsWaiting;
    runEnded.wait(lock, [&] { return runsEnded != endedBefore; });
}

}  // namespace

RunInProgress::RunInProgress() {
    const std::lock_guard lock(runsMutex);
    ++runsInProgress;
    threadInRun = true;
}

RunInProgress::~RunInProgress() {
    {
        const std::lock_guard lock(runsMutex);
        --runsInProgress;
        ++runsEnded;
        // Every waiting run tries again now.
        runsWaiting = 0;
        threadInRun = false;
    }
    runEnded.notify_all();
}

void EndOnOutOfMemory() {
    std::set_new_handler(WaitForMemory);
}
