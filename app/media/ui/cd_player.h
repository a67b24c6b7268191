#pragma once
// The CD player window: the player control's buttons, the disc's and track's names, the track
// number and time, and the mode. A thin window over CDPlayerLogic: every event goes there and
// the window shows what the logic's view holds.
#include "app/media/cd_player_logic.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace orvane {

class TPlacement;
class TPlayList;

class TCDPlayer : public QWidget {
    Q_OBJECT
public:
    // Creates the window and opens the device; none and the device's error when it cannot be
    // opened (the caller may try again).
    static TCDPlayer *create(CDPlayerServices services, std::string &error);
    ~TCDPlayer() override;

    CDPlayerLogic &logic() { return m_logic; }
    // The device's notification arrived (delivered on this thread).
    void MediaPlayer1Notify();
    // Closes the play-list editor if it is open (the disc went away).
    void closePlayList();
    TPlayList *playList() const { return m_playList; }

    QWidget *MediaPlayer1 = nullptr;
    QPushButton *PlayBtn = nullptr;
    QPushButton *PauseBtn = nullptr;
    QPushButton *StopBtn = nullptr;
    QPushButton *NextBtn = nullptr;
    QPushButton *PrevBtn = nullptr;
    QPushButton *EjectBtn = nullptr;
    QLabel *CDName = nullptr;
    QLabel *CDTrack = nullptr;
    QLabel *TrackPos = nullptr;
    QLabel *SongPos = nullptr;
    QLabel *Panel2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *ModeBtn = nullptr;
    QPushButton *Button3 = nullptr;
    QTimer *Timer2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    explicit TCDPlayer(CDPlayerServices services);
    void buildControls();
    void apply();
    void Timer2Timer();
    void MediaPlayer1Click(CDButton button);
    void Button2Click();

    CDPlayerServices m_services;
    CDPlayerLogic m_logic;
    std::unique_ptr<TPlacement> Placement1;
    TPlayList *m_playList = nullptr;
    bool m_shown = false;
};

} // namespace orvane
