// The alarm set-up and recurrence dialogs and the date and time controls on the offscreen
// platform, driven with key and mouse events and a clock the tests set.
#include "app/alarms/ui/alarm_set.h"
#include "app/alarms/ui/cal_pop.h"
#include "app/alarms/ui/date_edit.h"
#include "app/alarms/ui/recuring_dlg.h"
#include "app/alarms/ui/time_edit.h"
#include "app/common/date_format.h"
#include "tests/alarms/alarm_test_support.h"
#include "tests/support/visible_mnemonics.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

QString NameOf(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every visible-or-hidden control of a window that a user can operate or read.
void ExpectAccessibleNames(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                             qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                             qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QListWidget *>(w) ||
                             qobject_cast<QTabWidget *>(w);
        // The line edit inside a spin box is named by its spin box.
        const bool inner = qobject_cast<QAbstractSpinBox *>(w->parentWidget()) ||
                           qobject_cast<QComboBox *>(w->parentWidget());
        if (control && !inner && w->window() == window) {
            EXPECT_FALSE(NameOf(w).isEmpty())
                << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
    }
}

// ---------------------------------------------------------------- time and date edits

class EditTest : public ::testing::Test {
protected:
    FormatSettings formats;
    ManualClock clock{FromDateTime(At(2026, 3, 4, 9, 30))};
    QWidget host;
};

TEST_F(EditTest, TimeEditKeysStepTheSelectedField)
{
    struct Case {
        int hour, minute;
        int caret; // where a click put the caret
        Qt::Key key;
        const char *shown;
    };
    const Case cases[] = {
        {23, 59, 3, Qt::Key_Up, "12:00 AM"},  {0, 0, 3, Qt::Key_Down, "11:59 PM"},
        {11, 30, 0, Qt::Key_Up, "12:30 PM"},  {11, 30, 6, Qt::Key_Up, "11:30 PM"},
        {13, 5, 0, Qt::Key_Down, "12:05 PM"}, {10, 59, 4, Qt::Key_Up, "11:00 AM"},
    };
    for (const auto &c : cases) {
        TTimeEdit edit(formats, clock, &host);
        edit.setValue(TimeAt(c.hour, c.minute));
        edit.setCursorPosition(c.caret);
        QTest::keyClick(&edit, c.key);
        EXPECT_EQ(edit.text().toStdString(), c.shown) << c.hour << ":" << c.minute << " caret " << c.caret;
    }
}

TEST_F(EditTest, TimeEditFiltersKeysAndRestoresAnInvalidTime)
{
    TTimeEdit edit(formats, clock, &host);
    edit.setValue(TimeAt(7, 5));
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_Colon);
    EXPECT_EQ(edit.selectedText(), "05");
    QTest::keyClick(&edit, Qt::Key_X); // dropped
    QTest::keyClick(&edit, Qt::Key_Space);
    EXPECT_EQ(edit.selectedText(), "AM");
    edit.setText("25:99");
    edit.readText();
    EXPECT_EQ(edit.text(), "7:05 AM");
    edit.setText("6:40 PM");
    edit.readText();
    EXPECT_EQ(MinuteNumber(edit.value()), MinuteNumber(TimeAt(18, 40)));
    // The up button does what the up key does.
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Colon);
    QTest::mouseClick(edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "6:41 PM");
}

TEST_F(EditTest, DateEditReplacesAnImpossibleDateWithToday)
{
    TDateEdit edit(formats, clock, &host);
    int changes = 0;
    QObject::connect(&edit, &TDateEdit::OnDateChange, [&] { ++changes; });
    edit.setText("2/30/97");
    edit.readText();
    EXPECT_EQ(edit.value(), At(2026, 3, 4));
    EXPECT_EQ(edit.text(), "3/4/26");
    EXPECT_GE(changes, 1);
    edit.setText("2/18/1997");
    edit.readText();
    EXPECT_EQ(edit.value(), At(1997, 2, 18));
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_Slash);
    EXPECT_EQ(edit.selectedText(), "18");
    QTest::keyClick(&edit, Qt::Key_A); // letters are dropped
    EXPECT_EQ(edit.text(), "2/18/97");
}

// ---------------------------------------------------------------- calendar

class CalendarTest : public EditTest {
protected:
    TDateEdit edit{formats, clock, &host};
};

TEST_F(CalendarTest, KeysMoveTheSelectionAndEnterOrEscapeEnd)
{
    struct Case {
        TDateTime from;
        std::vector<Qt::Key> keys;
        TDateTime to; // what the edit holds afterwards
    };
    const Case cases[] = {
        {At(1997, 1, 31), {Qt::Key_PageDown, Qt::Key_Return}, At(1997, 3, 3)},
        {At(1996, 2, 29), {Qt::Key_Home, Qt::Key_Enter}, At(1997, 3, 1)},
        {At(1997, 3, 1), {Qt::Key_End, Qt::Key_Return}, At(1996, 3, 1)},
        {At(1997, 1, 10), {Qt::Key_End, Qt::Key_Return}, At(1996, 1, 10)},
        {At(1997, 2, 18), {Qt::Key_Left, Qt::Key_Up, Qt::Key_Return}, At(1997, 2, 10)},
        {At(1997, 2, 18), {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_Return}, At(1997, 1, 26)},
        {At(1997, 2, 18), {Qt::Key_Down, Qt::Key_Escape}, At(1997, 2, 18)},
    };
    for (const auto &c : cases) {
        edit.setValue(c.from);
        TfrmCalPop calendar(edit);
        calendar.show();
        for (Qt::Key k : c.keys)
            QTest::keyClick(&calendar, k);
        EXPECT_EQ(edit.value(), c.to) << test::Show(c.from);
    }
}

TEST_F(CalendarTest, MousePicksAndTracksDaysAndTheTrianglesTurnMonths)
{
    edit.setValue(At(1997, 2, 18));
    TfrmCalPop calendar(edit);
    calendar.show();
    EXPECT_EQ(calendar.width(), 21 * calendar.cellWidth() + 8);
    EXPECT_EQ(calendar.height(), 8 * calendar.rowHeight() + 2);
    // 1 February 1997 is a Saturday: cells 0..5 are blank and do nothing.
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.cell(2)->geometry().center());
    EXPECT_EQ(calendar.selectedDate(), At(1997, 2, 18));
    EXPECT_TRUE(calendar.isVisible());
    QTest::mousePress(&calendar, Qt::LeftButton, {}, calendar.previousButton()->geometry().center());
    EXPECT_EQ(calendar.selectedDate(), At(1997, 1, 18));
    QTest::mousePress(&calendar, Qt::LeftButton, {}, calendar.nextButton()->geometry().center());
    EXPECT_EQ(calendar.selectedDate(), At(1997, 2, 18));
    // Press on the 3rd (cell 8), drag over the 4th (cell 9), release: the 4th is taken.
    QTest::mousePress(&calendar, Qt::LeftButton, {}, calendar.cell(8)->geometry().center());
    EXPECT_EQ(calendar.selectedDate(), At(1997, 2, 3));
    QMouseEvent move(QEvent::MouseMove, calendar.cell(9)->geometry().center(),
                     calendar.mapToGlobal(calendar.cell(9)->geometry().center()), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&calendar, &move);
    EXPECT_EQ(calendar.selectedDate(), At(1997, 2, 4));
    QTest::mouseRelease(&calendar, Qt::LeftButton, {}, calendar.cell(9)->geometry().center());
    EXPECT_EQ(edit.value(), At(1997, 2, 4));
}

TEST_F(CalendarTest, EveryCellHasAName)
{
    edit.setValue(At(1997, 2, 18));
    TfrmCalPop calendar(edit);
    EXPECT_EQ(NameOf(calendar.cell(6)), "Saturday, February 1, 1997");
    for (int i = 0; i < 42; ++i)
        EXPECT_FALSE(NameOf(calendar.cell(i)).isEmpty()) << i;
    EXPECT_FALSE(NameOf(calendar.previousButton()).isEmpty());
    EXPECT_FALSE(NameOf(calendar.nextButton()).isEmpty());
}

// ---------------------------------------------------------------- recurrence dialog

class RecuringTest : public EditTest {
protected:
    TAlarmRecord alarm = MakeAlarm(rcOnce, TimeAt(7, 0));
    int edits = 0;
    QLineEdit setupDate;
    std::vector<int> helps;
    std::unique_ptr<TRecuringDlg> open()
    {
        auto d = std::make_unique<TRecuringDlg>(
            alarm, formats, clock, [this] { ++edits; }, &setupDate, [this](int c) { helps.push_back(c); });
        d->inform = [](const QString &) {};
        return d;
    }
};

TEST_F(RecuringTest, EveryThirtyMinutesSwitchedToHoursShowsTwentyThree)
{
    alarm.Recurrence = rcEvery;
    alarm.Count = 30;
    alarm.EveryUnit = euMinutes;
    alarm.EveryDaysCode = 8;
    auto d = open();
    EXPECT_EQ(d->EveryMin->value(), 30);
    d->EveryInterval->setCurrentIndex(1);
    EXPECT_EQ(d->EveryMin->value(), 23);
    EXPECT_EQ(d->EveryMin->maximum(), 23);
    d->OKBtn->click();
    EXPECT_EQ(alarm.Count, 23);
    EXPECT_EQ(alarm.EveryUnit, euHours);
}

// Each kind of recurrence is chosen with its Alt key, and OK stores it. A mnemonic clicks its
// button a moment later (an animated click), so the test waits for the button to be checked.
TEST_F(RecuringTest, EachKindIsChosenWithItsAltKey)
{
    struct Case {
        Qt::Key key;
        QRadioButton *TRecuringDlg::*button;
        RecurrenceKind stored;
    };
    for (const Case c : {Case{Qt::Key_Y, &TRecuringDlg::DailyBtn, rcDaily},
                         Case{Qt::Key_M, &TRecuringDlg::MonthlyBtn, rcMonthly},
                         Case{Qt::Key_O, &TRecuringDlg::OnceBtn, rcOnce}}) {
        alarm = MakeAlarm(c.stored == rcOnce ? rcDaily : rcOnce, TimeAt(7, 0));
        auto d = open();
        d->show();
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
        QTest::keyClick(d.get(), c.key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ((*d).*c.button)->isChecked(); }, 2000))
            << QKeySequence(c.key).toString().toStdString();
        d->OKBtn->click();
        EXPECT_EQ(alarm.Recurrence, c.stored) << QKeySequence(c.key).toString().toStdString();
    }
}

TEST_F(RecuringTest, WeekdayGroupsForceEveryAndLockIt)
{
    auto d = open();
    d->RecursBtn->setChecked(true);
    d->RecursWhich->setCurrentIndex(2);
    d->RecursDay->setCurrentIndex(kRecursDayWeekend);
    EXPECT_EQ(d->RecursWhich->currentText(), "every");
    EXPECT_FALSE(d->RecursWhich->isEnabled());
    d->RecursDay->setCurrentIndex(1);
    EXPECT_TRUE(d->RecursWhich->isEnabled());
    EXPECT_FALSE(setupDate.isEnabled());
}

TEST_F(RecuringTest, MonthlyThirtyFirstChangedToDailyKeepsTheCount)
{
    alarm.Recurrence = rcMonthly;
    alarm.Count = 31;
    auto d = open();
    EXPECT_EQ(d->SpinEdit1->value(), 31);
    QTest::keyClick(d->DailyBtn, Qt::Key_Space);
    d->DailyBtn->setChecked(true);
    d->OKBtn->click();
    EXPECT_EQ(alarm.Recurrence, rcDaily);
    EXPECT_EQ(alarm.Count, 31);
}

TEST_F(RecuringTest, CancelKeepsTheRuleButCountsAsAnEdit)
{
    alarm.Recurrence = rcDaily;
    const TAlarmRecord before = alarm;
    auto d = open();
    d->EveryBtn->setChecked(true);
    d->CancelBtn->click();
    EXPECT_EQ(std::memcmp(&alarm, &before, sizeof alarm), 0);
    EXPECT_GT(edits, 0);
}

TEST_F(RecuringTest, OkWithoutAChoiceInTheKindsListsIsRefused)
{
    auto d = open();
    d->RecursBtn->setChecked(true);
    d->OKBtn->click();
    EXPECT_TRUE(d->lastRefusal().contains("Recurs which")) << d->lastRefusal().toStdString();
    EXPECT_EQ(alarm.Recurrence, rcOnce);
    d->RecursWhich->setCurrentIndex(1);
    d->RecursDay->setCurrentIndex(2);
    d->OKBtn->click();
    EXPECT_EQ(alarm.Recurrence, rcRecurs);
    EXPECT_EQ(alarm.RecursWhichCode, 2);
    EXPECT_EQ(alarm.RecursDayCode, 3);
}

TEST_F(RecuringTest, EveryControlHasANameAndF1GivesTheRowsHelp)
{
    auto d = open();
    ExpectAccessibleNames(d.get());
    d->show();
    d->EveryBtn->setChecked(true);
    d->EveryMin->setFocus();
    QTest::keyClick(d.get(), Qt::Key_F1);
    ASSERT_FALSE(helps.empty());
    EXPECT_EQ(helps.back(), 34);
}

// ---------------------------------------------------------------- set-up dialog

class AlarmSetTest : public ::testing::Test {
protected:
    FormatSettings formats;
    ManualClock clock{FromDateTime(At(2026, 3, 4, 9, 30, 20))};
    TAlarmTable table;
    std::string iniPath =
        (std::filesystem::temp_directory_path() / ("alarmset-" + std::to_string(::getpid()) + ".ini"))
            .string();
    TIniFile ini{iniPath};
    std::vector<QString> messages;
    std::vector<QString> questions;
    QMessageBox::StandardButton answer = QMessageBox::No;
    std::optional<std::string> fileError;
    int fileSaves = 0;

    ~AlarmSetTest() override { std::filesystem::remove(iniPath); }

    AlarmSetHooks hooks()
    {
        AlarmSetHooks h;
        h.chooseWave = [](QWidget *, const std::string &) {
            return std::optional<WaveChoice>(WaveChoice{"/tmp/bell.wav", false});
        };
        h.chooseProgram = [](QWidget *) { return std::optional<std::string>("/usr/bin/xclock"); };
        h.chooseFolder = [](QWidget *, const std::string &) { return std::optional<std::string>(); };
        h.ask = [this](QWidget *, const QString &, const QString &text, QMessageBox::StandardButtons) {
            questions.push_back(text);
            return answer;
        };
        h.inform = [this](QWidget *, const QString &text) { messages.push_back(text); };
        h.help = [](int) {};
        h.saveAlarmFile = [this] {
            ++fileSaves;
            return fileError;
        };
        return h;
    }
    std::unique_ptr<TAlarmSet> open()
    {
        auto d = std::make_unique<TAlarmSet>(table, clock, formats, ini, hooks());
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
    void store(RecurrenceKind kind, int hour, ActionType action, const std::string &text)
    {
        table.storeAlarm(*table.firstEmptySlot(), MakeAlarm(kind, TimeAt(hour, 0), action, text));
        table.SortAlarmTable();
    }
};

TEST_F(AlarmSetTest, WithNoAlarmsANewMessageAlarmForNowIsShown)
{
    auto d = open();
    EXPECT_EQ(d->TabbedNotebook1->currentIndex(), 0);
    EXPECT_EQ(d->DateEdit1->text(), "3/4/26");
    EXPECT_EQ(d->TimeEdit1->text(), "9:30 AM");
    EXPECT_EQ(d->ADayName->text(), "Wednesday");
    EXPECT_TRUE(d->Active->isChecked());
    EXPECT_TRUE(d->CheckBox1->isChecked());
    EXPECT_FALSE(d->CTimeActive->isVisible());
    EXPECT_EQ(d->editor().CurrentAlarm, NoAlarm);
    EXPECT_FALSE(d->editor().AlarmEdited);
    EXPECT_EQ(d->focusWidget(), d->MessageText);
}

TEST_F(AlarmSetTest, AMessageAlarmTypedWithTheKeyboardIsSaved)
{
    auto d = open();
    QTest::keyClicks(d->MessageText, "Tea is ready");
    d->TimeEdit1->setFocus();
    d->TimeEdit1->setCursorPosition(3);
    QTest::keyClick(d->TimeEdit1, Qt::Key_Up);
    // The "&Save" mnemonic itself is pressed in the end-to-end test on a real X server.
    d->SaveBtn->setFocus();
    QTest::keyClick(d->SaveBtn, Qt::Key_Space);
    ASSERT_EQ(table.countAlarms(), 1);
    EXPECT_EQ(table.slot(1).Text.str(), "Tea is ready");
    EXPECT_EQ(MinuteNumber(table.slot(1).StartTime), MinuteNumber(TimeAt(9, 31)));
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 3, 4, 9, 31)));
    EXPECT_EQ(fileSaves, 1);
    ASSERT_EQ(d->AlarmListBox->count(), 1);
    EXPECT_TRUE(d->AlarmListBox->item(0)->text().endsWith("Tea is ready"));
}

TEST_F(AlarmSetTest, EachPageRefusesASaveWithoutItsEntry)
{
    struct Case {
        int page;
        const char *start;
        std::function<QWidget *(TAlarmSet &)> focus;
    };
    const Case cases[] = {
        {1, "You must 1st enter a program name", [](TAlarmSet &d) { return d.AlarmText; }},
        {2, "Please enter a valid wave file", [](TAlarmSet &d) { return d.Edit1; }},
        {3, "You must enter a 'Mode'.", [](TAlarmSet &d) { return d.ComboBox1; }},
        {4, "You must enter at least 1 command", [](TAlarmSet &d) { return d.ComboBox2; }},
        {5, "You must select a Page from Quaydeck", [](TAlarmSet &d) { return d.ComboBox6; }},
    };
    auto d = open();
    for (const auto &c : cases) {
        messages.clear();
        d->TabbedNotebook1->setCurrentIndex(c.page);
        d->SaveBtn->click();
        ASSERT_EQ(messages.size(), 1u) << c.page;
        EXPECT_TRUE(messages[0].startsWith(c.start)) << messages[0].toStdString();
        EXPECT_EQ(d->focusWidget(), c.focus(*d)) << c.page;
    }
    EXPECT_EQ(table.countAlarms(), 0);
}

TEST_F(AlarmSetTest, TheFiftyFirstAlarmIsRefused)
{
    for (int i = 0; i < 50; ++i)
        store(rcDaily, i % 24, atCDPlayer, "Loop");
    auto d = open();
    d->NewBtn->click();
    d->SaveBtn->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].toStdString(),
              "Alarm could not be saved.  You only can have up to .50 alarms at a time.  "
              "Delete some alarms to make room for more.");
    EXPECT_EQ(table.countAlarms(), 50);
}

TEST_F(AlarmSetTest, ProgramAlarmsAreListedEarliestFirstInAFixedPitchFont)
{
    store(rcDaily, 8, atProgram, "/bin/eight");
    store(rcDaily, 7, atProgram, "/bin/seven");
    store(rcDaily, 6, atMessage, "not a program");
    auto d = open();
    d->TabbedNotebook1->setCurrentIndex(1);
    ASSERT_EQ(d->AlarmListBox->count(), 2);
    EXPECT_TRUE(d->AlarmListBox->item(0)->text().endsWith("/bin/seven"));
    EXPECT_EQ(d->AlarmText->text(), "/bin/seven");
    EXPECT_TRUE(QFontInfo(d->AlarmListBox->font()).fixedPitch());
    EXPECT_TRUE(d->CTimeActive->isVisible());
    EXPECT_TRUE(d->SpeedButton2->isVisible());
    for (int i = 0; i < d->AlarmListBox->count(); ++i)
        EXPECT_FALSE(d->AlarmListBox->item(i)->data(Qt::AccessibleTextRole).toString().isEmpty());
}

TEST_F(AlarmSetTest, RowsWithTheSameLineEditTheirOwnAlarm)
{
    store(rcDaily, 7, atProgram, "/bin/same");
    store(rcDaily, 7, atProgram, "/bin/same");
    auto d = open();
    d->TabbedNotebook1->setCurrentIndex(1);
    ASSERT_EQ(d->AlarmListBox->count(), 2);
    const AlarmId second = d->AlarmListBox->item(1)->data(Qt::UserRole).toULongLong();
    d->AlarmListBox->setCurrentRow(1);
    d->AlarmListBoxClick();
    d->AlarmText->setText("/bin/changed");
    d->SaveBtn->click();
    EXPECT_EQ(table.slot(*table.slotOf(second)).Text.str(), "/bin/changed");
    EXPECT_EQ(table.countAlarms(), 2);
}

TEST_F(AlarmSetTest, ARowWhoseAlarmThePassDeletedRebuildsTheList)
{
    store(rcOnce, 7, atMessage, "gone soon");
    store(rcDaily, 8, atMessage, "stays");
    auto d = open();
    const AlarmId gone = d->AlarmListBox->item(0)->data(Qt::UserRole).toULongLong();
    table.DeleteAlarmSlot(*table.slotOf(gone));
    table.removeAndCompact(1);
    d->AlarmListBox->setCurrentRow(0);
    d->AlarmListBoxClick();
    ASSERT_EQ(d->AlarmListBox->count(), 1);
    EXPECT_EQ(d->MessageText->toPlainText(), "stays");
    // The hook the pass calls keeps the alarm on show and the user's edits.
    d->MessageText->setPlainText("stays, edited");
    d->alarmTableChanged();
    EXPECT_EQ(d->MessageText->toPlainText(), "stays, edited");
    EXPECT_TRUE(d->editor().AlarmEdited);
    EXPECT_EQ(d->AlarmListBox->currentRow(), 0);
}

TEST_F(AlarmSetTest, CommandWithOnlyWaveFileOnSavesThatPart)
{
    auto d = open();
    d->TabbedNotebook1->setCurrentIndex(4);
    d->ComboBox4->setCurrentIndex(0);
    d->SaveBtn->click();
    ASSERT_EQ(table.countAlarms(), 1);
    EXPECT_EQ(table.slot(1).Text.str(), " WaveFile On");
    EXPECT_EQ(table.slot(1).ActionType, atCommand);
    EXPECT_EQ(d->ComboBox4->currentIndex(), 0);
    EXPECT_EQ(d->ComboBox2->currentIndex(), -1);
}

TEST_F(AlarmSetTest, PageChangesDropEditsButNewAndCloseAsk)
{
    store(rcDaily, 7, atMessage, "first");
    auto d = open();
    d->MessageText->setPlainText("changed");
    d->TabbedNotebook1->setCurrentIndex(1);
    EXPECT_TRUE(questions.empty());
    d->TabbedNotebook1->setCurrentIndex(0);
    EXPECT_EQ(d->MessageText->toPlainText(), "first");
    d->MessageText->setPlainText("changed again");
    answer = QMessageBox::Cancel;
    d->NewBtn->click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Alarm has changed.  Save Changes?");
    EXPECT_EQ(d->MessageText->toPlainText(), "changed again");
    answer = QMessageBox::Yes;
    d->close();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(table.slot(1).Text.str(), "changed again");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(ini.ReadString("Quaydeck", "Path", "?"), "NONE");
}

TEST_F(AlarmSetTest, DeleteAsksAndRemovesOnlyOnYes)
{
    store(rcDaily, 7, atMessage, "one");
    store(rcDaily, 8, atMessage, "two");
    auto d = open();
    answer = QMessageBox::No;
    d->DeleteBtn->click();
    EXPECT_EQ(table.countAlarms(), 2);
    answer = QMessageBox::Yes;
    d->DeleteBtn->click();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1], "Are you sure you want to delete this alarm?");
    EXPECT_EQ(table.countAlarms(), 1);
    EXPECT_EQ(table.slot(1).Text.str(), "two");
    EXPECT_EQ(d->MessageText->toPlainText(), "two");
}

TEST_F(AlarmSetTest, AFailedFileWriteKeepsWhatWasTyped)
{
    auto d = open();
    fileError = "Permission denied";
    QTest::keyClicks(d->MessageText, "do not lose me");
    d->SaveBtn->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("Permission denied"));
    EXPECT_EQ(d->MessageText->toPlainText(), "do not lose me");
    EXPECT_TRUE(d->editor().AlarmEdited);
    EXPECT_EQ(table.countAlarms(), 1);
}

TEST_F(AlarmSetTest, RecurringAndTodaySwitchTheDateControls)
{
    auto d = open();
    d->editor().WorkingAlarm.Recurrence = rcDaily;
    QTimer::singleShot(0, [] {
        auto *dlg = qobject_cast<TRecuringDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->RecursBtn->setChecked(true);
        dlg->RecursWhich->setCurrentIndex(0);
        dlg->RecursDay->setCurrentIndex(1);
        dlg->OKBtn->click();
    });
    d->Button2->click();
    EXPECT_EQ(d->editor().WorkingAlarm.Recurrence, rcRecurs);
    EXPECT_FALSE(d->CheckBox1->isChecked());
    EXPECT_FALSE(d->CheckBox1->isEnabled());
    EXPECT_FALSE(d->DateEdit1->isVisible());
    EXPECT_TRUE(d->NextLbl->isVisible());
    EXPECT_EQ(d->NextLbl->text(), "3/9/26 9:30 AM"); // the next Monday
    d->TodayBtn->click();
    EXPECT_EQ(d->editor().WorkingAlarm.Recurrence, rcOnce);
    EXPECT_TRUE(d->DateEdit1->isVisible());
    EXPECT_FALSE(d->NextLbl->isVisible());
}

TEST_F(AlarmSetTest, TheWavePageHidesTheWaveGroupAndOtherPagesHideTheStop)
{
    auto d = open();
    struct Case {
        int page;
        bool waveGroup, stop;
    };
    const Case cases[] = {{0, true, false}, {1, true, true},  {2, false, false},
                          {3, true, true},  {4, true, false}, {5, true, true}};
    for (const auto &c : cases) {
        d->TabbedNotebook1->setCurrentIndex(c.page);
        EXPECT_EQ(d->WaveGroup->isVisible(), c.waveGroup) << c.page;
        EXPECT_EQ(d->CTimeActive->isVisible(), c.stop) << c.page;
        EXPECT_EQ(d->AlarmWav2->isVisible(), c.stop) << c.page;
    }
}

TEST_F(AlarmSetTest, ClearingARecordedWaveDeletesTheFile)
{
    const auto dir =
        std::filesystem::temp_directory_path() / ("alarmset-waves-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto wave = dir / "OV-7.wav";
    {
        std::ofstream(wave) << "x";
    }
    auto d = open();
    d->TabbedNotebook1->setCurrentIndex(2);
    d->editor().WorkingAlarm.Text.assign(wave.string());
    d->Edit1->setText(QString::fromStdString(wave.string()));
    d->Button8->click();
    EXPECT_FALSE(std::filesystem::exists(wave));
    EXPECT_TRUE(d->Edit1->text().isEmpty());
    std::filesystem::remove_all(dir);
}

TEST_F(AlarmSetTest, EveryControlHasAName)
{
    auto d = open();
    ExpectAccessibleNames(d.get());
}

// Every page of the set-up dialog, and the recurrence dialog, leads each Alt+letter to one control.
TEST_F(AlarmSetTest, EveryPageGivesEachMnemonicToOneControl)
{
    auto d = open();
    for (int page = 0; page < d->TabbedNotebook1->count(); ++page) {
        d->TabbedNotebook1->setCurrentIndex(page);
        QApplication::processEvents();
        SCOPED_TRACE(d->TabbedNotebook1->tabText(page).toStdString());
        EXPECT_EQ(test::MnemonicClashes(d.get()).join(QLatin1Char('\n')).toStdString(), "");
    }
}

TEST_F(RecuringTest, EachMnemonicLeadsToOneControl)
{
    auto d = open();
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(test::MnemonicClashes(d.get()).join(QLatin1Char('\n')).toStdString(), "");
}

} // namespace
} // namespace orvane
