#pragma once
// The date and time formats of the program's format language ("h:nn AMPM", "mm/dd/yy",
// "dddddd", ...) together with the separators and names they refer to.
#include <array>
#include <string>

namespace orvane {

struct FormatSettings {
    std::string shortDateFormat = "m/d/yy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "h:nn AMPM";
    std::string longTimeFormat = "h:nn:ss AMPM";
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Sunday first.
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// A 12-hour system is one whose short time format contains "AMPM", in any letter case.
bool Is12HourFormat(const FormatSettings &fs);

} // namespace orvane
