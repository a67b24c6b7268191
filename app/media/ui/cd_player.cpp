#include "app/media/ui/cd_player.h"

#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/media/ui/play_list.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {
namespace {

QLabel *makeLabel(QWidget *parent, const char *objectName, const char *accessibleName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    // The label's text may be empty (no disc); its name still says what it shows.
    label->setAccessibleName(QString::fromLatin1(accessibleName));
    return label;
}

} // namespace

TCDPlayer *TCDPlayer::create(CDPlayerServices services, std::string &error)
{
    auto *window = new TCDPlayer(std::move(services));
    if (auto failed = window->m_logic.FormCreate()) {
        error = *failed;
        delete window;
        return nullptr;
    }
    return window;
}

TCDPlayer::TCDPlayer(CDPlayerServices services)
    : m_services(services), m_logic([&] {
          services.closePlayList = [this] { closePlayList(); };
          return services;
      }())
{
    setObjectName(QStringLiteral("CDPlayer"));
    setWindowTitle(QStringLiteral("CD Player"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    Placement1 =
        std::make_unique<TPlacement>(this, QStringLiteral("murvelin.ini"), QStringLiteral("CDPlayer"));
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &TCDPlayer::Timer2Timer);
}

TCDPlayer::~TCDPlayer() = default;

void TCDPlayer::buildControls()
{
    MediaPlayer1 = new QFrame(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setToolTip(QStringLiteral("CD Navigator"));
    MediaPlayer1->setAccessibleName(QStringLiteral("CD Navigator"));
    auto *buttons = new QHBoxLayout(MediaPlayer1);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto button = [&](QPushButton *&b, const char *text, const char *name, CDButton which) {
        b = new QPushButton(QString::fromLatin1(text), MediaPlayer1);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, which] { MediaPlayer1Click(which); });
    };
    button(PlayBtn, "Pl&ay", "PlayBtn", cbPlay);
    button(PauseBtn, "Pa&use", "PauseBtn", cbPause);
    button(StopBtn, "&Stop", "StopBtn", cbStop);
    button(NextBtn, "&Next", "NextBtn", cbNext);
    button(PrevBtn, "P&rev", "PrevBtn", cbPrev);
    button(EjectBtn, "&Eject", "EjectBtn", cbEject);

    CDName = makeLabel(this, "CDName", "CD name");
    CDName->setText(QStringLiteral("CD Name"));
    CDName->setWordWrap(true);
    CDTrack = makeLabel(this, "CDTrack", "Track name");
    TrackPos = makeLabel(this, "TrackPos", "Track number");
    TrackPos->setText(QStringLiteral("00"));
    QFont big = TrackPos->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    TrackPos->setFont(big);
    SongPos = makeLabel(this, "SongPos", "Time in track");
    SongPos->setText(QStringLiteral("00:00"));
    Panel2 = makeLabel(this, "Panel2", "Mode");
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setMinimumWidth(70);

    Button1 = new QPushButton(QStringLiteral("&Done"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Close CD Player"));
    Button2 = new QPushButton(QStringLiteral("&Play list"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setToolTip(QStringLiteral("Edit play list"));
    ModeBtn = new QPushButton(QStringLiteral("&Mode"), this);
    ModeBtn->setObjectName(QStringLiteral("ModeBtn"));
    ModeBtn->setToolTip(QStringLiteral("Change CD mode"));
    Button3 = new QPushButton(QStringLiteral("&Help"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(Button2, &QPushButton::clicked, this, &TCDPlayer::Button2Click);
    connect(ModeBtn, &QPushButton::clicked, this, [this] {
        m_logic.ModeBtnClick();
        apply();
    });
    connect(Button3, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(47)->show(); });

    auto *names = new QVBoxLayout;
    names->addWidget(CDName);
    names->addWidget(CDTrack);
    auto *display = new QGridLayout;
    display->addWidget(TrackPos, 0, 0, 2, 1);
    display->addLayout(names, 0, 1);
    display->addWidget(SongPos, 1, 1);
    display->addWidget(Panel2, 1, 2);
    display->setColumnStretch(1, 1);
    auto *commands = new QHBoxLayout;
    for (QPushButton *b : {Button1, Button2, ModeBtn, Button3})
        commands->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MediaPlayer1);
    layout->addLayout(display);
    layout->addLayout(commands);
    setMinimumWidth(420);
}

void TCDPlayer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    Placement1->RestoreWindowPlacement();
    m_logic.FormShow();
    apply();
    Timer2->start();
}

void TCDPlayer::closeEvent(QCloseEvent *event)
{
    Timer2->stop();
    m_logic.FormClose();
    Placement1->SaveWindowPlacement();
    event->accept();
}

void TCDPlayer::Timer2Timer()
{
    m_logic.Timer2Timer();
    apply();
}

void TCDPlayer::MediaPlayer1Click(CDButton button)
{
    m_logic.MediaPlayer1Click(button);
    apply();
}

void TCDPlayer::MediaPlayer1Notify()
{
    if (!m_services.device.takeNotification())
        return;
    m_logic.MediaPlayer1Notify();
    apply();
}

void TCDPlayer::Button2Click()
{
    m_logic.refreshTrackCount();
    TPlayList dialog(m_services.database, m_services.state, m_services.report, this);
    m_playList = &dialog;
    dialog.exec();
    m_playList = nullptr;
    m_logic.showNamesAfterEditing();
    apply();
}

void TCDPlayer::closePlayList()
{
    if (m_playList)
        m_playList->done(QDialog::Accepted);
}

void TCDPlayer::apply()
{
    const CDPlayerView &v = m_logic.view();
    const bool explain = !m_services.state.DiscLoaded && !v.notReady.empty();
    CDName->setText(QString::fromStdString(explain ? v.notReady : v.CDName));
    CDTrack->setText(QString::fromStdString(v.CDTrack));
    TrackPos->setText(QString::fromStdString(v.TrackPos));
    SongPos->setText(QString::fromStdString(v.SongPos));
    Panel2->setText(QString::fromStdString(v.Panel2));
    PlayBtn->setEnabled(v.enabled & cbPlay);
    PauseBtn->setEnabled(v.enabled & cbPause);
    StopBtn->setEnabled(v.enabled & cbStop);
    NextBtn->setEnabled(v.enabled & cbNext);
    PrevBtn->setEnabled(v.enabled & cbPrev);
    EjectBtn->setEnabled(v.enabled & cbEject);
    ModeBtn->setEnabled(v.modeBtnEnabled);
    Button2->setEnabled(v.playListBtnEnabled);
    if (Timer2->interval() != v.interval)
        Timer2->setInterval(v.interval);
}

} // namespace orvane
