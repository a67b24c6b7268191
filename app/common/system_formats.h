#pragma once
// The system's date and time formats in the program's format language. The Windows-style [intl]
// keys of Win.ini win when present (sShortDate, sLongDate, sDate, sTime, sShortTime, sTimeFormat,
// iTime, s1159, s2359); otherwise the C library's LC_TIME locale decides.
#include "app/common/format_settings.h"

#include <string>
#include <string_view>

namespace orvane {

class TIniFile;

FormatSettings SystemFormatSettings(const TIniFile *winIni);

// Conversions, exposed for tests: a strftime pattern ("%I:%M %p") and a Windows picture
// ("h:mm tt") into the program's format language ("hh:nn AMPM", "h:nn AMPM").
std::string FormatFromStrftime(std::string_view pattern);
std::string FormatFromWindowsPicture(std::string_view picture, bool isTime);
// A time format without its seconds, for the short time format.
std::string WithoutSeconds(std::string_view format);

} // namespace orvane
