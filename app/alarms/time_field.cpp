#include "app/alarms/time_field.h"

namespace orvane {

TimeField TimeFieldAtCaret(std::string_view text, int caret, char separator, bool twelveHour)
{
    const auto sep = text.find(separator);
    if (sep == std::string_view::npos || caret <= static_cast<int>(sep))
        return TimeField::Hour;
    const auto blank = text.find(' ', sep);
    if (blank == std::string_view::npos || caret <= static_cast<int>(blank))
        return TimeField::Minute;
    return twelveHour ? TimeField::AmPm : TimeField::Minute;
}

TextSpan TimeFieldSpan(std::string_view text, TimeField field, char separator)
{
    const int size = static_cast<int>(text.size());
    const auto sep = text.find(separator);
    if (sep == std::string_view::npos)
        return field == TimeField::Hour ? TextSpan{0, size} : TextSpan{size, 0};
    const int s = static_cast<int>(sep);
    const auto blank = text.find(' ', sep);
    const int b = blank == std::string_view::npos ? size : static_cast<int>(blank);
    switch (field) {
    case TimeField::Hour: return {0, s};
    case TimeField::Minute: return {s + 1, b - s - 1};
    case TimeField::AmPm: return b < size ? TextSpan{b + 1, size - b - 1} : TextSpan{size, 0};
    }
    return {};
}

TDateTime StepTimeField(TDateTime time, TimeField field, int delta)
{
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(time, hour, minute, second, msec);
    int total = hour * 60 + minute;
    switch (field) {
    case TimeField::Hour: total += 60 * delta; break;
    case TimeField::Minute: total += delta; break;
    case TimeField::AmPm: total += 12 * 60 * delta; break;
    }
    total = ((total % 1440) + 1440) % 1440;
    return EncodeTime(total / 60, total % 60);
}

} // namespace orvane
