#pragma once
// Alarm times compared to the minute.
#include "app/common/date_time.h"

#include <cstdint>

namespace orvane {

// The minute a date-time lies in, seconds dropped (09:15:59 is the minute 09:15). A value a
// hair below a minute boundary through float error still counts as that minute.
int64_t FloorMinute(TDateTime dt);

// The date-time of the start of that minute.
TDateTime MinuteStart(TDateTime dt);

} // namespace orvane
