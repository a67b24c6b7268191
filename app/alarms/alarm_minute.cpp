#include "app/alarms/alarm_minute.h"

#include <cmath>

namespace orvane {

int64_t FloorMinute(TDateTime dt)
{
    // Whole milliseconds first, so that float error cannot drop a value into the minute before.
    const int64_t ms = std::llround(dt * kMSecsPerDay);
    const int64_t q = ms / 60000;
    return ms % 60000 < 0 ? q - 1 : q;
}

TDateTime MinuteStart(TDateTime dt) { return FromMinuteNumber(FloorMinute(dt)); }

} // namespace orvane
