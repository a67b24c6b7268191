#include "app/alarms/recurrence.h"
#include "tests/alarms/alarm_test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::Show;
using test::TimeAt;

TAlarmRecord Once(TDateTime date, int h, int n, std::optional<TDateTime> stop = {})
{
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(h, n));
    r.AlarmDate = date;
    r.StopEnabled = stop.has_value();
    r.StopTime = stop.value_or(0);
    return r;
}

TAlarmRecord Daily(int h, int n, std::optional<TDateTime> stop = {})
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(h, n));
    r.StopEnabled = stop.has_value();
    r.StopTime = stop.value_or(0);
    return r;
}

TAlarmRecord Recurs(int which, int day, int h, int n)
{
    TAlarmRecord r = MakeAlarm(rcRecurs, TimeAt(h, n));
    r.RecursWhichCode = which;
    r.RecursDayCode = day;
    return r;
}

TAlarmRecord Every(int count, int unit, int days, int h, int n, std::optional<TDateTime> stop = {})
{
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(h, n));
    r.Count = count;
    r.EveryUnit = unit;
    r.EveryDaysCode = days;
    r.StopEnabled = stop.has_value();
    r.StopTime = stop.value_or(0);
    return r;
}

TAlarmRecord Monthly(int day, int h, int n)
{
    TAlarmRecord r = MakeAlarm(rcMonthly, TimeAt(h, n));
    r.Count = day;
    return r;
}

struct NextCase {
    const char *name;
    TAlarmRecord record;
    TDateTime now;
    bool includeNow;
    std::optional<TDateTime> expected; // nullopt: the rule has no occurrence
};

class ComputeNextTimeTest : public ::testing::TestWithParam<NextCase> {};

TEST_P(ComputeNextTimeTest, GivesTheNextStartToTheMinute)
{
    const NextCase &c = GetParam();
    TAlarmRecord r = c.record;
    const bool found = ComputeNextTime(r, c.includeNow, c.now);
    if (!c.expected) {
        EXPECT_FALSE(found);
        EXPECT_EQ(r.NextTime, kNoOccurrence);
        return;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(MinuteNumber(r.NextTime), MinuteNumber(*c.expected))
        << "got " << Show(r.NextTime) << ", expected " << Show(*c.expected);
}

// 2026-12-07 is a Monday, 2026-12-08 a Tuesday (the 2nd of its month), 2026-12-11 a Friday;
// 31 January 1997 was a Friday.
INSTANTIATE_TEST_SUITE_P(
    Rules, ComputeNextTimeTest,
    ::testing::Values(
        NextCase{"OnceYesterdayStaysInThePast", Once(At(2026, 12, 7), 7, 0), At(2026, 12, 8, 10, 0), false,
                 At(2026, 12, 7, 7, 0)},
        NextCase{"OnceTodayPassedIncludeNowFiresThisMinute", Once(At(2026, 12, 8), 7, 0),
                 At(2026, 12, 8, 9, 0, 40), true, At(2026, 12, 8, 9, 0)},
        NextCase{"OnceTodayPassedStopPassedKeepsItsStart", Once(At(2026, 12, 8), 7, 0, TimeAt(8, 0)),
                 At(2026, 12, 8, 9, 0), true, At(2026, 12, 8, 7, 0)},
        NextCase{"OnceAhead", Once(At(2027, 1, 2), 6, 45), At(2026, 12, 8, 9, 0), false,
                 At(2027, 1, 2, 6, 45)},
        NextCase{"DailyBeforeItsTime", Daily(7, 0), At(2026, 12, 8, 6, 59), false, At(2026, 12, 8, 7, 0)},
        NextCase{"DailyThirtySecondsLate", Daily(7, 0), At(2026, 12, 8, 7, 0, 30), false,
                 At(2026, 12, 9, 7, 0)},
        NextCase{"DailyExactlyAtItsTimeIsStillToday", Daily(7, 0), At(2026, 12, 8, 7, 0, 0), false,
                 At(2026, 12, 8, 7, 0)},
        NextCase{"DailyIncludeNowAfterStop", Daily(7, 0, TimeAt(8, 0)), At(2026, 12, 8, 9, 0), true,
                 At(2026, 12, 9, 7, 0)},
        NextCase{"DailyIncludeNowBeforeStop", Daily(7, 0, TimeAt(8, 0)), At(2026, 12, 8, 7, 30), true,
                 At(2026, 12, 8, 7, 30)},
        NextCase{"DailyAcrossYearEnd", Daily(7, 0), At(2026, 12, 31, 8, 0), false, At(2027, 1, 1, 7, 0)},
        NextCase{"RecursEveryMondayJustAfter", Recurs(1, 2, 8, 0), At(2026, 12, 7, 8, 0, 20), false,
                 At(2026, 12, 14, 8, 0)},
        NextCase{"RecursEveryWeekdayFromSaturday", Recurs(1, 8, 8, 0), At(2026, 12, 12, 9, 0), false,
                 At(2026, 12, 14, 8, 0)},
        NextCase{"RecursEveryWeekendFromMonday", Recurs(1, 9, 8, 0), At(2026, 12, 7, 9, 0), false,
                 At(2026, 12, 12, 8, 0)},
        NextCase{"RecursLastFridayThatDay", Recurs(6, 6, 10, 0), At(1997, 1, 31, 9, 0), false,
                 At(1997, 1, 31, 10, 0)},
        NextCase{"RecursLastFridayAfterIt", Recurs(6, 6, 10, 0), At(1997, 1, 31, 11, 0), false,
                 At(1997, 2, 28, 10, 0)},
        NextCase{"RecursLastWeekdayOfDecember", Recurs(6, 8, 9, 0), At(2026, 12, 8, 9, 0), false,
                 At(2026, 12, 31, 9, 0)},
        NextCase{"RecursFirstMondayFromTheSecond", Recurs(2, 2, 8, 0), At(2026, 12, 14, 9, 0), false,
                 At(2027, 1, 4, 8, 0)},
        NextCase{"RecursSecondTuesdayToday", Recurs(3, 3, 10, 0), At(2026, 12, 8, 9, 0), false,
                 At(2026, 12, 8, 10, 0)},
        NextCase{"RecursFourthSundayNextMonth", Recurs(5, 1, 10, 0), At(2026, 12, 28, 9, 0), false,
                 At(2027, 1, 24, 10, 0)},
        NextCase{"RecursSecondTuesdayIncludeNowWithoutStop", Recurs(3, 3, 7, 0), At(2026, 12, 8, 9, 0), true,
                 At(2026, 12, 8, 9, 0)},
        NextCase{"RecursUnknownWhichStaysToday", Recurs(7, 3, 7, 0), At(2026, 12, 8, 9, 0), false,
                 At(2026, 12, 8, 7, 0)},
        NextCase{"EveryQuarterHourAfterStart", Every(15, euMinutes, 8, 9, 0), At(2026, 12, 8, 9, 7), false,
                 At(2026, 12, 8, 9, 15)},
        NextCase{"EveryQuarterHourBeforeStart", Every(15, euMinutes, 8, 9, 0), At(2026, 12, 8, 8, 0), false,
                 At(2026, 12, 8, 9, 0)},
        NextCase{"EveryOnTheStepIsThatStep", Every(15, euMinutes, 8, 9, 0), At(2026, 12, 8, 9, 30, 0), false,
                 At(2026, 12, 8, 9, 30)},
        NextCase{"EveryTwoHoursWeekdaysAcrossTheWeekend", Every(2, euHours, 9, 23, 0),
                 At(2026, 12, 11, 23, 30), false, At(2026, 12, 14, 23, 0)},
        NextCase{"EveryPastItsStop", Every(30, euMinutes, 8, 9, 0, TimeAt(17, 0)), At(2026, 12, 8, 17, 10),
                 false, At(2026, 12, 9, 9, 0)},
        NextCase{"EveryCarriesPastMidnight", Every(2, euHours, 8, 21, 0), At(2026, 12, 8, 23, 30), false,
                 At(2026, 12, 9, 1, 0)},
        NextCase{"EveryFromSaturdayOnWeekdays", Every(1, euHours, 9, 8, 0), At(2026, 12, 12, 10, 0), false,
                 At(2026, 12, 14, 8, 0)},
        NextCase{"MonthlyThirtyFirstInApril", Monthly(31, 9, 0), At(2026, 4, 10, 12, 0), false,
                 At(2026, 4, 30, 9, 0)},
        NextCase{"MonthlyThirtyFirstLeapFebruary", Monthly(31, 9, 0), At(1996, 2, 10, 12, 0), false,
                 At(1996, 2, 29, 9, 0)},
        NextCase{"MonthlyThirtyFirstCommonFebruary", Monthly(31, 9, 0), At(1997, 2, 10, 12, 0), false,
                 At(1997, 2, 28, 9, 0)},
        NextCase{"MonthlyFifteenthJustAfter", Monthly(15, 9, 0), At(2026, 11, 15, 9, 0, 30), false,
                 At(2026, 12, 15, 9, 0)},
        NextCase{"MonthlyFifteenthBefore", Monthly(15, 9, 0), At(2026, 11, 15, 8, 0), false,
                 At(2026, 11, 15, 9, 0)},
        NextCase{"MonthlyFifteenthFromThe20th", Monthly(15, 9, 0), At(2026, 11, 20, 8, 0), false,
                 At(2026, 12, 15, 9, 0)},
        NextCase{"MonthlyFifteenthFrom20December", Monthly(15, 9, 0), At(2026, 12, 20, 8, 0), false,
                 At(2027, 1, 15, 9, 0)},
        NextCase{"MonthlyThirtyFirstFrom30April", Monthly(31, 9, 0), At(2026, 4, 30, 9, 0, 30), false,
                 At(2026, 5, 31, 9, 0)},
        NextCase{"MonthlyThirtyFirstFrom31January", Monthly(31, 9, 0), At(1996, 1, 31, 10, 0), false,
                 At(1996, 2, 29, 9, 0)},
        NextCase{"MonthlyIncludeNowToday", Monthly(8, 7, 0), At(2026, 12, 8, 9, 0), true,
                 At(2026, 12, 8, 9, 0)},
        NextCase{"EveryWithoutDaysHasNoOccurrence", Every(15, euMinutes, 0, 9, 0), At(2026, 12, 8, 9, 0),
                 false, std::nullopt},
        NextCase{"EveryWithDayCode11HasNoOccurrence", Every(15, euMinutes, 11, 9, 0), At(2026, 12, 8, 9, 0),
                 false, std::nullopt},
        NextCase{"EveryWithCountZeroHasNoOccurrence", Every(0, euMinutes, 8, 9, 0), At(2026, 12, 8, 10, 0),
                 false, std::nullopt},
        NextCase{"RecursDayCode10HasNoOccurrence", Recurs(1, 10, 9, 0), At(2026, 12, 8, 9, 0), false,
                 std::nullopt},
        NextCase{"RecursNthWithoutDaysHasNoOccurrence", Recurs(3, 0, 9, 0), At(2026, 12, 8, 9, 0), false,
                 std::nullopt},
        NextCase{"MonthlyDayZeroHasNoOccurrence", Monthly(0, 9, 0), At(2026, 12, 8, 9, 0), false,
                 std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ComputeNextTime, LeavesAnEmptyRecordAlone)
{
    TAlarmRecord r;
    r.NextTime = 123.0;
    EXPECT_TRUE(ComputeNextTime(r, true, At(2026, 12, 8, 9, 0)));
    EXPECT_EQ(r.NextTime, 123.0);
}

TEST(ComputeNextTime, ADamagedTimeHasNoOccurrence)
{
    TAlarmRecord r = Daily(7, 0);
    r.StartTime = 1.5;
    EXPECT_FALSE(ComputeNextTime(r, false, At(2026, 12, 8, 9, 0)));
    r = Once(std::numeric_limits<double>::quiet_NaN(), 7, 0);
    EXPECT_FALSE(ComputeNextTime(r, false, At(2026, 12, 8, 9, 0)));
}

struct StopCase {
    const char *name;
    TDateTime start, stop, next, expected;
};

class ComputeStopAtTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(ComputeStopAtTest, PutsTheStopOnTheStartsDateOrTheNext)
{
    TAlarmRecord r = Daily(0, 0);
    r.StartTime = GetParam().start;
    r.StopTime = GetParam().stop;
    r.NextTime = GetParam().next;
    ComputeStopAt(r);
    EXPECT_EQ(MinuteNumber(r.StopAt), MinuteNumber(GetParam().expected)) << Show(r.StopAt);
}

INSTANTIATE_TEST_SUITE_P(Stops, ComputeStopAtTest,
                         ::testing::Values(StopCase{"AfterMidnight", TimeAt(23, 0), TimeAt(1, 0),
                                                    At(2026, 5, 5, 23, 0), At(2026, 5, 6, 1, 0)},
                                           StopCase{"SameDay", TimeAt(7, 0), TimeAt(8, 0),
                                                    At(2026, 5, 5, 7, 0), At(2026, 5, 5, 8, 0)},
                                           StopCase{"EqualIsTheSameMinute", TimeAt(7, 0), TimeAt(7, 0),
                                                    At(2026, 5, 5, 7, 0), At(2026, 5, 5, 7, 0)},
                                           StopCase{"SnoozedStartKeepsItsDate", TimeAt(7, 0), TimeAt(8, 0),
                                                    At(2026, 12, 31, 23, 55), At(2026, 12, 31, 8, 0)},
                                           StopCase{"YearEnd", TimeAt(23, 30), TimeAt(0, 30),
                                                    At(2026, 12, 31, 23, 30), At(2027, 1, 1, 0, 30)}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NextDay, RollsOverMonthAndYearEndsAndDropsTheTime)
{
    EXPECT_EQ(NextDay(At(1997, 1, 31, 13, 5)), At(1997, 2, 1));
    EXPECT_EQ(NextDay(At(1996, 2, 28)), At(1996, 2, 29));
    EXPECT_EQ(NextDay(At(1997, 2, 28)), At(1997, 3, 1));
    EXPECT_EQ(NextDay(At(2026, 12, 31, 23, 59)), At(2027, 1, 1));
}

} // namespace
} // namespace orvane
