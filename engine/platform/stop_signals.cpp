#include "engine/platform/stop_signals.h"

#include <csignal>

namespace tuublark {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

void OnStopSignal(int) { g_stopSignal = 1; }

void Catch(int signal) {
#ifdef _WIN32
    if (std::signal(signal, OnStopSignal) == SIG_IGN) std::signal(signal, SIG_IGN);
#else
    struct sigaction action {};
    if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) return;
    action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a blocking call returns at once
    sigaction(signal, &action, nullptr);
#endif
}

}  // namespace

void CatchStopSignals() {
    Catch(SIGINT);
    Catch(SIGTERM);
#ifdef SIGHUP
    Catch(SIGHUP);
#endif
}

bool StopSignalled() { return g_stopSignal != 0; }

}  // namespace tuublark
