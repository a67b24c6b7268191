#pragma once
// The recorder dialog ("Recorder"): picks, plays and records a wave file and hands the chosen
// file's name back. Modal, centred, without a close box. The file handling lives in
// RecorderSession; this window shows it, asks the questions and opens the file dialogs.
#include "app/media/recorder_session.h"
#include "app/platform/wave_device.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QWidget;

namespace orvane {

class TWavePlayer : public QDialog {
    Q_OBJECT
public:
    enum class PlayerButton { Play, Stop, Record };

    // `presetFile`: the caller's current sound, empty when it has none.
    TWavePlayer(WaveDevice &device, const std::string &programDir, const std::string &presetFile,
                QWidget *parent = nullptr);
    ~TWavePlayer() override;

    // The result after OK; unchanged otherwise.
    const std::string &RecorderFileName() const { return m_recorderFileName; }
    bool RecordingPending() const { return m_recordingPending; }

    // How the window asks the user; tests replace them. An empty answer is "cancelled".
    std::function<std::string(const std::string &initial)> askOpenFile;
    std::function<std::string(const std::string &initial)> askSaveFile;
    std::function<bool()> askReRecord; // true only for Yes
    std::function<void(const std::string &)> showMessage;

    // MediaPlayer1: the player control's buttons.
    QPushButton *PlayBtn = nullptr;
    QPushButton *StopBtn = nullptr;
    QPushButton *RecordBtn = nullptr;
    QPushButton *SpeedButton1 = nullptr; // Open WAVE file
    QPushButton *SpeedButton2 = nullptr; // Save Wave file
    QPushButton *SpeedButton4 = nullptr; // Record NEW Wave file
    QLabel *Label1 = nullptr;
    QLabel *Header1 = nullptr;
    QPushButton *BitBtn1 = nullptr; // OK
    QPushButton *BitBtn2 = nullptr; // Cancel
    QPushButton *BitBtn3 = nullptr; // Help

    void MediaPlayer1Click(PlayerButton button);
    void MediaPlayer1PostClick(PlayerButton button);
    void MediaPlayer1Notify();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    void report(const WaveError &error);
    void showMode();
    void showHeader();
    void centreOnScreen();

    WaveDevice &m_device;
    RecorderSession m_session;
    std::string m_recorderFileName;
    bool m_recordingPending = false;
    bool m_shown = false;
    bool m_closed = false;
};

} // namespace orvane
