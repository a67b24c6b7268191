#include "app/clock/ui/main_window.h"

#include "app/clock/face_sizing.h"
#include "app/clock/save_routine.h"
#include "app/clock/settings_file.h"
#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/clock/ui/speed_bar_icons.h"
#include "app/clock/ui/tray_icon.h"
#include "app/common/system_formats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kSpeedBarHeight = 31;

// Colour values keep red in the low byte.
QColor FromColorValue(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

bool ValidBevel(int v) { return v >= 0 && v <= 2; }

} // namespace

TMain::TMain(const Clock &clock, MainServices &services)
    : m_clock(clock), m_services(services), m_tick(clock, m_formats, *this)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Orvane"));
    setWindowIcon(ClockIcon());
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
    layout->addWidget(Panel2, 1);
    buildMenus();

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TMain::Timer1Timer);

    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->setIcon(ClockIcon());
    TrayIcon1->setToolTip(QStringLiteral("Orvane 32"));
    connect(TrayIcon1, &TTrayIcon::OnClick, this, &TMain::TrayIcon1Click);
    connect(TrayIcon1, &TTrayIcon::OnRightClick, this, &TMain::TrayIcon1RightClick);
    TrayIcon1->setActive(true);

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
    connect(SpeedButton4, &QToolButton::clicked, this, &TMain::SpeedButton4Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMain::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TMain::SpeedButton7Click);
    // The windows behind these buttons are not part of the program yet.
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5})
        b->setEnabled(false);
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
    connect(Hemlp1, &QAction::triggered, this, &TMain::SpeedButton6Click);
    connect(Hide1, &QAction::triggered, this, &TMain::Hide1Click);
    connect(Exit1, &QAction::triggered, this, &TMain::SpeedButton7Click);
    for (QAction *a : {Options1, Alarms1, CDPlayer1, About1, UpMenuItem, CountDown1, UpTimer1, DownTimer1})
        a->setEnabled(false);
    Timers1->setEnabled(false);
}

void TMain::FormCreate()
{
    // Steps 1 and 2 (the hide-to-tray handler and the single-instance test) are done by
    // changeEvent and by the program entry before the window exists.
    SettingsIni = std::make_unique<TIniFile>("murvelin.ini");
    WinIni = std::make_unique<TIniFile>("Win.ini");

    m_formats.timeSeparator = ':';
    m_formats.timeAMString = "AM";
    m_formats.timePMString = "PM";

    LoadSettings(*SettingsIni, m_settings, [this] {
        if (m_settings.useHotKey && m_settings.hotKey != 0)
            m_services.bindHotKey(m_settings.hotKey, [this] {
                m_flags.announceRequest = true;
                Timer1Timer();
            });
    });
    const TSettingsRecord &r = m_settings.record;
    m_speedBarShown = true;
    if (!r.speedBar)
        Panel2Click();

    applyDisplaySettings();
    Panel2->setCaption(QString::fromStdString(m_tick.ClockText()));
    if (!isMinimized())
        sizeFace(Rounding::Truncate, true);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);

    m_formats.shortDateFormat = "mm/dd/yy";
    m_flags.alarmsInitPending = true;
    m_services.loadAlarmTable();

    const bool onTop = SettingsIni->ReadBool("Options", "Stay On Top", false);
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);

    const int left = SettingsIni->ReadInteger("Main", "PlaceNormPosL", 269);
    const int top = SettingsIni->ReadInteger("Main", "PlaceNormPosT", 145);
    const int right = SettingsIni->ReadInteger("Main", "PlaceNormPosR", 481);
    const int bottom = SettingsIni->ReadInteger("Main", "PlaceNormPosB", 276);
    // A damaged file must not make the window vanish: keep it at least a few pixels big.
    SetOuterBounds(this, left, top, std::max(right - left, 40), std::max(bottom - top, 40));
    if (SettingsIni->ReadInteger("Main", "Minimized", 0) == 1)
        m_flags.startHidden = true;
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
    m_formats = SystemFormatSettings(WinIni.get());
    Panel2->setCaption(QString::fromStdString(m_tick.ClockText()));
}

void TMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
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
        QTimer::singleShot(50, this, [this, outer] {
            SetOuterBounds(this, outer.left(), outer.top(), outer.width(), outer.height());
        });
    }
    sizeFace(Rounding::NearestEven, true);
    m_settings.record.speedBar = m_speedBarShown;
    m_resizing = false;
}

bool TMain::FormCloseQuery()
{
    SaveAll();
    if (!isMinimized() && m_tag == 0)
        Placement1->SaveWindowPlacement();
    try {
        SettingsIni->WriteInteger("Main", "Minimized", m_tag);
    } catch (const EIniFileException &e) {
        showErrors({e.what()});
    }
    return true;
}

void TMain::FormDestroy()
{
    m_services.restoreTitle();
    m_services.unbindHotKey();
    SettingsIni.reset();
    WinIni.reset();
}

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

void TMain::SaveAll()
{
    showErrors(RunSaveRoutine(*SettingsIni, m_settings, [this] { return m_services.saveAlarmTable(); }));
}

void TMain::showErrors(const std::vector<std::string> &errors)
{
    for (const std::string &e : errors) {
        std::fprintf(stderr, "orvane: %s\n", e.c_str());
        if (qEnvironmentVariableIsSet("ORVANE_NO_MESSAGE_BOXES"))
            continue;
        QMessageBox::critical(this, QStringLiteral("Orvane"), QString::fromStdString(e));
    }
}

void TMain::scheduleNextTick()
{
    // Fire just after the program clock's next second boundary rather than on a free-running
    // interval, so that a new minute's work starts within a few milliseconds of hh:mm:00.
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(m_clock.now().time_since_epoch()).count();
    const long long toBoundary = 1000 - (sinceEpoch % 1000 + 1000) % 1000;
    double rate = 1.0;
    if (auto *pc = dynamic_cast<const ProgramClock *>(&m_clock))
        rate = pc->rate();
    Timer1->start(static_cast<int>(toBoundary / rate) + 2);
}

void TMain::Timer1Timer()
{
    m_tick.Timer1Timer(m_flags, m_settings.record);
    if (!m_closing && sender() == Timer1)
        scheduleNextTick();
}

void TMain::decorateTitle(const std::string &suffix)
{
    m_services.decorateTitle(suffix, m_settings.record.windowScope);
}

void TMain::redecorateTitle(const std::string &suffix) { m_services.redecorateTitle(suffix); }

void TMain::setFaceCaption(const std::string &text) { Panel2->setCaption(QString::fromStdString(text)); }

void TMain::setTrayToolTip(const std::string &text) { TrayIcon1->setToolTip(QString::fromStdString(text)); }

void TMain::fitFaceText()
{
    GetTotalDims();
    sizeFace(Rounding::NearestEven, false);
}

void TMain::announce(int hour, int minute, bool requested)
{
    m_services.announce(hour, minute, requested, m_settings);
}

void TMain::initAlarms() { m_services.initAlarms(m_settings.record.autoStart); }

void TMain::runAlarmPass(TDateTime displayMinute) { m_services.runAlarmPass(displayMinute, m_settings); }

void TMain::hideToTrayRoutine()
{
    hide();
    Hide1->setText(QStringLiteral("&Restore"));
    m_tag = 1;
}

void TMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tag == 0)
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
