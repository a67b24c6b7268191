// Minutes the pass never sees: sleep, a clock set forward or back, and the two DST changes.
#include "tests/alarms/pass_fixture.h"
#include "tests/support/tz_guard.h"

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

class MissedMinutesTest : public test::PassFixture {};

TEST_F(MissedMinutesTest, AStartInSkippedMinutesFiresOnceLateAndIsReArmedAfterNow)
{
    add(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "daily"), At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 6, 58));
    runAt(At(2026, 12, 8, 7, 20)); // the machine slept from 06:58 to 07:20
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 7, 0)));
    runAt(At(2026, 12, 8, 7, 21));
    EXPECT_EQ(opener.opened.size(), 1u);
}

TEST_F(MissedMinutesTest, ManyMissedOccurrencesFireOnlyOnce)
{
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(0, 0), atMessage, "quarter");
    r.Count = 15;
    r.EveryUnit = euMinutes;
    r.EveryDaysCode = 8;
    add(r, At(2026, 12, 8, 9, 0));
    runAt(At(2026, 12, 8, 8, 59));
    runAt(At(2026, 12, 8, 13, 7)); // 17 occurrences slept through
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 8, 13, 15)));
}

TEST_F(MissedMinutesTest, AStopInSkippedMinutesRunsLate)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atLauncher, "Page");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(8, 0);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 7, 30));
    runAt(At(2026, 12, 8, 9, 10)); // the clock jumped over 08:00
    ASSERT_EQ(launcher.starts().size(), 2u);
    EXPECT_EQ(launcher.starts()[1].back(), "-CLOSE");
}

TEST_F(MissedMinutesTest, AnOccurrenceWhoseStartAndStopWereBothMissedIsNotStarted)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atLauncher, "Page");
    r.StopEnabled = 1;
    r.StopTime = TimeAt(8, 0);
    add(r, At(2026, 12, 8, 7, 0));
    runAt(At(2026, 12, 8, 6, 0));
    runAt(At(2026, 12, 8, 9, 0));
    EXPECT_TRUE(launcher.starts().empty()) << "starting it now would leave it running with no stop to come";
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 7, 0)));
    runAt(At(2026, 12, 8, 9, 1));
    EXPECT_TRUE(launcher.starts().empty());
}

TEST_F(MissedMinutesTest, AnAlarmSetInThePastIsNotCaughtUp)
{
    runAt(At(2026, 12, 8, 10, 0));
    add(MakeAlarm(rcOnce, TimeAt(7, 0), atMessage, "yesterday"), At(2026, 12, 7, 7, 0));
    add(MakeAlarm(rcOnce, TimeAt(10, 0), atMessage, "this minute, after its pass"), At(2026, 12, 8, 10, 0));
    runAt(At(2026, 12, 8, 10, 1));
    EXPECT_TRUE(opener.opened.empty());
}

TEST_F(MissedMinutesTest, AClockSetBackNeverFiresAnythingTwice)
{
    add(MakeAlarm(rcOnce, TimeAt(10, 0), atMessage, "once"), At(2026, 12, 8, 10, 0));
    TAlarmRecord stopper = MakeAlarm(rcDaily, TimeAt(9, 50), atLauncher, "Page");
    stopper.StopEnabled = 1;
    stopper.StopTime = TimeAt(10, 0);
    add(stopper, At(2026, 12, 8, 9, 50));
    table.slot(1).AutoDelete = 0;
    for (int m = 50; m <= 59; ++m)
        runAt(At(2026, 12, 8, 9, m));
    runAt(At(2026, 12, 8, 10, 0));
    runAt(At(2026, 12, 8, 10, 1));
    // Set back ten minutes, then live through 10:00 again.
    for (int m = 51; m <= 59; ++m)
        runAt(At(2026, 12, 8, 9, m));
    runAt(At(2026, 12, 8, 10, 0));
    runAt(At(2026, 12, 8, 10, 1));
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(launcher.starts().size(), 2u) << "one launch and one close";
}

TEST_F(MissedMinutesTest, SpringForwardFiresAnAlarmInTheSkippedHourAtTheNextMinute)
{
    TzGuard tz("Europe/Berlin");
    // 29 March 2026: 02:00 local becomes 03:00.
    add(MakeAlarm(rcDaily, TimeAt(2, 30), atMessage, "in the gap"), At(2026, 3, 29, 2, 30));
    setNow(At(2026, 3, 29, 1, 59, 30));
    pass.AlarmPass(MinuteStart(ToDateTime(clock.now())), voice);
    clock.advance(std::chrono::seconds(35)); // the next minute on the wall is 03:00
    const TDateTime wall = ToDateTime(clock.now());
    ASSERT_EQ(MinuteNumber(MinuteStart(wall)), MinuteNumber(At(2026, 3, 29, 3, 0)));
    pass.AlarmPass(MinuteStart(wall), voice);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 3, 30, 2, 30)));
}

TEST_F(MissedMinutesTest, FallBackFiresAnAlarmInTheRepeatedHourOnlyAtItsFirstOccurrence)
{
    TzGuard tz("America/New_York");
    // 1 November 2026: 02:00 EDT becomes 01:00 EST, so 01:00..01:59 comes twice.
    add(MakeAlarm(rcDaily, TimeAt(1, 30), atMessage, "daily"), At(2026, 11, 1, 1, 30));
    add(MakeAlarm(rcOnce, TimeAt(1, 45), atMessage, "once"), At(2026, 11, 1, 1, 45));
    TAlarmRecord every = MakeAlarm(rcEvery, TimeAt(0, 0), atMessage, "every");
    every.Count = 20;
    every.EveryUnit = euMinutes;
    every.EveryDaysCode = 8;
    add(every, At(2026, 11, 1, 0, 20));
    for (int slot : {1, 2})
        table.slot(slot).AutoDelete = 0;

    setNow(At(2026, 11, 1, 0, 10, 1));
    std::vector<std::string> fired;
    for (int minute = 0; minute < 180; ++minute) {
        const TDateTime wall = ToDateTime(clock.now());
        pass.AlarmPass(MinuteStart(wall), voice);
        for (const MessageAlarmRequest &m : opener.opened)
            fired.push_back(m.text + "@" + test::Show(MinuteStart(wall)).substr(11, 5));
        opener.opened.clear();
        clock.advance(std::chrono::minutes(1));
    }
    const std::vector<std::string> expected{"every@00:20", "every@00:40", "every@01:00", "every@01:20",
                                            "daily@01:30", "every@01:40", "once@01:45",  "every@02:00"};
    EXPECT_EQ(fired, expected);
}

} // namespace
} // namespace orvane
