#include "app/cli/InterruptHandlers.h"

#include <tintwright/util/RemovedOnInterrupt.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

namespace tw::cli {

namespace {

#ifdef _WIN32

// Runs in a thread of its own; returning FALSE lets the default handler end
// the process as Ctrl+C, Ctrl+Break or closing the console would.
BOOL WINAPI OnConsoleEvent(DWORD) {
    RemoveInterruptedPaths();
    return FALSE;
}

#else

// The signal stays blocked while this runs: raised again with the default
// action, it ends the process on return, with the status the shell expects
// (130 for Ctrl+C).
extern "C" void OnInterrupt(int number) {
    RemoveInterruptedPaths();
    signal(number, SIG_DFL);
    raise(number);
}

// A signal ignored when the program started (nohup, a background job)
// stays ignored.
void Handle(int number) {
    struct sigaction action {};
    if (sigaction(number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) return;
    action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int other : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&action.sa_mask, other);
    sigaction(number, &action, nullptr);
}

#endif

}  // namespace

void InstallInterruptHandlers() {
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        Handle(number);
    // Past the limit a write then fails with EFBIG, which the output reports.
    signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace tw::cli
