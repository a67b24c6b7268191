#pragma once
// The main window: the clock face, the speed bar, the one-second tick that drives the program,
// the menus and the tray icon. The program-wide state is built before it and handed in.
#include "app/clock/clock_tick.h"
#include "app/clock/face_sizing.h"
#include "app/clock/program_state.h"
#include "app/clock/ui/main_commands.h"
#include "app/clock/ui/main_services.h"
#include "app/common/clock.h"
#include "app/common/reporter.h"

#include <QWidget>

#include <memory>

class QAction;
class QFrame;
class QMenu;
class QTimer;
class QToolButton;

namespace orvane {

class TFacePanel;
class TTrayIcon;
class TPlacement;

class TMain : public QWidget, private TickDisplay {
    Q_OBJECT
public:
    TTrayIcon *trayIcon() const { return TrayIcon1; }
    TMain(const Clock &clock, ProgramState &state, MainServices &services, MainCommands &commands,
          Reporter &reporter);
    ~TMain() override;

    const ClockFields &clockFields() const { return m_tick.fields(); }
    int faceWidth() const { return m_faceWidth; }
    int faceHeight() const { return m_faceHeight; }
    bool speedBarShown() const { return m_speedBarShown; }
    TFacePanel *face() const { return Panel2; }
    QMenu *mainMenu() const { return PopupMenu2; }
    QAction *hideAction() const { return Hide1; }
    int tag() const { return m_tag; }

    void ClockTickNow() { Timer1Timer(); }
    // The announce hot key's code hook: speak at once, with no alarm work.
    void AnnounceNow();
    // Enables the speed-bar buttons and menu items whose windows the program offers.
    void updateCommands();
    // After the options were confirmed: the face as at start-up (truncating scale) with the
    // current time fitted, and the window on top or not.
    void ApplyLook();

signals:
    // The window is on the screen; start-up work the first frame does not need runs from here.
    void firstFrameShown();

public slots:
    void Timer1Timer();
    void Panel2Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void Hide1Click();
    void TrayIcon1Click();
    void TrayIcon1RightClick(QPoint pos);
    void SpeedButton4Click();
    // A second start asked this one to come forward.
    void BringToFront();
    // WM_USER: speak the time at the next tick.
    void AnnounceRequest();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormDestroy();
    void GetTotalDims();
    int MeasureText(const QString &text, const QFont &font) const;
    void sizeFace(Rounding rounding, bool resetFont);
    void applyDisplaySettings();
    void hideToTrayRoutine();
    void buildSpeedBar();
    void buildMenus();
    void scheduleNextTick();
    void connectCommand(QObject *sender, MainCommand command);
    void afterFirstFrame();
    void placeFromSettings();

    // TickDisplay
    bool isHiddenInTray() const override { return m_tag == 1; }
    void hideToTray() override { hideToTrayRoutine(); }
    void setFaceCaption(const std::string &text) override;
    void setTrayToolTip(const std::string &text) override;
    void fitFaceText() override;

    const Clock &m_clock;
    ProgramState &m_state;
    MainServices &m_services;
    MainCommands &m_commands;
    Reporter &m_reporter;
    FormatSettings &m_formats;
    TProgramSettings &m_settings;
    TickFlags &m_flags;
    TClockTick m_tick;
    bool m_resizing = false;
    bool m_speedBarShown = true;
    bool m_closing = false;
    bool m_firstFrameDone = false;
    int m_faceHeight = 0;
    int m_faceWidth = 0;
    int m_tag = 0;

    QFrame *Panel1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *SpeedButton5 = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    TFacePanel *Panel2 = nullptr;
    QTimer *Timer1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *Options1 = nullptr;
    QAction *Alarms1 = nullptr;
    QAction *CDPlayer1 = nullptr;
    QMenu *Timers1 = nullptr;
    QAction *UpTimer1 = nullptr;
    QAction *DownTimer1 = nullptr;
    QAction *About1 = nullptr;
    QAction *Hemlp1 = nullptr;
    QAction *Hide1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *UpMenuItem = nullptr;
    QAction *CountDown1 = nullptr;
    TTrayIcon *TrayIcon1 = nullptr;
    std::unique_ptr<TPlacement> Placement1;
};

} // namespace orvane
