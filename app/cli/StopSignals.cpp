#include "StopSignals.h"

#include <atomic>
#include <csignal>

namespace stop_signals {
namespace {

std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnSignal(int) {
    g_requested.store(true);
}

void Catch(int signal) {
    struct sigaction action {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    // Restarted: a copy's reads and writes must not fail because of the
    // request; the job sees it before its next transfer. The handler is
    // reset after the first signal, so a second one ends the program.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

void Install() {
    Catch(SIGINT);
    Catch(SIGTERM);
    // A reader of the output that goes away (`| head`) must not end a job
    // half way; the lost lines are no failure of the job.
    ::signal(SIGPIPE, SIG_IGN);
}

bool Requested() {
    return g_requested.load();
}

} // namespace stop_signals
