#include "app/alarms/alarm_list.h"

#include "app/alarms/alarm_description.h"

namespace orvane {

std::vector<std::string> BuildAlarmList(const TAlarmTable &table, const FormatSettings &formats)
{
    std::vector<std::string> lines;
    for (int n = 1; n <= TAlarmTable::kSlots; ++n)
        if (!table.slot(n).isEmpty())
            lines.push_back(DescribeAlarm(table.slot(n), formats));
    return lines;
}

} // namespace orvane
