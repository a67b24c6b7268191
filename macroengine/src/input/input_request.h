#pragma once

#include "kyloom32.h"

#include <cstdint>

namespace orvane {

// Requests to a process's "MacroWin" window. The numbers are part of the library's protocol:
// other processes send them as X client messages, so they never change.
enum : uint32_t {
    kReqStartRecording = 1524,
    kReqStopRecording = 1525,
    kReqPauseRecording = 1526,
    kReqResumeRecording = 1527,
    kReqPlayMacro = 1528,
    kReqStopPlayback = 1529,
    kReqPausePlayback = 1530,
    kReqResumePlayback = 1531,
    kReqToggleFromOther = 1532,
    kReqPauseFromOther = 1533,
    kReqCancelFromOther = 1534,
    kReqTaskSwitch = 1535,
};

struct EngineRequest {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

} // namespace orvane
