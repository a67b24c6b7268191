#pragma once

namespace orvane {

// While it lives, SIGTERM, SIGINT and SIGHUP do not end the command in the middle of typing or
// playing: the handler only asks the library to stop its injection (StopInjection), which then
// releases every key and button it pressed and gives back the keycodes it borrowed. Once the
// verb has cleaned up, endLikeTheSignal() ends the process by the signal that came, with its
// default action, so the caller still sees how the command ended.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // The signal that came (0 for none).
    static int caught();
    // Ends the process by the signal that came; returns when none came.
    void endLikeTheSignal();
};

} // namespace orvane
