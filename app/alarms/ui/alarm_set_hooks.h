#pragma once
// The set-up dialog's hooks as the program uses them: the real file, folder and wave choosers,
// message boxes, the help window and the alarm file.
#include "app/alarms/ui/alarm_set.h"

namespace orvane {

AlarmSetHooks DefaultAlarmSetHooks(std::function<std::optional<std::string>()> saveAlarmFile);

} // namespace orvane
