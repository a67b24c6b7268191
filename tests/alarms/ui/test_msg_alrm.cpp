// The message-alarm window on the offscreen platform.
#include "app/alarms/ui/msg_alrm.h"
#include "app/alarms/ui/msg_alrm_opener.h"
#include "app/platform/fake/fake_sound_player.h"
#include "tests/alarms/alarm_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace orvane {
namespace {

using test::At;
using test::MakeAlarm;
using test::TimeAt;

class MsgAlrmTest : public ::testing::Test {
protected:
    ManualClock clock{FromDateTime(At(2026, 12, 8, 23, 55, 20))};
    TAlarmTable table;
    FakeSoundPlayer sound;
    int snoozeMinutes = 10;
    TMsgAlrmActions actions{table, clock, sound, snoozeMinutes};

    MessageAlarmRequest fire(RecurrenceKind kind, const std::string &text, const std::string &wave = "NONE")
    {
        const int slot = *table.firstEmptySlot();
        TAlarmRecord r = MakeAlarm(kind, TimeAt(23, 55), atMessage, text);
        r.BeforeWave.assign(wave);
        table.storeAlarm(slot, r);
        return {wave, slot, table.idOf(slot), text};
    }
    static void drain()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(MsgAlrmTest, LooksAsDescribed)
{
    QPointer<TMsgAlrm> w = new TMsgAlrm(actions, sound, fire(rcDaily, "Tea"));
    w->show();
    EXPECT_EQ(w->windowTitle(), "Message Alarm!");
    EXPECT_EQ(w->size(), QSize(253, 109));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->isModal());
    EXPECT_TRUE(w->BitBtn1->isDefault());
    EXPECT_EQ(w->BitBtn1->text(), "Snooze");
    EXPECT_EQ(w->OKBtn->toolTip(), "Close / Stop message");
    EXPECT_EQ(w->SpinEdit1->minimum(), 1);
    EXPECT_EQ(w->SpinEdit1->maximum(), 59);
    EXPECT_EQ(w->SpinEdit1->value(), 10);
    EXPECT_TRUE(w->Memo1->isReadOnly());
    EXPECT_EQ(w->Memo1->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(w->Timer1->interval(), 1000);
    EXPECT_FALSE(w->AlarmNumber->isVisible());
    EXPECT_EQ(w->AlarmNumber->text(), "1");
    EXPECT_EQ(w->AlarmTime->text(), "AlarmTime");
    w->close();
    drain();
    EXPECT_TRUE(w.isNull()) << "the window releases itself once closed";
}

TEST_F(MsgAlrmTest, RepeatsTheWaveEvery59SecondsWithoutCuttingOffAnotherSound)
{
    auto *w = new TMsgAlrm(actions, sound, fire(rcDaily, "Tea", "/w/OV-1.wav"));
    for (int second = 1; second <= 119; ++second)
        w->Timer1Timer();
    const std::vector<FakeSoundPlayer::Call> plays = sound.calls();
    ASSERT_EQ(plays.size(), 3u);
    for (const auto &call : plays) {
        EXPECT_EQ(call.name, "/w/OV-1.wav");
        EXPECT_EQ(call.flags, sndAsync | sndNoStop);
    }
    w->close();
    drain();
}

TEST_F(MsgAlrmTest, NoneIsSilentWhileTheTimerRuns)
{
    auto *w = new TMsgAlrm(actions, sound, fire(rcDaily, "quiet"));
    for (int second = 1; second <= 61; ++second)
        w->Timer1Timer();
    EXPECT_TRUE(sound.calls().empty());
    EXPECT_NE(w->AlarmTime->text(), "AlarmTime");
    w->close();
    drain();
}

TEST_F(MsgAlrmTest, EnterSnoozesAndTheLengthCarriesToTheNextWindow)
{
    const MessageAlarmRequest request = fire(rcOnce, "Wake up");
    QPointer<TMsgAlrm> w = new TMsgAlrm(actions, sound, request);
    w->show();
    w->SpinEdit1->setValue(10);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    drain();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(MinuteNumber(table.slot(1).NextTime), MinuteNumber(At(2026, 12, 9, 0, 5)));
    EXPECT_FALSE(table.slot(1).isEmpty()) << "snooze never deletes";

    snoozeMinutes = 10;
    auto *first = new TMsgAlrm(actions, sound, request);
    first->SpinEdit1->setValue(25);
    first->BitBtn1Click();
    auto *next = new TMsgAlrm(actions, sound, fire(rcDaily, "other"));
    EXPECT_EQ(next->SpinEdit1->value(), 25);
    next->close();
    drain();
}

TEST_F(MsgAlrmTest, OkDeletesAOneShotAndClosingByTheFrameDoesNothing)
{
    const MessageAlarmRequest once = fire(rcOnce, "once");
    auto *byFrame = new TMsgAlrm(actions, sound, once);
    byFrame->close();
    drain();
    EXPECT_TRUE(table.slotOf(once.id));
    EXPECT_TRUE(sound.calls().empty());

    auto *ok = new TMsgAlrm(actions, sound, once);
    ok->OKBtn->click();
    drain();
    EXPECT_FALSE(table.slotOf(once.id));
    ASSERT_EQ(sound.calls().size(), 1u);
    EXPECT_EQ(sound.calls()[0].kind, FakeSoundPlayer::Kind::Beep);
}

TEST_F(MsgAlrmTest, SeveralWindowsOpenAtOnceEachWithItsOwnAlarmAndText)
{
    TMsgAlrmOpener opener(actions, sound);
    const std::string hundred(100, 'x');
    opener.openMessageAlarm(fire(rcDaily, "first"));
    opener.openMessageAlarm(fire(rcDaily, hundred));
    std::vector<TMsgAlrm *> open;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w); m && m->isVisible())
            open.push_back(m);
    ASSERT_EQ(open.size(), 2u);
    QStringList texts;
    for (TMsgAlrm *m : open)
        texts << m->Memo1->toPlainText();
    EXPECT_TRUE(texts.contains("first"));
    EXPECT_TRUE(texts.contains(QString::fromStdString(hundred))) << "a text of 100 characters is shown whole";
    for (TMsgAlrm *m : open)
        m->close();
    drain();
}

TEST_F(MsgAlrmTest, MessagesOfOneMinuteCascadeAndAClosedOneFreesItsPlace)
{
    TMsgAlrmOpener opener(actions, sound);
    for (const char *text : {"first", "second", "third"})
        opener.openMessageAlarm(fire(rcDaily, text));
    std::map<QString, TMsgAlrm *> byText;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w); m && m->isVisible())
            byText[m->Memo1->toPlainText()] = m;
    ASSERT_EQ(byText.size(), 3u);
    const QPoint step(TMsgAlrmOpener::kCascadeStep, TMsgAlrmOpener::kCascadeStep);
    const QPoint first = byText["first"]->pos();
    EXPECT_EQ(byText["second"]->pos(), first + step);
    EXPECT_EQ(byText["third"]->pos(), first + 2 * step);

    byText["second"]->close();
    drain();
    opener.openMessageAlarm(fire(rcDaily, "fourth"));
    TMsgAlrm *fourth = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w); m && m->isVisible() && m->Memo1->toPlainText() == "fourth")
            fourth = m;
    ASSERT_TRUE(fourth);
    EXPECT_EQ(fourth->pos(), first + step) << "the freed place is used again";
    EXPECT_EQ(fourth->Memo1->toPlainText(), "fourth");
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w))
            m->close();
    drain();
}

TEST_F(MsgAlrmTest, AUtf8TextIsShownAsItsCharacters)
{
    TMsgAlrmOpener opener(actions, sound);
    opener.openMessageAlarm(fire(rcDaily, "Caf\xC3\xA9 \xE2\x98\x95"));
    bool shown = false;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w); m && m->isVisible()) {
            EXPECT_EQ(m->Memo1->toPlainText(), QString::fromUtf8("Caf\u00e9 \u2615"));
            shown = true;
            m->close();
        }
    EXPECT_TRUE(shown);
    drain();
}

} // namespace
} // namespace orvane

#include "app/alarms/ui/alarm_services.h"
#include "tests/support/temp_dir.h"

namespace orvane {
namespace {

TEST_F(MsgAlrmTest, TheServicesLoadFireOpenAWindowAndSave)
{
    TempDir dir;
    TCDFlags cd;
    TAlarmServices alarms(clock, sound, nullptr, snoozeMinutes, cd, dir.file("alarms32.rec"));
    EXPECT_EQ(alarms.load().status, AlarmFileLoad::Status::Created);
    int rebuilt = 0;
    alarms.setAlarmListChanged([&] { ++rebuilt; });
    TAlarmRecord r = MakeAlarm(rcOnce, TimeAt(23, 56), atMessage, "from the services");
    r.AlarmDate = At(2026, 12, 8);
    alarms.AlarmTable().storeAlarm(1, r);
    alarms.initAlarms(false);
    CommandVoiceSettings voice;
    clock.setNow(FromDateTime(At(2026, 12, 8, 23, 56, 1)));
    alarms.runAlarmPass(At(2026, 12, 8, 23, 56), voice);
    EXPECT_EQ(rebuilt, 1);

    TMsgAlrm *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<TMsgAlrm *>(w); m && m->isVisible())
            window = m;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Memo1->toPlainText(), "from the services");
    window->OKBtn->click();
    drain();
    EXPECT_EQ(rebuilt, 2);
    EXPECT_EQ(alarms.AlarmTable().countAlarms(), 0);
    EXPECT_FALSE(alarms.save());
    EXPECT_EQ(std::filesystem::file_size(dir.file("alarms32.rec")), 19200u);
}

} // namespace
} // namespace orvane
