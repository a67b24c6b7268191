#pragma once
// The message-alarm window: shows an alarm's text, repeats its wave every 59 seconds until the
// user reacts, and offers OK (dismiss) and Snooze. Any number can be open at once; none is
// modal. What the buttons do to the alarm table lives in TMsgAlrmActions.
#include "app/alarms/alarm_time_counter.h"
#include "app/alarms/message_alarm.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/platform/sound_player.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QTextEdit;
class QTimer;

namespace orvane {

class TMsgAlrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 253;
    static constexpr int kClientHeight = 109;

    TMsgAlrm(TMsgAlrmActions &actions, SoundPlayer &sound, const MessageAlarmRequest &request,
             QWidget *parent = nullptr);

    QTextEdit *Memo1 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QTimer *Timer1 = nullptr;
    // The window's state as the original kept it, in hidden labels.
    QLabel *AlarmWav = nullptr;
    QLabel *AlarmNumber = nullptr;
    QLabel *AlarmTime = nullptr;

    AlarmId alarmId() const { return m_id; }

public slots:
    void Timer1Timer();
    void OKBtnClick();
    void BitBtn1Click();

private:
    void FormCreate();
    void centreOnScreen();

    TMsgAlrmActions &m_actions;
    SoundPlayer &m_sound;
    AlarmId m_id;
    TAlarmTimeCounter m_counter;
};

} // namespace orvane
