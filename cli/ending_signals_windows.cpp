#include <windows.h>

#include <cstdlib>

#include "abnormal_end.h"
#include "created_outputs.h"

namespace {

constexpr int kEndedByInterrupt = 128 + 2;
constexpr int kEndedByHangUp = 128 + 1;

// Runs on a thread of the console's own, while the runs go on.
BOOL WINAPI EndByConsoleEvent(DWORD event) {
    RemoveCreatedOutputs();
    std::_Exit(event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? kEndedByInterrupt
                                                                  : kEndedByHangUp);
}

}  // namespace

// A program started with Ctrl-C turned off (a new process group, start /b)
// never gets CTRL_C_EVENT: it stays ignored, as with nohup.
void EndOnSignals() {
    ::SetConsoleCtrlHandler(EndByConsoleEvent, TRUE);
}
