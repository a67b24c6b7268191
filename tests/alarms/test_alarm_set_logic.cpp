// The logic behind the set-up and recurrence dialogs and the date and time controls.
#include "alarm_test_support.h"

#include "app/alarms/alarm_editor.h"
#include "app/alarms/calendar_moves.h"
#include "app/alarms/command_text.h"
#include "app/alarms/date_field.h"
#include "app/alarms/launcher_pages.h"
#include "app/alarms/recurrence_choice.h"
#include "app/alarms/save_check.h"
#include "app/alarms/time_field.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace orvane;
using namespace orvane::test;
namespace fs = std::filesystem;

namespace {

TEST(CommandText, BuildsThePartsOfTheChosenListsInOrder)
{
    struct Case {
        CommandChoice choice;
        std::string text;
    };
    const Case cases[] = {
        {{-1, -1, 0, -1}, " WaveFile On"},
        {{0, 3, 1, 1}, " PlayVoice On 15 min WaveFile Off After"},
        {{1, 5, -1, 0}, " PlayVoice Off 60 min Before"},
        {{}, ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(BuildCommandText(c.choice), c.text);
        EXPECT_EQ(ParseCommandText(c.text), c.choice) << c.text;
    }
}

TEST(CommandText, LaterMatchesOverrideEarlierOnes)
{
    // "15 min" holds "5 min" and the later test wins; "PlayVoice Off" is no "PlayVoice On".
    EXPECT_EQ(ParseCommandText(" 15 min").interval, 3);
    EXPECT_EQ(ParseCommandText(" 5 min").interval, 1);
    EXPECT_EQ(ParseCommandText(" PlayVoice Off").playVoice, 1);
    EXPECT_EQ(ParseCommandText(" playvoice on").playVoice, -1);
}

TEST(SaveCheck, EveryPageButMessageNeedsItsEntry)
{
    struct Case {
        ActionType page;
        bool refused;
        SaveFocus focus;
        const char *start;
    };
    const Case cases[] = {
        {atMessage, false, SaveFocus::AlarmText, ""},
        {atProgram, true, SaveFocus::AlarmText, "You must 1st enter a program name"},
        {atWaveFile, true, SaveFocus::Edit1, "Please enter a valid wave file"},
        {atCDPlayer, true, SaveFocus::ComboBox1, "You must enter a 'Mode'."},
        {atCommand, true, SaveFocus::ComboBox2, "You must enter at least 1 command"},
        {atLauncher, true, SaveFocus::ComboBox6, "You must select a Page from Quaydeck"},
    };
    for (const auto &c : cases) {
        const auto refusal = CheckBeforeSave(c.page, "");
        ASSERT_EQ(refusal.has_value(), c.refused) << c.page;
        if (refusal) {
            EXPECT_EQ(refusal->message.rfind(c.start, 0), 0u) << refusal->message;
            EXPECT_EQ(refusal->focus, c.focus);
        }
        EXPECT_FALSE(CheckBeforeSave(c.page, "x"));
    }
    EXPECT_EQ(TableFullMessage(), "Alarm could not be saved.  You only can have up to .50 alarms at a time.  "
                                  "Delete some alarms to make room for more.");
}

class AlarmEditorTest : public ::testing::Test {
protected:
    TAlarmTable m_table;
    ManualClock m_clock{FromDateTime(At(2026, 3, 4, 9, 30, 20))};
    FormatSettings m_formats;
    TAlarmEditor m_editor{m_table, m_clock, m_formats};
};

TEST_F(AlarmEditorTest, FiftyAlarmsFitAndTheFiftyFirstIsRefused)
{
    for (int i = 0; i < TAlarmTable::kSlots; ++i) {
        m_editor.NewAlarm(atMessage);
        ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored) << i;
    }
    m_editor.NewAlarm(atMessage);
    EXPECT_EQ(m_editor.storeWorking(), StoreResult::TableFull);
    EXPECT_EQ(m_table.countAlarms(), 50);
}

TEST_F(AlarmEditorTest, RowsWithTheSameLineKeepTheirOwnAlarm)
{
    for (const char *text : {"same", "same"}) {
        m_editor.NewAlarm(atProgram);
        m_editor.WorkingAlarm.Text.assign(text);
        ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored);
    }
    const auto rows = m_editor.rowsFor(atProgram);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, rows[1].line);
    ASSERT_TRUE(m_editor.ShowAlarm(rows[1].id));
    m_editor.WorkingAlarm.Text.assign("second");
    ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored);
    EXPECT_EQ(m_table.slot(*m_table.slotOf(rows[0].id)).Text.str(), "same");
    EXPECT_EQ(m_table.slot(*m_table.slotOf(rows[1].id)).Text.str(), "second");
}

TEST_F(AlarmEditorTest, ARowWhoseAlarmIsGoneChangesNothing)
{
    m_editor.NewAlarm(atMessage);
    ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored);
    const AlarmId id = m_editor.CurrentAlarm;
    m_table.DeleteAlarmSlot(*m_table.slotOf(id)); // as the alarm pass does after a Once alarm
    EXPECT_FALSE(m_editor.ShowAlarm(id));
    EXPECT_EQ(m_editor.storeWorking(), StoreResult::AlarmGone);
    EXPECT_FALSE(m_editor.deleteCurrent());
    EXPECT_EQ(m_table.countAlarms(), 0);
}

TEST_F(AlarmEditorTest, ListsThePageInStartTimeOrderAndDeletesMovingLaterAlarmsUp)
{
    for (int hour : {8, 7}) {
        m_editor.NewAlarm(atProgram);
        m_editor.WorkingAlarm.StartTime = TimeAt(hour, 0);
        m_editor.WorkingAlarm.Text.assign("prog" + std::to_string(hour));
        ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored);
    }
    m_editor.NewAlarm(atMessage);
    ASSERT_EQ(m_editor.storeWorking(), StoreResult::Stored);
    auto rows = m_editor.rowsFor(atProgram);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].line.find("7:00 AM"), std::string::npos) << rows[0].line;
    ASSERT_TRUE(m_editor.ShowAlarm(rows[0].id));
    ASSERT_TRUE(m_editor.deleteCurrent());
    EXPECT_EQ(m_table.countAlarms(), 2);
    EXPECT_FALSE(m_table.slot(2).isEmpty());
    EXPECT_TRUE(m_table.slot(3).isEmpty());
    EXPECT_EQ(m_editor.rowsFor(atProgram).size(), 1u);
}

TEST_F(AlarmEditorTest, DiscardingAPendingRecordingDeletesOnlyRecordedWaves)
{
    const fs::path dir = fs::temp_directory_path() / ("editor-waves-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path ours = dir / "OV-3.wav", theirs = dir / "bell.wav";
    std::ofstream(ours) << "x";
    std::ofstream(theirs) << "x";
    m_editor.NewAlarm(atWaveFile);
    m_editor.WorkingAlarm.BeforeWave.assign(theirs.string());
    m_editor.WorkingAlarm.Text.assign(ours.string());
    m_editor.RecordingPending = true;
    m_editor.discardPendingRecording();
    EXPECT_FALSE(fs::exists(ours));
    EXPECT_TRUE(fs::exists(theirs));
    EXPECT_FALSE(m_editor.RecordingPending);
    fs::remove_all(dir);
}

TEST(TimeField, CaretPicksTheField)
{
    struct Case {
        const char *text;
        int caret;
        bool twelve;
        TimeField field;
    };
    const Case cases[] = {
        {"11:59 PM", 0, true, TimeField::Hour},   {"11:59 PM", 2, true, TimeField::Hour},
        {"11:59 PM", 3, true, TimeField::Minute}, {"11:59 PM", 5, true, TimeField::Minute},
        {"11:59 PM", 6, true, TimeField::AmPm},   {"11:59 PM", 6, false, TimeField::Minute},
        {"23:59", 5, false, TimeField::Minute},   {"7", 1, true, TimeField::Hour},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TimeFieldAtCaret(c.text, c.caret, ':', c.twelve), c.field) << c.text << " at " << c.caret;
    EXPECT_EQ(TimeFieldSpan("11:59 PM", TimeField::Minute, ':'), (TextSpan{3, 2}));
    EXPECT_EQ(TimeFieldSpan("11:59 PM", TimeField::AmPm, ':'), (TextSpan{6, 2}));
    EXPECT_EQ(TimeFieldSpan("23.59", TimeField::Hour, '.'), (TextSpan{0, 2}));
}

TEST(TimeField, StepsCarryAndWrap)
{
    struct Case {
        int hour, minute;
        TimeField field;
        int delta;
        int toHour, toMinute;
    };
    const Case cases[] = {
        {23, 59, TimeField::Minute, 1, 0, 0},  {0, 0, TimeField::Minute, -1, 23, 59},
        {10, 59, TimeField::Minute, 1, 11, 0}, {23, 10, TimeField::Hour, 1, 0, 10},
        {0, 10, TimeField::Hour, -1, 23, 10},  {11, 30, TimeField::AmPm, 1, 23, 30},
        {13, 30, TimeField::AmPm, 1, 1, 30},
    };
    for (const auto &c : cases) {
        int h, m, s, ms;
        DecodeTime(StepTimeField(TimeAt(c.hour, c.minute), c.field, c.delta), h, m, s, ms);
        EXPECT_EQ(h * 60 + m, c.toHour * 60 + c.toMinute) << c.hour << ":" << c.minute;
    }
}

TEST(DateField, CaretAndSpans)
{
    EXPECT_EQ(DateFieldAtCaret("2/18/1997", 0, '/'), 1);
    EXPECT_EQ(DateFieldAtCaret("2/18/1997", 2, '/'), 2);
    EXPECT_EQ(DateFieldAtCaret("2/18/1997", 9, '/'), 3);
    EXPECT_EQ(DateFieldSpan("2/18/1997", 2, '/'), (TextSpan{2, 2}));
    EXPECT_EQ(DateFieldSpan("2/18/1997", 3, '/'), (TextSpan{5, 4}));
    EXPECT_EQ(DateFieldSpan("2/18", 3, '/'), (TextSpan{4, 0}));
}

TEST(CalendarMoves, KeysMoveByDaysMonthsAndYears)
{
    struct Case {
        TDateTime from;
        CalendarMove move;
        TDateTime to;
    };
    const Case cases[] = {
        {At(1997, 1, 31), CalendarMove::MonthForward, At(1997, 3, 3)},
        {At(1997, 3, 3), CalendarMove::MonthBack, At(1997, 2, 3)},
        {At(1997, 1, 15), CalendarMove::MonthBack, At(1996, 12, 15)},
        {At(1996, 2, 29), CalendarMove::YearForward, At(1997, 3, 1)},
        {At(1995, 6, 10), CalendarMove::YearForward, At(1996, 6, 10)},
        {At(1996, 6, 10), CalendarMove::YearBack, At(1995, 6, 10)},
        {At(1997, 1, 10), CalendarMove::YearBack, At(1996, 1, 10)},
        {At(1997, 1, 1), CalendarMove::DayBack, At(1996, 12, 31)},
        {At(1997, 1, 1), CalendarMove::WeekForward, At(1997, 1, 8)},
        {At(1, 1, 1), CalendarMove::DayBack, At(1, 1, 1)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MoveCalendarDate(c.from, c.move), c.to) << Show(c.from) << " -> " << Show(c.to);
}

TEST(CalendarMoves, FirstDayTakesTheColumnOfItsWeekday)
{
    // 1 February 1997 was a Saturday: cells 0..5 are blank, cell 6 is the 1st, 33 the 28th.
    const TDateTime feb = At(1997, 2, 14);
    EXPECT_EQ(CalendarCellOfDay(feb, 1), 6);
    EXPECT_EQ(CalendarDayOfCell(feb, 5), 0);
    EXPECT_EQ(CalendarDayOfCell(feb, 6), 1);
    EXPECT_EQ(CalendarDayOfCell(feb, 33), 28);
    EXPECT_EQ(CalendarDayOfCell(feb, 34), 0);
}

TEST(RecurrenceChoice, ListsWithoutSelectionAreRefusedByName)
{
    struct Case {
        RecurrenceChoice choice;
        const char *list; // nullptr: accepted
    };
    const Case cases[] = {
        {{rcRecurs, -1, 2}, "Recurs which"},
        {{rcRecurs, 0, -1}, "Recurs day"},
        {{rcRecurs, -1, kRecursDayWeekend}, nullptr},
        {{rcEvery, -1, -1, 5, -1, 3}, "Every unit"},
        {{rcEvery, -1, -1, 5, 0, -1}, "Every on day"},
        {{rcDaily}, nullptr},
        {{rcOnce}, nullptr},
    };
    for (const auto &c : cases) {
        const auto refusal = CheckRecurrenceChoice(c.choice);
        if (c.list)
            EXPECT_TRUE(refusal && refusal->find(c.list) != std::string::npos) << c.list;
        else
            EXPECT_FALSE(refusal) << *refusal;
    }
}

TEST(RecurrenceChoice, MonthlyCountSurvivesAChangeToDaily)
{
    TAlarmRecord r = MakeAlarm(rcMonthly, TimeAt(7, 0));
    r.Count = 31;
    RecurrenceChoice c = ReadRecurrenceChoice(r);
    EXPECT_EQ(c.monthDay, 31);
    c.kind = rcDaily;
    WriteRecurrenceChoice(c, r);
    EXPECT_EQ(r.Recurrence, rcDaily);
    EXPECT_EQ(r.Count, 31);
    EXPECT_EQ(EveryCountLimit(kEveryUnitHours), 23);
    EXPECT_EQ(EveryCountLimit(0), 59);
}

TEST(LauncherPages, TabFilesNamedUpToTheirFirstDot)
{
    const fs::path dir = fs::temp_directory_path() / ("launcher-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub.tab");
    for (const char *name : {"Work.tab", "games.v2.TAB", "notes.txt", ".tab"})
        std::ofstream(dir / name) << "x";
    EXPECT_EQ(ListLauncherPages(dir.string()), (std::vector<std::string>{"Work", "games"}));
    EXPECT_TRUE(ListLauncherPages("NONE").empty());
    EXPECT_TRUE(ListLauncherPages((dir / "missing").string()).empty());
    fs::remove_all(dir);
}

} // namespace
