#include "app/clock/ui/main_window.h"

#include "app/clock/face_sizing.h"
#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/help_key.h"
#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/clock/ui/speed_bar_icons.h"
#include "app/clock/ui/tray_icon.h"
#include "app/clock/window_placement.h"
#include "app/common/system_formats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kSpeedBarHeight = 31;
// The help topic of the main window (app/resources/help/100.html). It is kept apart from the
// options dialog's numbers: context 1 belongs to its Play Voice check box, and F1 there must not
// fall through to the main window's topic.
constexpr int kMainHelpContext = 100;
// When the face is never drawn (a window the platform does not expose), the work held back for
// after the first frame runs anyway after this long.
constexpr int kFirstFrameFallbackMs = 1000;

// Colour values keep red in the low byte.
QColor FromColorValue(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

bool ValidBevel(int v) { return v >= 0 && v <= 2; }

} // namespace

TMain::TMain(const Clock &clock, ProgramState &state, MainServices &services, MainCommands &commands,
             Reporter &reporter)
    : m_clock(clock), m_state(state), m_services(services), m_commands(commands), m_reporter(reporter),
      m_formats(state.formats), m_settings(state.settings), m_flags(state.flags),
      m_tick(clock, state.formats, *this, services)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Orvane"));
    // The window and the tray show the same picture, drawn once.
    const QIcon clockIcon = ClockIcon();
    setWindowIcon(clockIcon);
    SetHelpContext(this, kMainHelpContext);
    QFont windowFont(QStringLiteral("System"));
    windowFont.setPixelSize(13);
    setFont(windowFont);
    setGeometry(269, 145, 212, 131);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildSpeedBar();
    layout->addWidget(Panel1);
    Panel2 = new TFacePanel(this);
    Panel2->setToolTip(QStringLiteral("Hide Speedbar"));
    Panel2->setFrameWidths(3, 0);
    QFont faceFont(QStringLiteral("Times New Roman"));
    faceFont.setBold(true);
    faceFont.setPixelSize(32);
    Panel2->setFaceFont(faceFont);
    Panel2->setFaceColor(QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0, 0));
    connect(Panel2, &TFacePanel::clicked, this, &TMain::Panel2Click);
    connect(Panel2, &TFacePanel::firstPainted, this,
            [this] { QTimer::singleShot(0, this, &TMain::afterFirstFrame); });
    layout->addWidget(Panel2, 1);
    buildMenus();
    updateCommands();

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TMain::Timer1Timer);

    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->setIcon(clockIcon);
    TrayIcon1->setToolTip(QStringLiteral("Orvane 32"));
    connect(TrayIcon1, &TTrayIcon::OnClick, this, &TMain::TrayIcon1Click);
    connect(TrayIcon1, &TTrayIcon::OnRightClick, this, &TMain::TrayIcon1RightClick);
    TrayIcon1->setActive(true, Docking::Later);

    Placement1 = std::make_unique<TPlacement>(this, QStringLiteral("murvelin.ini"), QStringLiteral("Main"));
    qApp->installEventFilter(this);

    FormCreate();
    scheduleNextTick();
}

TMain::~TMain()
{
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TMain::buildSpeedBar()
{
    Panel1 = new QFrame(this);
    Panel1->setFixedHeight(kSpeedBarHeight);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(2, 1, 2, 1);
    bar->setSpacing(1);
    const auto make = [&](SpeedIcon icon, const char *hint) {
        auto *b = new QToolButton(Panel1);
        b->setIcon(SpeedBarIcon(icon));
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(27, 27);
        b->setAutoRaise(true);
        b->setToolTip(QString::fromLatin1(hint));
        b->setAccessibleName(QString::fromLatin1(hint));
        bar->addWidget(b);
        return b;
    };
    SpeedButton1 = make(SpeedIcon::Preferences, "Preferences");
    SpeedButton2 = make(SpeedIcon::Alarms, "Alarms");
    SpeedButton3 = make(SpeedIcon::CdPlayer, "CD Player");
    SpeedButton4 = make(SpeedIcon::Timers, "Timers");
    SpeedButton5 = make(SpeedIcon::About, "About Orvane");
    SpeedButton6 = make(SpeedIcon::Help, "Help");
    SpeedButton7 = make(SpeedIcon::Exit, "Exit");
    bar->addStretch(1);
    connectCommand(SpeedButton1, MainCommand::Options);
    connectCommand(SpeedButton2, MainCommand::Alarms);
    connectCommand(SpeedButton3, MainCommand::CDPlayer);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMain::SpeedButton4Click);
    connectCommand(SpeedButton5, MainCommand::About);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMain::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TMain::SpeedButton7Click);
}

void TMain::afterFirstFrame()
{
    if (m_firstFrameDone)
        return;
    m_firstFrameDone = true;
    // The notification area is asked for only now: docking waits on the tray host, and the clock
    // should be on the screen first.
    TrayIcon1->dock();
    emit firstFrameShown();
}

void TMain::connectCommand(QObject *sender, MainCommand command)
{
    const auto run = [this, command] { m_commands.run(command); };
    if (auto *button = qobject_cast<QToolButton *>(sender))
        connect(button, &QToolButton::clicked, this, run);
    else if (auto *action = qobject_cast<QAction *>(sender))
        connect(action, &QAction::triggered, this, run);
}

void TMain::updateCommands()
{
    const bool options = m_commands.available(MainCommand::Options);
    const bool alarms = m_commands.available(MainCommand::Alarms);
    const bool cd = m_commands.available(MainCommand::CDPlayer);
    const bool up = m_commands.available(MainCommand::UpTimer);
    const bool down = m_commands.available(MainCommand::DownTimer);
    const bool about = m_commands.available(MainCommand::About);
    SpeedButton1->setEnabled(options);
    Options1->setEnabled(options);
    SpeedButton2->setEnabled(alarms);
    Alarms1->setEnabled(alarms);
    SpeedButton3->setEnabled(cd);
    CDPlayer1->setEnabled(cd);
    SpeedButton4->setEnabled(up || down);
    Timers1->setEnabled(up || down);
    UpMenuItem->setEnabled(up);
    UpTimer1->setEnabled(up);
    CountDown1->setEnabled(down);
    DownTimer1->setEnabled(down);
    SpeedButton5->setEnabled(about);
    About1->setEnabled(about);
}

void TMain::buildMenus()
{
    PopupMenu1 = new QMenu(this);
    UpMenuItem = PopupMenu1->addAction(QStringLiteral("Count up "));
    CountDown1 = PopupMenu1->addAction(QStringLiteral("Count Down"));

    PopupMenu2 = new QMenu(this);
    Options1 = PopupMenu2->addAction(QStringLiteral("&Options"));
    Alarms1 = PopupMenu2->addAction(QStringLiteral("&Alarms"));
    CDPlayer1 = PopupMenu2->addAction(QStringLiteral("&CD Player"));
    Timers1 = PopupMenu2->addMenu(QStringLiteral("&Timers"));
    UpTimer1 = Timers1->addAction(QStringLiteral("&Up Timer"));
    DownTimer1 = Timers1->addAction(QStringLiteral("&Down Timer"));
    About1 = PopupMenu2->addAction(QStringLiteral("A&bout"));
    Hemlp1 = PopupMenu2->addAction(QStringLiteral("&Help"));
    Hide1 = PopupMenu2->addAction(QStringLiteral("Hi&de"));
    Exit1 = PopupMenu2->addAction(QStringLiteral("&Exit"));
    connectCommand(UpMenuItem, MainCommand::UpTimer);
    connectCommand(CountDown1, MainCommand::DownTimer);
    connectCommand(Options1, MainCommand::Options);
    connectCommand(Alarms1, MainCommand::Alarms);
    connectCommand(CDPlayer1, MainCommand::CDPlayer);
    connectCommand(UpTimer1, MainCommand::UpTimer);
    connectCommand(DownTimer1, MainCommand::DownTimer);
    connectCommand(About1, MainCommand::About);
    connect(Hemlp1, &QAction::triggered, this, &TMain::SpeedButton6Click);
    // Queued, so that the window is hidden once the menu that carried the command is gone (as a
    // menu command arrives on Windows): a window hidden while its pop-up menu is still being
    // taken down can stay on the screen under some window managers.
    connect(Hide1, &QAction::triggered, this, &TMain::Hide1Click, Qt::QueuedConnection);
    connect(Exit1, &QAction::triggered, this, &TMain::SpeedButton7Click);
}

void TMain::FormCreate()
{
    // Steps 1 to 6 (the hide-to-tray handler, the single-instance test, the settings and the hot
    // key) are done by changeEvent and by the program before the window exists; the alarm table
    // is read there too.
    const TSettingsRecord &r = m_settings.record;
    m_speedBarShown = true;
    if (!r.speedBar)
        Panel2Click();

    applyDisplaySettings();
    Panel2->setCaption(QString::fromStdString(m_tick.ClockText()));
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);

    const TIniFile &ini = *m_state.SettingsIni;
    const bool onTop = ini.ReadBool("Options", "Stay On Top", false);
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);

    placeFromSettings();
    if (ini.ReadInteger("Main", "Minimized", 0) == 1)
        m_flags.startHidden = true;
}

void TMain::placeFromSettings()
{
    const TIniFile &ini = *m_state.SettingsIni;
    const int left = ini.ReadInteger("Main", "PlaceNormPosL", 269);
    const int top = ini.ReadInteger("Main", "PlaceNormPosT", 145);
    const int right = ini.ReadInteger("Main", "PlaceNormPosR", 481);
    const int bottom = ini.ReadInteger("Main", "PlaceNormPosB", 276);
    // A damaged file must not make the window vanish: keep it at least a few pixels big.
    PlaceRect outer{left, top, std::max(right - left, 40), std::max(bottom - top, 40)};
    // A placement from another monitor layout or a larger screen is brought fully into view.
    std::vector<PlaceRect> screens;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.left(), area.top(), area.width(), area.height()});
    }
    outer = BringOntoScreen(outer, screens);
    SetOuterBounds(this, outer.left, outer.top, outer.width, outer.height);
}

void TMain::applyDisplaySettings()
{
    const TSettingsRecord &r = m_settings.record;
    QFont f = Panel2->faceFont();
    f.setFamily(QString::fromStdString(r.fontName));
    if (r.fontStyle == "Bold") {
        f.setBold(true);
        f.setItalic(false);
    } else if (r.fontStyle == "Italic") {
        f.setBold(false);
        f.setItalic(true);
    } else if (r.fontStyle == "BoldItalic") {
        f.setBold(true);
        f.setItalic(true);
    } else if (r.fontStyle == "Regular") {
        f.setBold(false);
        f.setItalic(false);
    }
    Panel2->setFaceFont(f);
    Panel2->setFaceColor(FromColorValue(r.displayColor), FromColorValue(r.fontColor));
    Bevel outer = Panel2->bevelOuter(), inner = Panel2->bevelInner();
    if (ValidBevel(r.bevelInner))
        inner = static_cast<Bevel>(r.bevelInner);
    if (ValidBevel(r.bevelOuter))
        outer = static_cast<Bevel>(r.bevelOuter);
    Panel2->setBevels(outer, inner);
}

void TMain::ApplyLook()
{
    applyDisplaySettings();
    Panel2->setCaption(QString::fromStdString(m_tick.ClockText()));
    if (!isMinimized())
        sizeFace(Rounding::Truncate, true);
    const bool onTop = m_settings.record.stayOnTop;
    if (onTop != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // Changing the flag re-creates a shown window, which hides it until shown again.
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (wasVisible)
            show();
    }
}

void TMain::FormShow()
{
    m_formats = SystemFormatSettings(m_state.WinIni.get());
    Panel2->setCaption(QString::fromStdString(m_tick.ClockText()));
    // The system's time format can change the text ("7:05:00 AM" becomes "07:05"), so the face
    // is fitted to the text it really shows, as every later fitting is.
    layout()->activate();
    sizeFace(Rounding::NearestEven, true);
}

void TMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
    if (!m_firstFrameDone)
        QTimer::singleShot(kFirstFrameFallbackMs, this, &TMain::afterFirstFrame);
}

void TMain::GetTotalDims()
{
    const bool both = Panel2->bevelOuter() != Bevel::None && Panel2->bevelInner() != Bevel::None;
    const FaceDims d = orvane::GetTotalDims(Panel2->width(), Panel2->height(),
                                            FaceFrame{Panel2->bevelWidth(), Panel2->borderWidth()}, both);
    m_faceWidth = d.faceWidth;
    m_faceHeight = d.faceHeight;
}

int TMain::MeasureText(const QString &text, const QFont &font) const
{
    return QFontMetrics(font).horizontalAdvance(text);
}

void TMain::sizeFace(Rounding rounding, bool resetFont)
{
    // A window not on the screen is fitted when it is shown (FormShow), to the size and text it
    // has then. Fitting it before, at sizes it never shows, cost a font engine per size tried and
    // made up much of the start.
    if (!isVisible())
        return;
    const TSettingsRecord &r = m_settings.record;
    const FaceFrame frame = ScaleFaceFrame(Panel2->height(), r.bevelWidth, r.borderWidth, rounding);
    Panel2->setFrameWidths(frame.bevelWidth, frame.borderWidth);
    GetTotalDims();
    QFont f = Panel2->faceFont();
    int start = resetFont ? m_faceHeight : f.pixelSize();
    const int height = FitFontHeight(Panel2->caption().toStdString(), start, m_faceWidth,
                                     [&](const std::string &text, int h) {
                                         QFont probe = f;
                                         probe.setPixelSize(h);
                                         return MeasureText(QString::fromStdString(text), probe);
                                     });
    f.setPixelSize(height);
    Panel2->setFaceFont(f);
}

void TMain::FormResize()
{
    if (m_resizing)
        return;
    sizeFace(Rounding::NearestEven, true);
}

void TMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMain::Panel2Click()
{
    m_resizing = true;
    const QRect outer = frameGeometry();
    const bool wasVisible = isVisible();
    if (m_speedBarShown) {
        setWindowFlag(Qt::FramelessWindowHint, true);
        Panel1->hide();
        Panel2->setToolTip(QStringLiteral("Show Speedbar"));
        m_speedBarShown = false;
    } else {
        setWindowFlag(Qt::FramelessWindowHint, false);
        Panel1->show();
        m_speedBarShown = true;
        Panel2->setToolTip(QStringLiteral("Hide Speedbar"));
    }
    if (wasVisible) {
        // Changing the frame re-creates the window; keep its outer height and place.
        show();
        SetOuterBounds(this, outer.left(), outer.top(), outer.width(), outer.height());
    }
    // The speed bar was shown or hidden just now: the face is fitted to the size the layout gives
    // it from here on, not to the size it had before the change.
    layout()->activate();
    sizeFace(Rounding::NearestEven, true);
    m_settings.record.speedBar = m_speedBarShown;
    m_resizing = false;
}

bool TMain::FormCloseQuery()
{
    m_services.saveAll();
    if (!isMinimized() && m_tag == 0)
        Placement1->SaveWindowPlacement();
    try {
        m_state.SettingsIni->WriteInteger("Main", "Minimized", m_tag);
    } catch (const EIniFileException &e) {
        m_reporter.report(e.what());
    }
    return true;
}

void TMain::FormDestroy() { m_services.shutdown(); }

void TMain::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    m_closing = true;
    FormCloseQuery();
    event->accept();
    Timer1->stop();
    // Closing the main window ends the program, even while it is hidden in the tray.
    QTimer::singleShot(0, qApp, &QApplication::quit);
}

void TMain::scheduleNextTick()
{
    // Fire just after the program clock's next second boundary rather than on a free-running
    // interval, so that a new minute's work starts within a few milliseconds of hh:mm:00.
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(m_clock.now().time_since_epoch()).count();
    const long long toBoundary = 1000 - (sinceEpoch % 1000 + 1000) % 1000;
    const double rate = m_clock.rate();
    Timer1->start(static_cast<int>(toBoundary / rate) + 2);
}

void TMain::Timer1Timer()
{
    m_tick.Timer1Timer(m_flags, m_settings.record);
    if (!m_closing && sender() == Timer1)
        scheduleNextTick();
}

void TMain::setFaceCaption(const std::string &text) { Panel2->setCaption(QString::fromStdString(text)); }

void TMain::setTrayToolTip(const std::string &text) { TrayIcon1->setToolTip(QString::fromStdString(text)); }

void TMain::fitFaceText()
{
    GetTotalDims();
    sizeFace(Rounding::NearestEven, false);
}

void TMain::hideToTrayRoutine()
{
    // Without a notification area nothing could bring a hidden window back: it is minimized the
    // ordinary way instead, and stays shown as far as the program is concerned.
    if (!TrayIcon1->isShown()) {
        if (!isMinimized())
            showMinimized();
        return;
    }
    hide();
    Hide1->setText(QStringLiteral("&Restore"));
    m_tag = 1;
}

void TMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tag == 0 && TrayIcon1->isShown())
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            hideToTrayRoutine();
        });
}

void TMain::TrayIcon1Click()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    showNormal();
    raise();
    activateWindow();
    Hide1->setText(QStringLiteral("Hi&de"));
    m_tag = 0;
}

void TMain::TrayIcon1RightClick(QPoint pos) { PopupMenu2->popup(pos); }

void TMain::Hide1Click()
{
    if (Hide1->text() == QStringLiteral("Hi&de"))
        hideToTrayRoutine();
    else
        TrayIcon1Click();
}

void TMain::BringToFront() { TrayIcon1Click(); }

void TMain::AnnounceRequest() { m_flags.announceRequest = true; }

void TMain::AnnounceNow()
{
    m_flags.announceRequest = true;
    Timer1Timer();
}

void TMain::SpeedButton4Click()
{
    const QRect f = frameGeometry();
    PopupMenu1->popup(QPoint(f.left() + 58, f.top() + 49));
}

void TMain::SpeedButton6Click() { THelpWindow::ShowContents(); }

void TMain::SpeedButton7Click() { close(); }

void TMain::contextMenuEvent(QContextMenuEvent *event) { PopupMenu2->popup(event->globalPos()); }

bool TMain::eventFilter(QObject *watched, QEvent *event)
{
    // "Show Hints" switches the tool-tips of the whole program.
    if (event->type() == QEvent::ToolTip && !m_settings.record.showHints)
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace orvane
