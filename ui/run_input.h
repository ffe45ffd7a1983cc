#pragma once

#include <wx/window.h>

// A conversion runs on the window's own thread, so keys and clicks made
// while it is busy wait in the queue and would go to the next message box:
// a second Enter would dismiss an error unseen, Esc would swap the result
// for the exit question. While a run holds its window, the window takes no
// input; input that came meanwhile is dropped as the run lets go, before
// the run shows its messages.
class RunInputHold {
public:
    explicit RunInputHold(wxWindow& window);
    ~RunInputHold();
    RunInputHold(const RunInputHold&) = delete;
    RunInputHold& operator=(const RunInputHold&) = delete;

private:
    wxWindow& window_;
    wxWindow* focus_;  // where the keyboard was, given back afterwards
};

// Discards the keyboard and mouse input waiting in this thread's queue.
void DropQueuedInput();
