#include "app/media/ui/wave_player.h"

#include "app/clock/ui/help_window.h"
#include "app/media/ui/media_window_support.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kHelpContext = 58;
const QString kWaveFilter = QStringLiteral("Wav File (*.wav)");

QPushButton *makeButton(const QString &text, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    if (!hint.isEmpty())
        b->setAccessibleDescription(hint);
    return b;
}

std::string withWavExtension(std::string path)
{
    if (!path.empty() && QFileInfo(QString::fromStdString(path)).suffix().isEmpty())
        path += ".wav";
    return path;
}

} // namespace

TWavePlayer::TWavePlayer(WaveDevice &device, const std::string &programDir, const std::string &presetFile,
                         QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_device(device),
      m_session(device, programDir, presetFile)
{
    setWindowTitle(QStringLiteral("Recorder"));
    setModal(true);

    PlayBtn = makeButton(QStringLiteral("&Play"), QStringLiteral("Play"), this);
    StopBtn = makeButton(QStringLiteral("S&top"), QStringLiteral("Stop"), this);
    RecordBtn = makeButton(QStringLiteral("&Record"), QStringLiteral("Record"), this);
    SpeedButton1 = makeButton(QStringLiteral("&Open..."), QStringLiteral("Open WAVE file"), this);
    SpeedButton2 = makeButton(QStringLiteral("&Save..."), QStringLiteral("Save Wave file"), this);
    SpeedButton4 = makeButton(QStringLiteral("&New"), QStringLiteral("Record NEW Wave file"), this);

    Label1 = new QLabel(QStringLiteral("Not ready"), this);
    Label1->setAccessibleName(QStringLiteral("Device mode"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(90);
    Label1->setStyleSheet(QStringLiteral("QLabel { background: black; color: lime; padding: 3px; }"));

    Header1 = new QLabel(QStringLiteral("New Wave File"), this);
    Header1->setAccessibleName(QStringLiteral("Wave file"));
    Header1->setFrameShape(QFrame::Panel);
    Header1->setFrameShadow(QFrame::Raised);
    Header1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Header1->setMinimumWidth(300);

    BitBtn1 = makeButton(QStringLiteral("OK"), QString(), this);
    BitBtn1->setDefault(true);
    BitBtn2 = makeButton(QStringLiteral("Cancel"), QString(), this);
    BitBtn3 = makeButton(QStringLiteral("&Help"), QString(), this);

    auto *player = new QHBoxLayout;
    for (QPushButton *b : {PlayBtn, StopBtn, RecordBtn})
        player->addWidget(b);
    player->addWidget(Label1, 1);
    auto *files = new QHBoxLayout;
    for (QPushButton *b : {SpeedButton1, SpeedButton2, SpeedButton4})
        files->addWidget(b);
    files->addStretch(1);
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3})
        files->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(player);
    layout->addLayout(files);
    layout->addWidget(Header1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ChainTabOrder(
        {PlayBtn, StopBtn, RecordBtn, SpeedButton1, SpeedButton2, SpeedButton4, BitBtn1, BitBtn2, BitBtn3});

    connect(PlayBtn, &QPushButton::clicked, this, [this] { MediaPlayer1Click(PlayerButton::Play); });
    connect(StopBtn, &QPushButton::clicked, this, [this] { MediaPlayer1Click(PlayerButton::Stop); });
    connect(RecordBtn, &QPushButton::clicked, this, [this] { MediaPlayer1Click(PlayerButton::Record); });
    connect(SpeedButton1, &QPushButton::clicked, this, &TWavePlayer::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TWavePlayer::SpeedButton2Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TWavePlayer::SpeedButton4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TWavePlayer::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(kHelpContext); });
    InstallContextHelp(this, kHelpContext);

    askOpenFile = [this](const std::string &initial) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open WAVE file"),
                                            QString::fromStdString(initial), kWaveFilter)
            .toStdString();
    };
    askSaveFile = [this](const std::string &initial) {
        return withWavExtension(QFileDialog::getSaveFileName(this, QStringLiteral("Save Wave file"),
                                                             QString::fromStdString(initial), kWaveFilter)
                                    .toStdString());
    };
    askReRecord = [this] {
        return QMessageBox::question(this, QStringLiteral("Confirm"),
                                     QStringLiteral("Are you sure you want to RE-Record this wave file?"),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) ==
               QMessageBox::Yes;
    };
    showMessage = [this](const std::string &text) { ShowMediaError(this, text); };

    // The device may report from its audio thread: the notification is carried over to this
    // window's thread, and dropped if the window is gone by then.
    m_device.setNotify([this] {
        QMetaObject::invokeMethod(
            this, [this] { MediaPlayer1Notify(); }, Qt::QueuedConnection);
    });
}

TWavePlayer::~TWavePlayer()
{
    m_device.setNotify({});
    FormClose();
}

void TWavePlayer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    centreOnScreen();
    FormShow();
}

void TWavePlayer::centreOnScreen()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TWavePlayer::FormShow()
{
    const WaveError error = m_session.FormShow();
    showHeader();
    showMode();
    report(error);
}

void TWavePlayer::report(const WaveError &error)
{
    if (error && showMessage)
        showMessage(*error);
}

void TWavePlayer::showMode() { Label1->setText(QString::fromStdString(m_session.modeText())); }
void TWavePlayer::showHeader() { Header1->setText(QString::fromStdString(m_session.header())); }

void TWavePlayer::MediaPlayer1Click(PlayerButton button)
{
    WaveError error;
    switch (button) {
    case PlayerButton::Play: error = m_session.Play(); break;
    case PlayerButton::Stop: error = m_session.Stop(); break;
    case PlayerButton::Record:
        if (m_session.recordNeedsConfirmation() && !(askReRecord && askReRecord()))
            return;
        error = m_session.Record();
        break;
    }
    MediaPlayer1PostClick(button);
    report(error);
}

void TWavePlayer::MediaPlayer1PostClick(PlayerButton) { showMode(); }

void TWavePlayer::MediaPlayer1Notify() { showMode(); }

void TWavePlayer::SpeedButton1Click()
{
    const std::string picked = askOpenFile ? askOpenFile(m_session.openInitial()) : std::string();
    if (picked.empty())
        return;
    const WaveError error = m_session.OpenPicked(picked);
    showHeader();
    showMode();
    report(error);
}

void TWavePlayer::SpeedButton2Click()
{
    const std::string picked = askSaveFile ? askSaveFile(m_session.saveInitial()) : std::string();
    if (picked.empty())
        return;
    const WaveError error = m_session.SavePicked(picked);
    showHeader();
    showMode();
    report(error);
}

void TWavePlayer::SpeedButton4Click()
{
    const WaveError error = m_session.RecordNew();
    showHeader();
    showMode();
    report(error);
}

void TWavePlayer::BitBtn1Click()
{
    const RecorderSession::OkResult result = m_session.Ok();
    if (result.message && showMessage)
        showMessage(*result.message);
    switch (result.outcome) {
    case RecorderSession::OkOutcome::StayOpen: showMode(); return;
    case RecorderSession::OkOutcome::Cancel: reject(); return;
    case RecorderSession::OkOutcome::Ok:
        m_recorderFileName = result.RecorderFileName;
        m_recordingPending = result.RecordingPending;
        accept();
        return;
    }
}

void TWavePlayer::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TWavePlayer::FormClose()
{
    // A recording that was not saved is lost with the element.
    if (m_closed)
        return;
    m_closed = true;
    m_session.Close();
}

} // namespace orvane
