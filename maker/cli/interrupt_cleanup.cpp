#include "maker/cli/interrupt_cleanup.h"

#include "maker/project/temporary_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

namespace gd::cli {

#ifdef _WIN32

namespace {
BOOL WINAPI OnConsoleEvent(DWORD) {
    RemoveTemporaryFilesNow();
    return FALSE;  // the default handling ends the process
}
}  // namespace

void InstallInterruptCleanup() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

#else

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL};

void OnEndingSignal(int signal) {
    RemoveTemporaryFilesNow();
    // The handler was installed to run once: the signal, raised again, now does what it
    // does by default (end the process, with a core where that is the rule).
    ::raise(signal);
}

}  // namespace

void InstallInterruptCleanup() {
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndingSignals) ::sigaction(signal, &action, nullptr);
    ::signal(SIGXFSZ, SIG_IGN);
}

#endif

}  // namespace gd::cli
