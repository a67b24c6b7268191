#include "app/alarms/alarm_time_counter.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/platform/fake/fake_sound_player.h"
#include "tests/alarms/alarm_test_support.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

class MsgAlrmActionsTest : public ::testing::Test {
protected:
    ManualClock clock;
    TAlarmTable table;
    FakeSoundPlayer sound;
    int snoozeMinutes = 10;
    TMsgAlrmActions actions{table, clock, sound, snoozeMinutes};

    AlarmId add(RecurrenceKind kind, int hour, const std::string &text = "")
    {
        const int slot = *table.firstEmptySlot();
        table.storeAlarm(slot, MakeAlarm(kind, TimeAt(hour, 0), atMessage, text));
        return table.idOf(slot);
    }
};

struct SnoozeCase {
    TDateTime now;
    int minutes;
    TDateTime expected;
};

TEST(SnoozeUntil, DropsTheSecondsAndAddsTheMinutesAcrossMidnight)
{
    const SnoozeCase cases[] = {
        {At(2026, 12, 8, 23, 55, 40), 10, At(2026, 12, 9, 0, 5)},
        {At(2026, 12, 8, 7, 0, 59), 1, At(2026, 12, 8, 7, 1)},
        {At(2026, 12, 8, 7, 0, 0), 59, At(2026, 12, 8, 7, 59)},
        {At(2026, 12, 31, 23, 30), 45, At(2027, 1, 1, 0, 15)},
    };
    for (const SnoozeCase &c : cases)
        EXPECT_EQ(MinuteNumber(SnoozeUntil(c.now, c.minutes)), MinuteNumber(c.expected)) << test::Show(c.now);
}

TEST_F(MsgAlrmActionsTest, SnoozeSetsNextTimeAndTheSharedLengthButNeverDeletes)
{
    const AlarmId id = add(rcOnce, 23);
    clock.setNow(FromDateTime(At(2026, 12, 8, 23, 55, 12)));
    actions.BitBtn1Click(id, 10);
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 0, 5)));
    EXPECT_EQ(snoozeMinutes, 10);
    EXPECT_FALSE(table.slot(1).isEmpty());
    EXPECT_EQ(sound.calls().size(), 1u);
    EXPECT_EQ(sound.calls()[0].kind, FakeSoundPlayer::Kind::Beep);

    actions.BitBtn1Click(id, 0);
    EXPECT_EQ(snoozeMinutes, 1) << "the spin edit's range is 1..59";
    actions.BitBtn1Click(id, 75);
    EXPECT_EQ(snoozeMinutes, 59);
}

TEST_F(MsgAlrmActionsTest, OkDeletesAOneShotAlarmAndItsRecordedWaveAndKeepsRecurringOnes)
{
    TempDir dir;
    const std::string wave = dir.file("OV-4.wav");
    TempDir::write(wave, "RIFF");
    const AlarmId daily = add(rcDaily, 6, "daily");
    const AlarmId once = add(rcOnce, 7, "once");
    table.slot(*table.slotOf(once)).BeforeWave.assign(wave);
    int rebuilt = 0;
    actions.setAlarmListChanged([&] { ++rebuilt; });

    actions.OKBtnClick(daily);
    EXPECT_TRUE(table.slotOf(daily));
    actions.OKBtnClick(once);
    EXPECT_FALSE(table.slotOf(once));
    EXPECT_FALSE(std::filesystem::exists(wave));
    EXPECT_EQ(table.countAlarms(), 1);
    EXPECT_EQ(rebuilt, 2);
}

TEST_F(MsgAlrmActionsTest, AWindowActsOnItsOwnAlarmAfterTheTableChanged)
{
    const AlarmId nine = add(rcOnce, 9, "nine");
    add(rcDaily, 8, "eight");
    table.SortAlarmTable(); // "nine" moves from slot 1 to slot 2
    clock.setNow(FromDateTime(At(2026, 12, 8, 9, 0, 30)));
    actions.BitBtn1Click(nine, 5);
    EXPECT_EQ(MinuteNumber(table.slot(2).NextTime), MinuteNumber(At(2026, 12, 8, 9, 5)));
    EXPECT_EQ(table.slot(1).NextTime, 0.0) << "the alarm now in the window's old slot is untouched";
    actions.OKBtnClick(nine);
    EXPECT_EQ(table.slot(1).Text.str(), "eight");
    EXPECT_EQ(table.countAlarms(), 1);
}

TEST_F(MsgAlrmActionsTest, WhenItsAlarmIsGoneOkAndSnoozeOnlyClose)
{
    const AlarmId gone = add(rcOnce, 9, "gone");
    table.ClearSlot(1);
    table.storeAlarm(1, MakeAlarm(rcOnce, TimeAt(9, 0), atMessage, "newcomer"));
    actions.BitBtn1Click(gone, 5);
    actions.OKBtnClick(gone);
    EXPECT_EQ(table.slot(1).Text.str(), "newcomer");
    EXPECT_EQ(table.slot(1).NextTime, 0.0);
}

TEST(AlarmTimeCounter, PlaysOnTheFirstTickAndEvery59SecondsAfter)
{
    TAlarmTimeCounter counter;
    EXPECT_FALSE(counter.AlarmTime());
    std::vector<int> plays;
    for (int second = 1; second <= 200; ++second)
        if (counter.Timer1Timer())
            plays.push_back(second);
    EXPECT_EQ(plays, (std::vector<int>{1, 60, 119, 178}));
    EXPECT_GE(*counter.AlarmTime(), 1);
    EXPECT_LE(*counter.AlarmTime(), 59);
}

} // namespace
} // namespace orvane
