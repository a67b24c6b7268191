#pragma once
// The fields of a time edit's text ("7:05 AM": hour, minute, AM/PM) and the stepping of one
// field with the up and down keys.
#include "app/common/date_time.h"

#include <string_view>

namespace orvane {

enum class TimeField { Hour = 0, Minute = 1, AmPm = 2 };

struct TextSpan {
    int start = 0;
    int length = 0;
    bool operator==(const TextSpan &) const = default;
};

// The field holding the caret: before the separator the hour, else before the first blank
// after it the minute, else the AM/PM field in 12-hour mode and the minute otherwise.
TimeField TimeFieldAtCaret(std::string_view text, int caret, char separator, bool twelveHour);

// Where a field lies in the text, for selecting it. A field the text lacks is an empty span at
// the end.
TextSpan TimeFieldSpan(std::string_view text, TimeField field, char separator);

// The time of day `time` stepped by `delta` in the field: hours by one, minutes by one with a
// carry into the hour, AM/PM by twelve hours; hours wrap within the day.
TDateTime StepTimeField(TDateTime time, TimeField field, int delta);

} // namespace orvane
