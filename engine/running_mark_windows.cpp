#include <windows.h>

#include "running_mark.h"

// A named mutex in the global namespace, seen across sessions; its handle is
// left open, so that the mark lasts as long as the process. Where it cannot
// be made, the program runs all the same.
void MarkProgramRunning() {
    ::CreateMutexW(nullptr, FALSE, L"Global\\dxfconv-running");
}
