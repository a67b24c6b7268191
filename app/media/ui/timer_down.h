#pragma once
// The count-down window ("Down"): a duration in three fields, start / pause, and at the end a
// flashing "00:00:00" with the alarm wave until the user closes it. Any number may be open; each
// deletes itself when closed. The rules live in CountDownFields and CountDown.
#include "app/common/clock.h"
#include "app/media/count_down.h"
#include "app/media/count_down_fields.h"
#include "app/platform/sound_player.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace orvane {

class TTimeReadout;

class TTimerDown : public QWidget {
    Q_OBJECT
public:
    static constexpr const char *kNoWave = "AlarmWav";

    TTimerDown(const Clock &clock, SoundPlayer &sound, QWidget *parent = nullptr);

    // How the window chooses the alarm wave; tests replace it. It gets the current wave (empty
    // for none) and gives back the new one, or nothing when the user cancelled.
    std::function<std::optional<std::string>(const std::string &current)> chooseWave;
    // How a field error is shown; tests replace it.
    std::function<void(const std::string &)> showMessage;

    QLineEdit *EditHour = nullptr;
    QLineEdit *EditMin = nullptr;
    QLineEdit *EditSec = nullptr;
    QToolButton *SpinUp = nullptr;   // SpinTime's upper half
    QToolButton *SpinDown = nullptr; // SpinTime's lower half
    QFrame *EditPanel = nullptr;
    QPushButton *StartPauseBtn = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QPushButton *SpeedButton4 = nullptr;
    TTimeReadout *TimeLeft = nullptr;
    QLineEdit *Edit1 = nullptr;
    QTimer *Timer1 = nullptr;

    const std::string &AlarmWav() const { return m_alarmWav; }

    void StartPauseBtnClick();
    void SpinTimeUpClick() { applyFields(m_fields.spin(+1), false); }
    void SpinTimeDownClick() { applyFields(m_fields.spin(-1), false); }
    void SpeedButton1Click();
    void Timer1Timer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *makeField(const QString &hint, const QString &name);
    QLineEdit *edit(CountDownField f) const;
    std::optional<CountDownField> fieldOf(QObject *o) const;
    void fieldEdited(CountDownField f, const QString &text);
    // Shows the fields' texts and reports `error` once.
    void applyFields(const std::optional<std::string> &error, bool selectFocused);

    const Clock &m_clock;
    SoundPlayer &m_sound;
    CountDownFields m_fields;
    CountDown m_countDown;
    std::string m_alarmWav = kNoWave;
    std::string m_lastError;
};

} // namespace orvane
