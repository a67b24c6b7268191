#include "app/alarms/alarm_description.h"

#include "app/common/date_format.h"

#include <array>
#include <cmath>

namespace orvane {
namespace {

constexpr std::size_t kTimeColumns = 10;
constexpr std::size_t kLineColumns = 34;

std::string Word(const char *const *words, std::size_t count, int32_t code)
{
    return code >= 1 && static_cast<std::size_t>(code) <= count ? words[code - 1] : "";
}

std::string RecursText(const TAlarmRecord &r)
{
    static const char *const kWhich[] = {"every", "1st", "2nd", "3rd", "4th", "last"};
    static const char *const kDays[] = {"Sunday", "Monday",   "Tuesday", "Wednesday", "Thursday",
                                        "Friday", "Saturday", "Weekday", "Weekend"};
    return "on " + Word(kWhich, 6, r.RecursWhichCode) + " " + Word(kDays, 9, r.RecursDayCode) +
           std::string(19, ' ');
}

std::string EveryText(const TAlarmRecord &r)
{
    static const char *const kDays[] = {"Sun", "Mon", "Tue",  "Wed",  "Thu",
                                        "Fri", "Sat", "Evry", "Wday", "Wend"};
    return "every " + std::to_string(r.Count) + " " + (r.EveryUnit == euMinutes ? "min" : "hours") + " on " +
           Word(kDays, 10, r.EveryDaysCode) + std::string(10, ' ');
}

std::string RuleText(const TAlarmRecord &r, const FormatSettings &formats)
{
    switch (r.Recurrence) {
    case rcOnce: {
        // The list shows dates as mm/dd/yy whatever the system's own short date is.
        FormatSettings listFormats = formats;
        listFormats.shortDateFormat = "mm/dd/yy";
        const TDateTime date = IsValidDateTime(r.AlarmDate) ? r.AlarmDate : 0.0;
        return "once on " + FormatDateTime("ddddd", date, listFormats) + std::string(14, ' ');
    }
    case rcRecurs: return RecursText(r);
    case rcEvery: return EveryText(r);
    case rcDaily: return "Daily" + std::string(31, ' ');
    case rcMonthly:
        return std::to_string(r.Count) + DaySuffix(r.Count) + "of every month" + std::string(18, ' ');
    default: return "";
    }
}

} // namespace

std::string DaySuffix(int day)
{
    switch (day) {
    case 1:
    case 21:
    case 31: return "st ";
    case 2:
    case 22: return "nd ";
    case 3:
    case 23: return "rd ";
    default: return "th ";
    }
}

std::string DescribeAlarm(const TAlarmRecord &record, const FormatSettings &formats)
{
    const TDateTime start = std::isfinite(record.StartTime) ? record.StartTime : 0.0;
    std::string line = FormatDateTime("t", start, formats);
    line.resize(kTimeColumns, ' ');
    line += RuleText(record, formats);
    if (line.size() > kLineColumns)
        line.resize(kLineColumns);
    return line + record.Text.text();
}

std::string WeekdayName(TDateTime date)
{
    static const std::array<const char *, 7> kNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
    if (!IsValidDateTime(date))
        return "";
    const int weekday = DayOfWeek(date);
    return weekday >= 1 && weekday <= 7 ? kNames[weekday - 1] : "";
}

} // namespace orvane
