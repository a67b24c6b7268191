#include "recording/playback_schedule.h"

namespace orvane {

std::chrono::milliseconds playbackDelay(const std::vector<MacroEvent> &events, size_t index, bool fast)
{
    if (fast || index == 0 || index >= events.size())
        return std::chrono::milliseconds(0);
    const auto gap = static_cast<int32_t>(events[index].time - events[index - 1].time);
    return std::chrono::milliseconds(gap > 0 ? gap : 0);
}

} // namespace orvane
