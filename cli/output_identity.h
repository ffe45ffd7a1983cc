#pragma once

#include <cstdint>

// What removes a run's output at an abnormal end, on this platform. None of
// it allocates: it runs in a signal handler on POSIX, and on Windows in the
// console's handler thread while another thread may be out of memory.

// Tells the file a run created from any other that takes its name later.
struct OutputIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
};

bool IdentifyOutput(int fd, OutputIdentity& identity);

// Removes the file at path, if it is still the one identified.
void RemoveIfStill(const char* path, const OutputIdentity& identity);

// Keeps the ending signals off this thread until released, where they are
// delivered to any thread (POSIX); on Windows they come on a thread of their
// own and there is nothing to hold.
void HoldEndingSignals();
void ReleaseEndingSignals();

// Waits about a millisecond; safe in a signal handler.
void PauseBriefly();

// The program is ending on another thread: this one waits for it.
[[noreturn]] void WaitForTheEnd();
