#include "app/alarms/alarm_table.h"
#include "app/alarms/recorded_wave.h"
#include "tests/alarms/alarm_test_support.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace orvane {
namespace {

using test::MakeAlarm;
using test::TimeAt;

TEST(AlarmRecord, ClearSlotEmptiesTextsAndZeroesOffsets304To380Only)
{
    TAlarmTable table;
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atProgram, "xterm");
    std::memset(reinterpret_cast<unsigned char *>(&r) + 304, 0xAB, 384 - 304);
    r.Recurrence = rcDaily;
    table.storeAlarm(1, r);
    table.ClearSlot(1);

    const auto *bytes = reinterpret_cast<const unsigned char *>(&table.slot(1));
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[101], 0);
    EXPECT_EQ(bytes[202], 0);
    for (int i = 304; i <= 380; ++i)
        ASSERT_EQ(bytes[i], 0) << "offset " << i;
    for (int i = 381; i < 384; ++i)
        EXPECT_EQ(bytes[i], 0xAB) << "padding after AutoDelete is not part of the cleared range";
    EXPECT_TRUE(table.slot(1).isEmpty());
    EXPECT_EQ(table.slot(1).NextTime, 0.0);
    EXPECT_EQ(table.idOf(1), NoAlarm);
}

TEST(AlarmRecord, SlotNumbersOutsideTheTableAreRefused)
{
    TAlarmTable table;
    EXPECT_THROW(table.slot(0), std::out_of_range);
    EXPECT_THROW(table.slot(51), std::out_of_range);
    EXPECT_THROW(table.ClearSlot(-3), std::out_of_range);
    EXPECT_NO_THROW(table.slot(50));
}

// Start times (hours) of slots 1.. and the expected order after the sort; -1 is an empty slot.
struct SortCase {
    const char *name;
    std::vector<int> hours;
    std::vector<int> expected;
};

class SortAlarmTableTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortAlarmTableTest, PutsAlarmsFirstByStartTimeAndEmptySlotsLast)
{
    TAlarmTable table;
    int n = 1;
    for (int h : GetParam().hours) {
        if (h >= 0)
            table.storeAlarm(n, MakeAlarm(rcDaily, TimeAt(h, 0)));
        ++n;
    }
    table.SortAlarmTable();
    std::vector<int> got;
    for (int s = 1; s <= 50; ++s)
        got.push_back(table.slot(s).isEmpty() ? -1
                                              : static_cast<int>(std::lround(table.slot(s).StartTime * 24)));
    std::vector<int> expected = GetParam().expected;
    expected.resize(50, -1);
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SortAlarmTableTest,
    ::testing::Values(SortCase{"SevenThenSixThirtyLike", {7, 6}, {6, 7}},
                      SortCase{"GapsBetweenAlarmsClose", {-1, 9, -1, -1, 3, -1, 12}, {3, 9, 12}},
                      SortCase{"AlreadySorted", {1, 2, 3}, {1, 2, 3}},
                      SortCase{"EqualTimesStayTogether", {8, 5, 8, 5}, {5, 5, 8, 8}},
                      SortCase{"LastSlotOnly", std::vector<int>(49, -1), {}},
                      SortCase{"FullReversed",
                               [] {
                                   std::vector<int> v;
                                   for (int i = 0; i < 50; ++i)
                                       v.push_back(23 - i % 24);
                                   return v;
                               }(),
                               [] {
                                   std::vector<int> v;
                                   for (int i = 0; i < 50; ++i)
                                       v.push_back(23 - i % 24);
                                   std::sort(v.begin(), v.end());
                                   return v;
                               }()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SortAlarmTable, IdsFollowTheirAlarms)
{
    TAlarmTable table;
    table.storeAlarm(1, MakeAlarm(rcDaily, TimeAt(9, 0), atMessage, "nine"));
    table.storeAlarm(2, MakeAlarm(rcDaily, TimeAt(6, 0), atMessage, "six"));
    const AlarmId nine = table.idOf(1);
    const AlarmId six = table.idOf(2);
    ASSERT_NE(nine, six);
    table.SortAlarmTable();
    EXPECT_EQ(table.slotOf(six), 1);
    EXPECT_EQ(table.slotOf(nine), 2);
    EXPECT_EQ(table.slot(*table.slotOf(nine)).Text.str(), "nine");
}

TEST(AlarmTableIds, ClearingAndReusingASlotGivesTheNewAlarmANewId)
{
    TAlarmTable table;
    table.storeAlarm(1, MakeAlarm(rcOnce, TimeAt(9, 0)));
    const AlarmId first = table.idOf(1);
    table.ClearSlot(1);
    EXPECT_FALSE(table.slotOf(first));
    table.storeAlarm(1, MakeAlarm(rcOnce, TimeAt(9, 0)));
    EXPECT_NE(table.idOf(1), first);
    EXPECT_FALSE(table.slotOf(first)) << "an old window must not reach the alarm now in its slot";
}

TEST(AlarmTableIds, StoringOverAnAlarmKeepsItsIdAndRemovingCompactsTheRest)
{
    TAlarmTable table;
    for (int n = 1; n <= 4; ++n)
        table.storeAlarm(n, MakeAlarm(rcDaily, TimeAt(n, 0)));
    const AlarmId second = table.idOf(2), third = table.idOf(3);
    TAlarmRecord changed = table.slot(2);
    changed.Text.assign("changed");
    table.storeAlarm(2, changed);
    EXPECT_EQ(table.idOf(2), second);

    table.removeAndCompact(2);
    EXPECT_EQ(table.countAlarms(), 3);
    EXPECT_EQ(table.slotOf(third), 2);
    EXPECT_FALSE(table.slotOf(second));
    EXPECT_TRUE(table.slot(4).isEmpty());
    EXPECT_EQ(table.firstEmptySlot(), 4);
}

TEST(DeleteAlarmSlot, RemovesOnlyRecordedWavesAndEmptiesTheSlot)
{
    TempDir dir;
    const std::string before = dir.file("OV-3.wav"), after = dir.file("bell.wav"),
                      text = dir.file("OV-7.wav");
    for (const std::string &f : {before, after, text})
        TempDir::write(f, "RIFF");
    TAlarmTable table;
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(7, 0), atWaveFile, text);
    r.BeforeWave.assign(before);
    r.AfterWave.assign(after);
    table.storeAlarm(2, r);

    table.DeleteAlarmSlot(2);
    EXPECT_FALSE(std::filesystem::exists(before));
    EXPECT_FALSE(std::filesystem::exists(text)) << "a wave alarm's own recorded wave goes too";
    EXPECT_TRUE(std::filesystem::exists(after)) << "a user's own wave is never deleted";
    EXPECT_TRUE(table.slot(2).isEmpty());
}

TEST(DeleteAlarmSlot, AMissingRecordedWaveIsIgnoredAndTextOfOtherActionsIsKept)
{
    TempDir dir;
    const std::string text = dir.file("OV-9.wav");
    TempDir::write(text, "RIFF");
    TAlarmTable table;
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(7, 0), atMessage, text);
    r.BeforeWave.assign(dir.file("OV-1.wav")); // never recorded
    table.storeAlarm(1, r);
    EXPECT_NO_THROW(table.DeleteAlarmSlot(1));
    EXPECT_TRUE(std::filesystem::exists(text)) << "a message's text is not a file to delete";
    EXPECT_TRUE(table.slot(1).isEmpty());
}

TEST(RecordedWave, OnlyTheFileNameDecides)
{
    EXPECT_TRUE(IsRecordedWave("/home/u/.local/share/orvane/waves/OV-12.wav"));
    EXPECT_TRUE(IsRecordedWave("C:\\ORVANE\\WAVES\\OV-1.WAV"));
    EXPECT_TRUE(IsRecordedWave("OV-2.wav"));
    EXPECT_FALSE(IsRecordedWave("/home/u/MOV-clips/song.wav"));
    EXPECT_FALSE(IsRecordedWave("/home/u/OV-stuff/song.wav"));
    EXPECT_FALSE(IsRecordedWave("/home/u/mov-ov-.wav"));
    EXPECT_FALSE(IsRecordedWave("NONE"));
    EXPECT_FALSE(IsRecordedWave(""));
}

} // namespace
} // namespace orvane

#include "app/alarms/new_alarm.h"

namespace orvane {
namespace {

TEST(NewAlarm, StartsAsAOneShotForTodayAtTheCurrentMinute)
{
    const TAlarmRecord r = NewAlarm(test::At(2026, 12, 8, 14, 37, 52), atCommand); // a Tuesday
    EXPECT_EQ(r.Recurrence, rcOnce);
    EXPECT_EQ(r.ActionType, atCommand);
    EXPECT_EQ(r.AlarmDate, test::At(2026, 12, 8));
    EXPECT_EQ(r.StartTime, test::TimeAt(14, 37)) << "seconds dropped";
    EXPECT_EQ(r.StopTime, r.StartTime);
    EXPECT_EQ(r.RecursWhichCode, 1);
    EXPECT_EQ(r.RecursDayCode, 3);
    EXPECT_EQ(r.EveryDaysCode, 3);
    EXPECT_EQ(r.Count, 1);
    EXPECT_EQ(r.EveryUnit, euHours);
    EXPECT_TRUE(r.Active && r.AutoDelete && r.AutoStart);
    EXPECT_FALSE(r.StopEnabled || r.RunMinimized);
    EXPECT_EQ(r.BeforeWave.str(), "NONE");
    EXPECT_EQ(r.AfterWave.str(), "NONE");
    EXPECT_EQ(r.Text.str(), "");
}

TEST(AlarmRecord, ATextLongerThan100CharactersIsStoredCut)
{
    TAlarmRecord r;
    r.Text.assign(std::string(250, 'm'));
    EXPECT_EQ(r.Text.len, 100);
    EXPECT_EQ(r.Text.str(), std::string(100, 'm'));
}

} // namespace
} // namespace orvane
