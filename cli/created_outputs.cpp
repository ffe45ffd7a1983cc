#include "created_outputs.h"

#include <atomic>
#include <memory>
#include <string>

#include "output_identity.h"

namespace {

// A slot goes Free -> Creating -> Open -> Releasing -> Free, owned by one
// run meanwhile. Removal may come at any moment on any thread, from a signal
// handler: it reads a slot's fields only while the slot is Open, and the
// run leaves a slot only where removal has not begun.
enum SlotState : int { Free, Creating, Open, Releasing };

struct Slot {
    std::atomic<int> state{Free};
    int fd = -1;
    OutputIdentity identity;
    const char* path = nullptr;  // the run's own string, alive until it closes
};

// About two seconds of PauseBriefly.
constexpr int kCreatingPauses = 2000;

std::unique_ptr<Slot[]> slots;
unsigned slotCount = 0;
std::atomic<bool> removing{false};
// A run creates and closes its output on its own thread.
thread_local Slot* runSlot = nullptr;

// The output the last run on this thread created, kept past its close.
struct RunOutput {
    std::string path;
    OutputIdentity identity;
    bool created = false;
};
thread_local RunOutput runOutput;

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the slots are read in a signal handler");

Slot* Claim() {
    for (unsigned i = 0; i < slotCount; ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Creating)) return &slots[i];
    }
    return nullptr;
}

// No allocation between claiming and leaving Creating: a failed allocation
// removes the outputs on this very thread, which would wait for itself.
int CreateTracked(const FileOps& files, const char* path) {
    runOutput.created = false;
    HoldEndingSignals();

    Slot* slot = Claim();
    if (slot != nullptr && removing.load()) {
        slot->state.store(Free);
        WaitForTheEnd();
    }
    const int fd = files.createOutput(path);
    if (slot != nullptr) {
        if (fd >= 0 && IdentifyOutput(fd, slot->identity)) {
            slot->fd = fd;
            slot->path = path;
            slot->state.store(Open);
            runSlot = slot;
        } else {
            slot->state.store(Free);
        }
    }
    ReleaseEndingSignals();
    if (fd >= 0 && IdentifyOutput(fd, runOutput.identity)) {
        runOutput.path = path;
        runOutput.created = true;
    }
    return fd;
}

int CloseTracked(const FileOps& files, int fd) {
    const int result = files.close(fd);
    if (runSlot != nullptr && runSlot->fd == fd) {
        runSlot->state.store(Releasing);
        // Removal that has begun may be reading the path, which the run
        // frees once this returns.
        if (removing.load()) WaitForTheEnd();
        runSlot->state.store(Free);
        runSlot = nullptr;
    }
    return result;
}

}  // namespace

void PrepareCreatedOutputs(unsigned concurrentRuns) {
    slots = std::make_unique<Slot[]>(concurrentRuns);
    slotCount = concurrentRuns;
}

FileOps TrackCreatedOutputs(FileOps files) {
    FileOps tracked = files;
    tracked.createOutput = [files](const char* path) { return CreateTracked(files, path); };
    tracked.close = [files](int fd) { return CloseTracked(files, fd); };
    return tracked;
}

void RemoveCreatedOutputs() {
    removing.store(true);
    for (unsigned i = 0; i < slotCount; ++i) {
        Slot& slot = slots[i];
        int state = slot.state.load();
        // Creating ends soon, on a thread that keeps the signals out
        // meanwhile; unless the create hangs (a share that stopped
        // answering), where the program ends without that output.
        for (int pauses = 0; state == Creating && pauses < kCreatingPauses; ++pauses) {
            PauseBriefly();
            state = slot.state.load();
        }
        if (state == Open) RemoveIfStill(slot.path, slot.identity);
    }
}

void RemoveRunOutput() {
    if (!runOutput.created) return;
    RemoveIfStill(runOutput.path.c_str(), runOutput.identity);
    runOutput.created = false;
}
