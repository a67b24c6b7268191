#include "app/alarms/alarm_description.h"
#include "tests/alarms/alarm_test_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

std::string Blanks(int n) { return std::string(n, ' '); }

struct DescribeCase {
    const char *name;
    TAlarmRecord record;
    std::string expected;
};

TAlarmRecord With(TAlarmRecord r, void (*change)(TAlarmRecord &))
{
    change(r);
    return r;
}

class DescribeAlarmTest : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(DescribeAlarmTest, PadsTheTimeCutsTheRuleAndAppendsTheText)
{
    EXPECT_EQ(DescribeAlarm(GetParam().record, FormatSettings{}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DescribeAlarmTest,
    ::testing::Values(DescribeCase{"Once",
                                   With(MakeAlarm(rcOnce, TimeAt(7, 22), atMessage, "Wake up"),
                                        [](TAlarmRecord &r) { r.AlarmDate = At(1996, 12, 25); }),
                                   "7:22 AM" + Blanks(3) + "once on 12/25/96" + Blanks(8) + "Wake up"},
                      DescribeCase{"RecursFirstMonday",
                                   With(MakeAlarm(rcRecurs, TimeAt(7, 22), atMessage, "x"),
                                        [](TAlarmRecord &r) {
                                            r.RecursWhichCode = 2;
                                            r.RecursDayCode = 2;
                                        }),
                                   "7:22 AM" + Blanks(3) + "on 1st Monday" + Blanks(11) + "x"},
                      DescribeCase{"EveryFifteenMinutesWeekdays",
                                   With(MakeAlarm(rcEvery, TimeAt(7, 22), atMessage, "x"),
                                        [](TAlarmRecord &r) {
                                            r.Count = 15;
                                            r.EveryUnit = euMinutes;
                                            r.EveryDaysCode = 9;
                                        }),
                                   "7:22 AM" + Blanks(3) + "every 15 min on Wday" + Blanks(4) + "x"},
                      DescribeCase{"EveryHoursIsCutAt34",
                                   With(MakeAlarm(rcEvery, TimeAt(7, 22), atMessage, "x"),
                                        [](TAlarmRecord &r) {
                                            r.Count = 12;
                                            r.EveryUnit = euHours;
                                            r.EveryDaysCode = 8;
                                        }),
                                   "7:22 AM" + Blanks(3) + "every 12 hours on Evry" + Blanks(2) + "x"},
                      DescribeCase{"Daily", MakeAlarm(rcDaily, TimeAt(7, 22), atMessage, "Tea"),
                                   "7:22 AM" + Blanks(3) + "Daily" + Blanks(19) + "Tea"},
                      DescribeCase{"MonthlyTwentyFirst",
                                   With(MakeAlarm(rcMonthly, TimeAt(7, 22), atMessage, "Rent"),
                                        [](TAlarmRecord &r) { r.Count = 21; }),
                                   "7:22 AM" + Blanks(3) + "21st of every month" + Blanks(5) + "Rent"},
                      DescribeCase{"AfternoonTimeIsEightColumns",
                                   MakeAlarm(rcDaily, TimeAt(19, 5), atMessage, ""),
                                   "7:05 PM" + Blanks(3) + "Daily" + Blanks(19)},
                      DescribeCase{"UnknownDayCodeGivesAnEmptyWord",
                                   With(MakeAlarm(rcRecurs, TimeAt(7, 22), atMessage, ""),
                                        [](TAlarmRecord &r) {
                                            r.RecursWhichCode = 9;
                                            r.RecursDayCode = 0;
                                        }),
                                   "7:22 AM" + Blanks(3) + "on  " + Blanks(19) + ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DescribeAlarm, ALongShortTimeFormatIsCutToTenColumns)
{
    FormatSettings fs;
    fs.shortTimeFormat = "hh:nn:ss AMPM";
    const std::string line = DescribeAlarm(MakeAlarm(rcDaily, TimeAt(7, 22)), fs);
    EXPECT_EQ(line.substr(10, 5), "Daily");
    EXPECT_EQ(line.size(), 34u);
}

TEST(DaySuffix, OrdinalsOfEveryDayOfTheMonth)
{
    const std::pair<int, const char *> cases[] = {{1, "st "},  {2, "nd "},  {3, "rd "},  {4, "th "},
                                                  {11, "th "}, {12, "th "}, {13, "th "}, {21, "st "},
                                                  {22, "nd "}, {23, "rd "}, {30, "th "}, {31, "st "}};
    for (const auto &[day, suffix] : cases)
        EXPECT_EQ(DaySuffix(day), suffix) << day;
}

TEST(WeekdayName, NamesTheDateAndToleratesDamage)
{
    EXPECT_EQ(WeekdayName(At(1997, 1, 31, 10, 0)), "Friday");
    EXPECT_EQ(WeekdayName(At(2026, 12, 6)), "Sunday");
    EXPECT_EQ(WeekdayName(At(2026, 12, 12)), "Saturday");
    EXPECT_EQ(WeekdayName(std::numeric_limits<double>::quiet_NaN()), "");
}

} // namespace
} // namespace orvane

#include "app/alarms/alarm_list.h"

namespace orvane {
namespace {

TEST(BuildAlarmList, DescribesTheAlarmsInSlotOrder)
{
    TAlarmTable table;
    table.storeAlarm(1, MakeAlarm(rcDaily, TimeAt(9, 0), atMessage, "nine"));
    table.storeAlarm(3, MakeAlarm(rcDaily, TimeAt(6, 0), atProgram, "six"));
    table.SortAlarmTable();
    const std::vector<std::string> lines = BuildAlarmList(table, FormatSettings{});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "6:00 AM" + Blanks(3) + "Daily" + Blanks(19) + "six");
    EXPECT_EQ(lines[1].substr(34), "nine");
}

} // namespace
} // namespace orvane
