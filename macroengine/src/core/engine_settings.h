#pragma once

#include "kyloom32.h"

#include <cstdint>

namespace orvane {

enum class EngineState : uint8_t { Idle = 0, Recording = 1, Playing = 2, RecordingPaused = 3 };

// The per-process engine settings; the three keys may be set before InstallHook.
struct EngineSettings {
    KyKey toggleRecordKey = 0x077A;
    KyKey pauseKey = 0x0013;
    KyKey cancelKey = 0x0003;
    KyWindow notifyWindow = 0;
    bool fastPlayback = false;
    bool systemWide = false;
    bool cancelChecking = false;
    uint8_t recordingOrigin = MBScreen;
    // Mouse messages in this inclusive range are left out of recordings.
    uint32_t excludedMouseLow = 0;
    uint32_t excludedMouseHigh = 0;
};

} // namespace orvane
