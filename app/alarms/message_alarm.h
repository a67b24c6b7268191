#pragma once
// What the alarm pass hands a message-alarm window, and the way it opens one.
#include "app/alarms/alarm_table.h"

#include <string>

namespace orvane {

struct MessageAlarmRequest {
    std::string beforeWave; // the wave repeated while the window is open, or "NONE"
    int slot = 0;           // the slot at the time of firing (shown by the window)
    AlarmId id = NoAlarm;   // the alarm itself, whatever slot it moves to later
    std::string text;
};

class MessageAlarmOpener {
public:
    virtual ~MessageAlarmOpener() = default;
    // Opens a new window for the alarm and returns without waiting for the user.
    virtual void openMessageAlarm(const MessageAlarmRequest &request) = 0;
};

} // namespace orvane
