#pragma once
// The set-up dialog's list of alarms: the description of every non-empty slot in slot order,
// rebuilt whenever the table changes under the open dialog.
#include "app/alarms/alarm_table.h"
#include "app/common/format_settings.h"

#include <string>
#include <vector>

namespace orvane {

// Line k belongs to slot k + 1 (the table keeps its alarms in front of its empty slots).
std::vector<std::string> BuildAlarmList(const TAlarmTable &table, const FormatSettings &formats);

} // namespace orvane
