#include "stop_signals.h"

#include "kyloom32.h"

#include <csignal>

namespace orvane {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t g_caught = 0;
struct sigaction g_previous[3];

void onStop(int signal)
{
    // Only async-signal-safe work here: a flag of ours and one of the library's.
    g_caught = signal;
    StopInjection();
}

} // namespace

StopSignals::StopSignals()
{
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &g_previous[i]);
        // A signal the caller chose to ignore (nohup, a background job's SIGINT) stays ignored.
        if (g_previous[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
}

StopSignals::~StopSignals()
{
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
}

int StopSignals::caught() { return g_caught; }

void StopSignals::endLikeTheSignal()
{
    const int signal = g_caught;
    if (signal == 0)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    std::raise(signal);
}

} // namespace orvane
