#pragma once

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

// Notifications to the host's notify window.
enum : uint32_t {
    kNoteRecord = 1532,
    kNoteRecordStop = 1533,
    kNotePlay = 1534,
    kNotePlayEnd = 1535,
    kNotePaused = 1536,
    kNoteResumed = 1537,
    kNoteRecorded = 1538,
    kNotePlayed = 1539,
};

// The values of the state notifications 1538 and 1539.
enum : uint32_t {
    kStateRecordingOff = 1,
    kStateRecordingOn = 2,
    kStateRecordingPaused = 3,
    kStateRecordingResumed = 4,
    kStatePlaybackOff = 5,
    kStatePlaybackOn = 6,
    kStatePlaybackPaused = 7,
    kStatePlaybackResumed = 8,
};

struct EngineRequest {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

} // namespace orvane
