#pragma once
// The alarm set-up dialog: one page per alarm type, the alarm being edited below the pages and
// the alarms of the page's type in a list at the bottom. What Save, Delete and the list do to
// the alarm table lives in TAlarmEditor; this window shows it and asks the user.
#include "app/alarms/alarm_editor.h"
#include "app/common/ini_file.h"
#include "app/media/ui/wave_chooser.h"

#include <QDialog>
#include <QMessageBox>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace orvane {

class TDateEdit;
class TTimeEdit;

// What the dialog needs from outside its window; each has a working default, and tests replace
// them to answer without a real dialog or message box.
struct AlarmSetHooks {
    // A wave file chosen for the wave buttons (start: the current one, or empty); nullopt on Cancel.
    // The recorder: the chosen or recorded wave, and whether it is a new recording.
    std::function<std::optional<WaveChoice>(QWidget *, const std::string &)> chooseWave;
    // A program chosen with the "&Browse" button.
    std::function<std::optional<std::string>(QWidget *)> chooseProgram;
    // A folder chosen with "Pro&gram Path" starting at the given one.
    std::function<std::optional<std::string>(QWidget *, const std::string &)> chooseFolder;
    // A question with the given buttons; returns the one pressed.
    std::function<QMessageBox::StandardButton(QWidget *, const QString &caption, const QString &text,
                                              QMessageBox::StandardButtons)>
        ask;
    // A plain message.
    std::function<void(QWidget *, const QString &)> inform;
    // Help by context number.
    std::function<void(int)> help;
    // Writes alarms32.rec after a Save; the error text when it could not.
    std::function<std::optional<std::string>()> saveAlarmFile;
};

class TAlarmSet : public QDialog {
    Q_OBJECT
public:
    TAlarmSet(TAlarmTable &table, const Clock &clock, const FormatSettings &formats, TIniFile &settingsIni,
              AlarmSetHooks hooks, QWidget *parent = nullptr);
    ~TAlarmSet() override;

    TAlarmEditor &editor() { return m_editor; }
    ActionType page() const;

    // The routines of the dialog.
    void ShowAlarm(AlarmId id);
    void NewAlarm();
    void GatherAlarm();
    void RefreshAlarmList();
    void FocusPage();
    // Rebuilds the list after the alarm pass or a message window changed the table, keeping the
    // alarm on show when it is still there.
    void alarmTableChanged();

    QTabWidget *TabbedNotebook1;
    QPlainTextEdit *MessageText;
    QLineEdit *AlarmText;
    QPushButton *Button6;
    QCheckBox *StartMin;
    QLineEdit *Edit1;
    QPushButton *Button1, *Button8;
    QComboBox *ComboBox1, *ComboBox2, *ComboBox3, *ComboBox4, *ComboBox5, *ComboBox6;
    QPushButton *Button7, *Button10;
    QLabel *Label10;
    QGroupBox *WaveGroup, *TimeGroup, *DateGroup;
    QPushButton *Button3, *Button9;
    QToolButton *SpeedButton1, *SpeedButton2;
    QLabel *AlarmWav, *AlarmWav2;
    TTimeEdit *TimeEdit1, *TimeEdit2;
    QCheckBox *CTimeActive;
    TDateEdit *DateEdit1;
    QLabel *ADayName, *Label3, *NextLbl;
    QPushButton *TodayBtn, *Button2;
    QPushButton *NewBtn, *DeleteBtn, *SaveBtn, *OKBtn, *HelpBtn;
    QCheckBox *Active, *CheckBox1, *CheckBox2;
    QListWidget *AlarmListBox;

public slots:
    void TabbedNotebook1Change(int index);
    void AlarmListBoxClick();
    void Button5Click();
    void SaveAlarmBtnClick();
    void Button4Click();
    void TodayBtnClick();
    void Button2Click();
    void Button6Click();
    void Button1Click();
    void Button8Click();
    void Button3Click();
    void Button9Click();
    void Button7Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildPages();
    QWidget *buildWaveGroup();
    QWidget *buildTimeGroup();
    QWidget *buildDateGroup();
    void connectEdits();
    void applyVisibility();
    void showWaveLabels();
    void listLauncherPages();
    void edited();
    void showNext();
    bool Save();
    bool FormCloseQuery();
    std::string pageText() const;
    void focusProgramText();

    TAlarmEditor m_editor;
    const Clock &m_clock;
    TIniFile &m_settingsIni;
    AlarmSetHooks m_hooks;
    // Loading an alarm into the controls fires their change signals; that is not an edit.
    bool m_loading = false;
    bool m_closing = false;
};

} // namespace orvane
