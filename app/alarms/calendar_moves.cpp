#include "app/alarms/calendar_moves.h"

namespace orvane {
namespace {

struct Ymd {
    int year = 0, month = 0, day = 0;
};

Ymd Decode(TDateTime date)
{
    Ymd d;
    DecodeDate(date, d.year, d.month, d.day);
    return d;
}

TDateTime YearForward(TDateTime date)
{
    Ymd d = Decode(date);
    if (IsLeapYear(d.year) && d.month <= 2)
        date += 1;
    date += 365;
    d = Decode(date);
    if (IsLeapYear(d.year) && d.month > 3)
        date += 1;
    return date;
}

TDateTime YearBack(TDateTime date)
{
    Ymd d = Decode(date);
    if (IsLeapYear(d.year) && d.month > 3)
        date -= 1;
    date -= 365;
    d = Decode(date);
    if (IsLeapYear(d.year) && d.month <= 2)
        date -= 1;
    return date;
}

} // namespace

TDateTime MoveCalendarDate(TDateTime date, CalendarMove move)
{
    date = DateOf(date);
    const Ymd d = Decode(date);
    TDateTime moved = date;
    switch (move) {
    case CalendarMove::DayBack: moved = date - 1; break;
    case CalendarMove::DayForward: moved = date + 1; break;
    case CalendarMove::WeekBack: moved = date - 7; break;
    case CalendarMove::WeekForward: moved = date + 7; break;
    case CalendarMove::MonthBack:
        moved = date - (d.month == 1 ? DaysInMonth(d.year - 1, 12) : DaysInMonth(d.year, d.month - 1));
        break;
    case CalendarMove::MonthForward: moved = date + DaysInMonth(d.year, d.month); break;
    case CalendarMove::YearForward: moved = YearForward(date); break;
    case CalendarMove::YearBack: moved = YearBack(date); break;
    }
    // The calendar stays within the years a date value can name.
    return IsValidDateTime(moved) && moved >= EncodeDate(1, 1, 1) ? moved : date;
}

int CalendarCellOfDay(TDateTime date, int day)
{
    const Ymd d = Decode(date);
    return DayOfWeek(EncodeDate(d.year, d.month, 1)) - 1 + day - 1;
}

int CalendarDayOfCell(TDateTime date, int cell)
{
    const Ymd d = Decode(date);
    const int day = cell - (DayOfWeek(EncodeDate(d.year, d.month, 1)) - 1) + 1;
    return day >= 1 && day <= DaysInMonth(d.year, d.month) ? day : 0;
}

} // namespace orvane
