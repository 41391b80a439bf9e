#include "cli/stop_signals.h"

#include <csignal>

namespace dorvanta::cli {

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void OnStopSignal(int signal)
{
    caught = signal;
    // The next one is not waited for.
    std::signal(signal, SIG_DFL);
}

} // namespace

void CatchStopSignals()
{
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

int StopSignal()
{
    return caught;
}

void EndByStopSignal()
{
    if (const int signal = caught) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

} // namespace dorvanta::cli
