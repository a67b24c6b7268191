#pragma once
// The recurrence dialog: the five kinds of rule with their parameters. It reads the rule of the
// set-up dialog's working alarm when it opens and writes it back on OK.
#include "app/alarms/alarm_record.h"
#include "app/alarms/recurrence_choice.h"
#include "app/common/clock.h"
#include "app/common/format_settings.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace orvane {

class TDateEdit;

class TRecuringDlg : public QDialog {
    Q_OBJECT
public:
    // `markEdited` sets the set-up dialog's AlarmEdited; `setupDate` is that dialog's own date
    // field, enabled exactly while "Once" is chosen; `help` shows a help topic by number.
    TRecuringDlg(TAlarmRecord &workingAlarm, const FormatSettings &formats, const Clock &clock,
                 std::function<void()> markEdited, QWidget *setupDate, std::function<void(int)> help,
                 QWidget *parent = nullptr);

    QRadioButton *OnceBtn, *MonthlyBtn, *RecursBtn, *EveryBtn, *DailyBtn;
    TDateEdit *DateEdit1;
    QSpinBox *SpinEdit1;
    QLabel *Label1, *Label6;
    QComboBox *RecursWhich, *RecursDay;
    QSpinBox *EveryMin;
    QComboBox *EveryInterval, *EveryDay;
    QPushButton *OKBtn, *CancelBtn, *HelpBtn;

    RecurrenceChoice choice() const;
    // The message of the last refused OK, for tests and screen readers.
    QString lastRefusal() const { return m_refusal; }
    // Shows refusals; a test replaces it to answer without a message box.
    std::function<void(const QString &)> inform;

public slots:
    void GrayOut();
    void RecursDayChange();
    void EveryIntervalChange();
    void OKBtnClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    void setGrey(QWidget *w, bool enabled);
    int helpContextOfFocus() const;

    TAlarmRecord &m_alarm;
    std::function<void()> m_markEdited;
    QWidget *m_setupDate;
    std::function<void(int)> m_help;
    QString m_refusal;
};

} // namespace orvane
