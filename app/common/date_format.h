#pragma once
// Formatting and reading back dates and times in the program's format language.
//
// Tokens (any letter case): c, d, dd, ddd, dddd, ddddd (short date), dddddd (long date), m, mm
// (the month, but the minutes when they follow an hour token with nothing between but the time
// separator and blanks, as in "h:mm" or "hh mm"), mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz,
// t (short time), tt (long time), am/pm, a/p, ampm, "/" (date separator), ":" (time separator),
// and 'quoted' or "quoted" literal text. An hour is shown 12-hour when the format holds an
// AM/PM token.
#include "app/common/date_time.h"
#include "app/common/format_settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

std::string FormatDateTime(std::string_view format, TDateTime dt, const FormatSettings &fs);

// Read a date in the order of the short date format (day, month and year separated by the date
// separator; a missing year is the current one, given as `currentYear`; two-digit years are in
// the current century), a time ("h[:n[:s]]" with an optional AM/PM designator), or a date
// followed by a time.
std::optional<TDateTime> TryStrToDate(std::string_view text, const FormatSettings &fs, int currentYear);
std::optional<TDateTime> TryStrToTime(std::string_view text, const FormatSettings &fs);
std::optional<TDateTime> TryStrToDateTime(std::string_view text, const FormatSettings &fs, int currentYear);

} // namespace orvane
