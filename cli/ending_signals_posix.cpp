#include <signal.h>
#include <unistd.h>

#include <initializer_list>

#include "abnormal_end.h"
#include "created_outputs.h"

namespace {

// Left out of AddressSanitizer's instrumentation: before the call to
// _exit it would reset the stack it knows for this thread, and a signal taken
// by a thread that is just starting has none yet; it then prints a warning
// of its own on stderr, which the command keeps for its messages.
[[gnu::no_sanitize_address]] void EndBySignal(int signal) {
    RemoveCreatedOutputs();
    ::_exit(128 + signal);
}

}  // namespace

void EndOnSignals() {
    struct sigaction action {};
    action.sa_handler = EndBySignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, signal);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored by whoever started the program (nohup, a
        // background job) stays ignored.
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGXFSZ, SIG_IGN);
}
