#pragma once
// The pop-up calendar's moves and the place of each day in its grid of 42 cells.
#include "app/common/date_time.h"

namespace orvane {

enum class CalendarMove {
    DayBack,
    DayForward,
    WeekBack,
    WeekForward,
    MonthBack,
    MonthForward,
    YearForward,
    YearBack
};

// The date after one move: a day or a week; back by the length of the previous month or forward
// by the length of the current one; about a year forward (Home) or back (End), keeping the
// day of the month across leap days as the calendar has always done.
TDateTime MoveCalendarDate(TDateTime date, CalendarMove move);

// Cell 0..41 (Sunday first, six weeks) of day `day` of the month of `date`.
int CalendarCellOfDay(TDateTime date, int day);
// The day of the month shown in a cell of the month of `date`, or 0 for a blank cell.
int CalendarDayOfCell(TDateTime date, int cell);

} // namespace orvane
