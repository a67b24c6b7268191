#pragma once

#include "core/macro_record.h"

#include <chrono>
#include <vector>

namespace orvane {

// How long playback waits before event `index`: the recorded gap to the event before it, none
// for the first event or with fast playback. Clock steps backwards (a tick counter that
// wrapped) count as no gap rather than as a wait of days.
std::chrono::milliseconds playbackDelay(const std::vector<MacroEvent> &events, size_t index, bool fast);

} // namespace orvane
