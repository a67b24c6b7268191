// The recorder and the two timer windows on the offscreen platform: what they show, their
// accessible names and values, and the paths a user takes through them.
#include "app/common/date_time.h"
#include "app/media/ui/time_readout.h"
#include "app/media/ui/timer_down.h"
#include "app/media/ui/timer_up.h"
#include "app/media/ui/wave_player.h"
#include "app/platform/fake/fake_sound_player.h"
#include "app/platform/fake/fake_wave_device.h"
#include "tests/support/temp_dir.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace std::chrono;

QString accessibleText(QWidget *w, QAccessible::Text t)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(t) : QString();
}

// Every control the keyboard can reach has a name a screen reader can say.
void expectNamedControls(QWidget *window)
{
    int checked = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window) ||
            qobject_cast<QLineEdit *>(w->parentWidget()))
            continue;
        if (qobject_cast<QComboBox *>(w->parentWidget()))
            continue; // the combo box's own editor
        EXPECT_FALSE(accessibleText(w, QAccessible::Name).trimmed().isEmpty())
            << w->metaObject()->className();
        ++checked;
    }
    EXPECT_GT(checked, 3);
}

void pressKey(QWidget *w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

class WavePlayerTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeWaveDevice device;
    std::string programDir = dir.path().string() + "/";
    std::vector<std::string> messages;

    std::unique_ptr<TWavePlayer> open(const std::string &preset)
    {
        auto w = std::make_unique<TWavePlayer>(device, programDir, preset);
        w->showMessage = [this](const std::string &m) { messages.push_back(m); };
        w->setModal(false);
        w->show();
        return w;
    }
};

TEST_F(WavePlayerTest, NewRecorderShowsTheEmptyWaveAndNamesEveryControl)
{
    auto w = open("");
    EXPECT_EQ(w->windowTitle(), "Recorder");
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(w->Label1->text(), "Stopped");
    EXPECT_EQ(w->Header1->text(), "New Wav File");
    EXPECT_EQ(w->SpeedButton1->toolTip(), "Open WAVE file");
    EXPECT_EQ(w->SpeedButton2->toolTip(), "Save Wave file");
    EXPECT_EQ(w->SpeedButton4->toolTip(), "Record NEW Wave file");
    expectNamedControls(w.get());
    EXPECT_TRUE(messages.empty());
}

TEST_F(WavePlayerTest, RecordStopAndOkHandsBackTheNumberedRecording)
{
    auto w = open("");
    w->RecordBtn->click();
    EXPECT_EQ(w->Label1->text(), "Recording");
    device.capture(2000);
    w->StopBtn->click();
    EXPECT_EQ(w->Label1->text(), "Stopped");
    w->BitBtn1->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(w->RecorderFileName(), programDir + "waves/OV-1.wav");
    EXPECT_TRUE(w->RecordingPending());
}

TEST_F(WavePlayerTest, AnsweringNoToTheReRecordQuestionChangesNothing)
{
    const std::string mine = dir.file("mine.wav");
    TempDir::write(mine, "FAKEWAVE 900\n");
    auto w = open(mine);
    int asked = 0;
    w->askReRecord = [&] {
        ++asked;
        return false;
    };
    const std::size_t before = device.commands().size();
    w->RecordBtn->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(device.commands().size(), before);
    EXPECT_EQ(w->Header1->text().toStdString(), mine);
    EXPECT_EQ(w->Label1->text(), "Stopped");
}

TEST_F(WavePlayerTest, PlayEndsThroughTheNotification)
{
    const std::string mine = dir.file("mine.wav");
    TempDir::write(mine, "FAKEWAVE 900\n");
    auto w = open(mine);
    w->PlayBtn->click();
    EXPECT_EQ(w->Label1->text(), "Playing");
    device.finishPlaying();
    QApplication::processEvents();
    EXPECT_EQ(w->Label1->text(), "Stopped");
}

TEST_F(WavePlayerTest, NoCaptureDeviceShowsNotReadyAndTheReason)
{
    device.setNoCapture(true);
    auto w = open("");
    w->RecordBtn->click();
    EXPECT_EQ(w->Label1->text(), "Not ready");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("No sound recording device"), std::string::npos);
    w->BitBtn1->click();
    EXPECT_EQ(w->result(), QDialog::Rejected);
}

class TimerWindowTest : public ::testing::Test {
protected:
    ManualClock clock{FromDateTime(EncodeDate(2026, 2, 3) + EncodeTime(10, 0, 0)) + milliseconds(250)};
    FakeSoundPlayer sound;
    TempDir dir;
};

TEST_F(TimerWindowTest, CountDownRunsToItsEndAndSoundsTheWave)
{
    auto *w = new TTimerDown(clock, sound);
    QPointer<TTimerDown> alive = w;
    std::vector<std::string> messages;
    w->showMessage = [&](const std::string &m) { messages.push_back(m); };
    w->chooseWave = [](const std::string &current) -> std::optional<std::string> {
        EXPECT_EQ(current, ""); // no wave chosen yet
        return std::string("/tmp/bell.wav");
    };
    w->show();
    EXPECT_EQ(w->windowTitle(), "Down");
    expectNamedControls(w);
    EXPECT_EQ(w->EditSec->toolTip(), "Set seconds");

    w->EditSec->setFocus();
    pressKey(w->EditSec, Qt::Key_Up);
    pressKey(w->EditSec, Qt::Key_Up);
    pressKey(w->EditSec, Qt::Key_Up);
    EXPECT_EQ(w->EditSec->text(), "03");
    w->SpeedButton1->click();
    EXPECT_EQ(w->AlarmWav(), "/tmp/bell.wav");

    w->StartPauseBtn->click();
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->StartPauseBtn->toolTip(), "Pause timer");
    std::vector<QString> values;
    for (int k = 1; k <= 3; ++k) {
        clock.advance(1s);
        w->Timer1Timer();
        values.push_back(accessibleText(w->TimeLeft, QAccessible::Value));
    }
    EXPECT_EQ(values, (std::vector<QString>{"00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_FALSE(w->EditPanel->isEnabled());
    EXPECT_FALSE(w->StartPauseBtn->isEnabled());
    EXPECT_FALSE(w->StartPauseBtn->isChecked());
    EXPECT_TRUE(w->Timer1->isActive());
    ASSERT_EQ(sound.calls().size(), 1u);
    EXPECT_EQ(sound.calls()[0].name, "/tmp/bell.wav");
    EXPECT_EQ(sound.calls()[0].flags, sndAsync | sndNoStop);
    EXPECT_TRUE(messages.empty());

    w->SpeedButton3->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(sound.calls().back().kind, FakeSoundPlayer::Kind::Beep);
}

TEST_F(TimerWindowTest, CountDownFieldTypedOutOfRangeWrapsAndCarries)
{
    TTimerDown w(clock, sound);
    w.show();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w.EditMin, &focusIn);
    w.EditMin->selectAll();
    for (const char c : std::string("75")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + (c - '0'), Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(w.EditMin, &key);
    }
    EXPECT_EQ(w.EditMin->text(), "00");
    EXPECT_EQ(w.EditHour->text(), "01");
    w.setAttribute(Qt::WA_DeleteOnClose, false);
}

TEST_F(TimerWindowTest, CountUpShowsMoneyAndStoresTheRate)
{
    TTimerUp w(clock, dir.path().string() + "/");
    std::vector<std::string> messages;
    w.showMessage = [&](const std::string &m) { messages.push_back(m); };
    w.show();
    EXPECT_EQ(w.windowTitle(), "Up");
    expectNamedControls(&w);
    EXPECT_EQ(w.MoneyBox->currentText(), "00.00");
    w.RunPauseBtn->click();
    clock.advance(30min);
    w.Timer1Timer();
    EXPECT_EQ(accessibleText(w.Elapsed, QAccessible::Value), "00:30:00");
    w.MoneyBox->setCurrentText("60");
    w.MoneyBtn->click();
    EXPECT_EQ(w.Elapsed->text(), "$30.00");
    EXPECT_FALSE(w.MoneyBox->isEnabled());
    EXPECT_EQ(w.MoneyBtn->toolTip(), "See Elapsed Time");
    EXPECT_EQ(TempDir::read(dir.file("Timeup.Rec")), "60\r\n");
    clock.advance(1s);
    w.Timer1Timer();
    EXPECT_EQ(w.Elapsed->text(), "$30.02");
    w.MoneyBtn->click();
    EXPECT_EQ(w.Elapsed->text(), "00:30:01");
    EXPECT_TRUE(messages.empty());
}

TEST_F(TimerWindowTest, CountUpRateThatIsNotANumberIsReportedOnceAndTheTimeShows)
{
    TTimerUp w(clock, dir.path().string() + "/");
    std::vector<std::string> messages;
    w.showMessage = [&](const std::string &m) { messages.push_back(m); };
    w.show();
    w.RunPauseBtn->click();
    w.MoneyBox->setCurrentText("abc");
    w.MoneyBtn->click();
    EXPECT_EQ(messages, std::vector<std::string>{"'abc' is not a valid floating point value"});
    EXPECT_TRUE(w.MoneyBtn->isChecked());
    EXPECT_FALSE(w.MoneyBox->isEnabled());
    clock.advance(5s);
    w.Timer1Timer();
    w.Timer1Timer();
    EXPECT_EQ(w.Elapsed->text(), "00:00:05");
    EXPECT_EQ(messages.size(), 1u);
}

} // namespace
} // namespace orvane
