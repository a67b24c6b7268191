// A year of minutes through the alarm pass, with sleeps and clock changes thrown in, checked
// against a plain statement of when each rule occurs: each pass fires an alarm exactly when one
// of its occurrences lies among the minutes that pass newly covers.
#include "tests/alarms/pass_fixture.h"
#include "tests/support/tz_guard.h"

#include <functional>
#include <map>
#include <random>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

struct Civil {
    int y, mo, d, h, mi, weekday;
};

Civil CivilOf(int64_t minute)
{
    Civil c{};
    const TDateTime dt = FromMinuteNumber(minute);
    int s, ms;
    DecodeDate(dt, c.y, c.mo, c.d);
    DecodeTime(dt, c.h, c.mi, s, ms);
    c.weekday = DayOfWeek(dt);
    return c;
}

bool IsWeekend(int weekday) { return weekday == 1 || weekday == 7; }

// The oracle: each rule written down as a test of one minute.
struct OracleAlarm {
    TAlarmRecord record;
    std::function<bool(const Civil &)> occurs;
};

std::vector<OracleAlarm> Alarms()
{
    std::vector<OracleAlarm> alarms;
    auto add = [&](TAlarmRecord r, const std::string &text, std::function<bool(const Civil &)> occurs) {
        r.Text.assign(text);
        r.AutoDelete = 0;
        alarms.push_back({r, std::move(occurs)});
    };
    add(MakeAlarm(rcDaily, TimeAt(7, 0)), "daily", [](const Civil &c) { return c.h == 7 && c.mi == 0; });

    TAlarmRecord office = MakeAlarm(rcEvery, TimeAt(9, 0));
    office.Count = 15, office.EveryUnit = euMinutes, office.EveryDaysCode = 9;
    office.StopEnabled = 1, office.StopTime = TimeAt(17, 0);
    add(office, "office", [](const Civil &c) {
        const int m = c.h * 60 + c.mi;
        return !IsWeekend(c.weekday) && m >= 540 && m <= 1020 && (m - 540) % 15 == 0;
    });

    TAlarmRecord odd = MakeAlarm(rcEvery, TimeAt(1, 0));
    odd.Count = 2, odd.EveryUnit = euHours, odd.EveryDaysCode = 8;
    add(odd, "odd hours", [](const Civil &c) { return c.h % 2 == 1 && c.mi == 0; });

    TAlarmRecord weekend = MakeAlarm(rcEvery, TimeAt(0, 0));
    weekend.Count = 45, weekend.EveryUnit = euMinutes, weekend.EveryDaysCode = 10;
    add(weekend, "weekend 45",
        [](const Civil &c) { return IsWeekend(c.weekday) && (c.h * 60 + c.mi) % 45 == 0; });

    TAlarmRecord monthEnd = MakeAlarm(rcMonthly, TimeAt(12, 0));
    monthEnd.Count = 31;
    add(monthEnd, "month end",
        [](const Civil &c) { return c.d == DaysInMonth(c.y, c.mo) && c.h == 12 && c.mi == 0; });

    TAlarmRecord first = MakeAlarm(rcMonthly, TimeAt(0, 0));
    first.Count = 1;
    add(first, "first", [](const Civil &c) { return c.d == 1 && c.h == 0 && c.mi == 0; });

    TAlarmRecord lastFriday = MakeAlarm(rcRecurs, TimeAt(18, 0));
    lastFriday.RecursWhichCode = 6, lastFriday.RecursDayCode = 6;
    add(lastFriday, "last friday", [](const Civil &c) {
        return c.weekday == 6 && c.d + 7 > DaysInMonth(c.y, c.mo) && c.h == 18 && c.mi == 0;
    });

    TAlarmRecord secondTuesday = MakeAlarm(rcRecurs, TimeAt(8, 30));
    secondTuesday.RecursWhichCode = 3, secondTuesday.RecursDayCode = 3;
    add(secondTuesday, "2nd tuesday",
        [](const Civil &c) { return c.weekday == 3 && c.d >= 8 && c.d <= 14 && c.h == 8 && c.mi == 30; });

    TAlarmRecord weekends = MakeAlarm(rcRecurs, TimeAt(10, 0));
    weekends.RecursWhichCode = 1, weekends.RecursDayCode = 9;
    add(weekends, "weekends", [](const Civil &c) { return IsWeekend(c.weekday) && c.h == 10 && c.mi == 0; });

    TAlarmRecord once = MakeAlarm(rcOnce, TimeAt(13, 0));
    once.AlarmDate = At(2027, 6, 15);
    add(once, "once",
        [](const Civil &c) { return c.y == 2027 && c.mo == 6 && c.d == 15 && c.h == 13 && c.mi == 0; });
    return alarms;
}

struct Span {
    const char *name;
    const char *zone;
    TDateTime begin, end;
    int minSkips, minSetBacks, minFires;
    int wallBacks; // times the zone's own clock goes back within the span
};

class YearOfMinutesTest : public test::PassFixture, public ::testing::WithParamInterface<Span> {};

// Real time runs minute by minute from `begin` to `end` (the wall clock of the span's zone, DST
// changes and all), with the machine asleep now and then and the clock set back now and then.
TEST_P(YearOfMinutesTest, EveryDueStartHappensExactlyOnceSkippedMinutesIncluded)
{
    const Span &span = GetParam();
    TzGuard tz(span.zone);
    const std::vector<OracleAlarm> alarms = Alarms();
    for (const OracleAlarm &a : alarms)
        add(a.record, 0.0);

    const TimePoint end = FromDateTime(span.end);
    std::mt19937 random(20270101);
    std::uniform_int_distribution<int> dice(0, 9999);
    std::uniform_int_distribution<int> sleep(2, 3000);
    std::uniform_int_distribution<int> setBack(1, 120);

    TimePoint instant = FromDateTime(span.begin);
    clock.setNow(instant - std::chrono::seconds(30));
    pass.InitAlarms(false);
    int64_t highWater = MinuteNumber(span.begin) - 1; // the latest wall minute any pass has covered
    std::optional<int64_t> last;
    int skips = 0, setBacks = 0, fires = 0, steps = 0, wallBacks = 0;
    bool setBackNow = false;
    while (instant < end) {
        clock.setNow(instant + std::chrono::seconds(3));
        const int64_t m = FloorMinute(ToDateTime(clock.now()));
        if (last && m < *last && !setBackNow)
            ++wallBacks; // the wall clock went back by itself: the end of summer time
        setBackNow = false;
        pass.AlarmPass(FromMinuteNumber(m), voice);

        std::map<std::string, int> fired;
        for (const MessageAlarmRequest &r : opener.opened)
            ++fired[r.text];
        opener.opened.clear();
        const int64_t from = std::max(last && *last < m ? *last + 1 : m, highWater + 1);
        for (const OracleAlarm &a : alarms) {
            bool due = false;
            for (int64_t k = from; k <= m && !due; ++k)
                due = a.occurs(CivilOf(k));
            const int got = fired[a.record.Text.str()];
            ASSERT_EQ(got, due ? 1 : 0) << a.record.Text.str() << " at " << test::Show(FromMinuteNumber(m))
                                        << " covering from " << test::Show(FromMinuteNumber(from));
            fires += got;
        }
        highWater = std::max(highWater, m);
        last = m;

        const int roll = dice(random);
        if (roll < 4) {
            instant += std::chrono::minutes(sleep(random));
            ++skips;
        } else if (roll == 4 && steps > 200) {
            instant -= std::chrono::minutes(setBack(random));
            ++setBacks;
            setBackNow = true;
        } else {
            instant += std::chrono::minutes(1);
        }
        ++steps;
    }
    EXPECT_GE(skips, span.minSkips);
    EXPECT_GE(setBacks, span.minSetBacks);
    EXPECT_GE(fires, span.minFires);
    EXPECT_EQ(wallBacks, span.wallBacks);
}

// The whole of 2027 in UTC, and the weeks around both DST changes in two zones (the EU changes
// on a Sunday, when the weekend alarm runs through the night; the US on a Sunday too, but at
// 02:00 local time, a week or so apart from the EU).
INSTANTIATE_TEST_SUITE_P(
    Spans, YearOfMinutesTest,
    ::testing::Values(
        Span{"Year2027Utc", "UTC", At(2027, 1, 1), At(2028, 1, 1), 100, 10, 10000, 0},
        Span{"BerlinSpring", "Europe/Berlin", At(2027, 3, 21), At(2027, 4, 4), 1, 0, 100, 0},
        Span{"BerlinAutumn", "Europe/Berlin", At(2027, 10, 24), At(2027, 11, 7), 1, 0, 100, 1},
        Span{"NewYorkSpring", "America/New_York", At(2027, 3, 7), At(2027, 3, 21), 1, 0, 100, 0},
        Span{"NewYorkAutumn", "America/New_York", At(2027, 10, 31), At(2027, 11, 14), 1, 0, 100, 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace orvane
