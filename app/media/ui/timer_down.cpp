#include "app/media/ui/timer_down.h"

#include "app/clock/ui/help_window.h"
#include "app/media/recorder_session.h"
#include "app/media/ui/media_window_support.h"
#include "app/media/ui/time_readout.h"
#include "app/media/ui/wave_chooser.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kHelpWindow = 45;
constexpr int kHelpFields = 46;
constexpr int kHelpDescription = 44;

QLabel *separator(QWidget *parent)
{
    auto *l = new QLabel(QStringLiteral(":"), parent);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

QToolButton *spinHalf(Qt::ArrowType arrow, const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setToolTip(QStringLiteral("Set timer time"));
    b->setAccessibleName(name);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(100);
    b->setFixedSize(18, 12);
    // Pressing the spin must not take the focus from the field it steps.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TTimerDown::TTimerDown(const Clock &clock, SoundPlayer &sound, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_clock(clock), m_sound(sound), m_countDown(clock)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Down"));

    EditPanel = new QFrame(this);
    EditPanel->setFrameShape(QFrame::StyledPanel);
    EditHour = makeField(QStringLiteral("Set hours"), QStringLiteral("Hours"));
    EditMin = makeField(QStringLiteral("Set minutes"), QStringLiteral("Minutes"));
    EditSec = makeField(QStringLiteral("Set seconds"), QStringLiteral("Seconds"));
    SpinUp = spinHalf(Qt::UpArrow, QStringLiteral("Set timer time up"), EditPanel);
    SpinDown = spinHalf(Qt::DownArrow, QStringLiteral("Set timer time down"), EditPanel);
    auto *hourLabel = new QLabel(QStringLiteral("H&r"), EditPanel);
    auto *minLabel = new QLabel(QStringLiteral("&Min"), EditPanel);
    auto *secLabel = new QLabel(QStringLiteral("S&ec"), EditPanel);
    hourLabel->setBuddy(EditHour);
    minLabel->setBuddy(EditMin);
    secLabel->setBuddy(EditSec);
    auto *panel = new QHBoxLayout(EditPanel);
    panel->setContentsMargins(4, 2, 4, 2);
    panel->setSpacing(2);
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SpinUp);
    spin->addWidget(SpinDown);
    panel->addWidget(hourLabel);
    panel->addWidget(EditHour);
    panel->addWidget(separator(EditPanel));
    panel->addWidget(minLabel);
    panel->addWidget(EditMin);
    panel->addWidget(separator(EditPanel));
    panel->addWidget(secLabel);
    panel->addWidget(EditSec);
    panel->addLayout(spin);

    StartPauseBtn = new QPushButton(QStringLiteral("&Start"), this);
    StartPauseBtn->setCheckable(true);
    StartPauseBtn->setToolTip(QStringLiteral("Start timer"));
    SpeedButton1 = new QPushButton(QStringLiteral("&Wave..."), this);
    SpeedButton1->setAccessibleName(QStringLiteral("Choose alarm wave"));
    SpeedButton3 = new QPushButton(QStringLiteral("&Finished"), this);
    SpeedButton3->setToolTip(QStringLiteral("Finished"));
    SpeedButton4 = new QPushButton(QStringLiteral("&Help"), this);
    SpeedButton4->setToolTip(QStringLiteral("Help"));

    TimeLeft = new TTimeReadout(QStringLiteral("Time left"), this);
    TimeLeft->showTime(QStringLiteral("00:00:00"));

    Edit1 = new QLineEdit(this);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {StartPauseBtn, SpeedButton1, SpeedButton3, SpeedButton4}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    QHBoxLayout *note = MakeNoteRow(this, Edit1, kHelpDescription);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(EditPanel);
    layout->addWidget(TimeLeft);
    layout->addLayout(buttons);
    layout->addLayout(note);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ChainTabOrder(
        {EditHour, EditMin, EditSec, StartPauseBtn, SpeedButton1, SpeedButton3, SpeedButton4, Edit1});

    connect(SpinUp, &QToolButton::clicked, this, &TTimerDown::SpinTimeUpClick);
    connect(SpinDown, &QToolButton::clicked, this, &TTimerDown::SpinTimeDownClick);
    connect(StartPauseBtn, &QPushButton::clicked, this, &TTimerDown::StartPauseBtnClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TTimerDown::SpeedButton1Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &QWidget::close);
    connect(SpeedButton4, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(kHelpWindow); });
    InstallContextHelp(this, kHelpWindow);
    InstallCopyReadout(this, TimeLeft);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TickIntervalMs(clock));
    connect(Timer1, &QTimer::timeout, this, &TTimerDown::Timer1Timer);

    chooseWave = [this](const std::string &current) -> std::optional<std::string> {
        if (auto choice = BrowseRecordWave(this, current))
            return choice->RecorderFileName;
        return std::nullopt;
    };
    showMessage = [this](const std::string &text) { ShowMediaError(this, text); };
}

QLineEdit *TTimerDown::makeField(const QString &hint, const QString &name)
{
    auto *e = new QLineEdit(QStringLiteral("00"), EditPanel);
    e->setMaxLength(2);
    e->setToolTip(hint);
    e->setAccessibleName(name);
    e->setFixedWidth(30);
    e->setAlignment(Qt::AlignCenter);
    e->installEventFilter(this);
    SetHelpContext(e, kHelpFields);
    connect(e, &QLineEdit::textEdited, this,
            [this, e](const QString &text) { fieldEdited(*fieldOf(e), text); });
    return e;
}

QLineEdit *TTimerDown::edit(CountDownField f) const
{
    switch (f) {
    case CountDownField::Hour: return EditHour;
    case CountDownField::Min: return EditMin;
    case CountDownField::Sec: return EditSec;
    }
    return EditSec;
}

std::optional<CountDownField> TTimerDown::fieldOf(QObject *o) const
{
    if (o == EditHour)
        return CountDownField::Hour;
    if (o == EditMin)
        return CountDownField::Min;
    if (o == EditSec)
        return CountDownField::Sec;
    return std::nullopt;
}

void TTimerDown::fieldEdited(CountDownField f, const QString &text)
{
    applyFields(m_fields.setText(f, text.toStdString()), false);
}

void TTimerDown::applyFields(const std::optional<std::string> &error, bool selectFocused)
{
    for (CountDownField f : {CountDownField::Hour, CountDownField::Min, CountDownField::Sec}) {
        QLineEdit *e = edit(f);
        const QString text = QString::fromStdString(m_fields.text(f));
        if (e->text() != text) {
            const QSignalBlocker block(e);
            e->setText(text);
        }
        if (selectFocused && e->hasFocus())
            e->selectAll();
    }
    // A message box takes the focus, which would re-check the same field; the same error is
    // told once.
    if (error && *error != m_lastError) {
        m_lastError = *error;
        if (showMessage)
            showMessage(*error);
    } else if (!error) {
        m_lastError.clear();
    }
}

bool TTimerDown::eventFilter(QObject *watched, QEvent *event)
{
    const std::optional<CountDownField> field = fieldOf(watched);
    if (!field)
        return QWidget::eventFilter(watched, event);
    QLineEdit *e = edit(*field);
    switch (event->type()) {
    case QEvent::FocusIn:
        m_fields.enter(*field);
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, e, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut: applyFields(m_fields.leave(*field), false); break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            applyFields(m_fields.step(*field, key == Qt::Key_Up ? +1 : -1), true);
            e->selectAll();
            return true;
        }
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void TTimerDown::StartPauseBtnClick()
{
    if (StartPauseBtn->isChecked()) {
        m_countDown.start();
        StartPauseBtn->setToolTip(QStringLiteral("Pause timer"));
        StartPauseBtn->setText(QStringLiteral("&Pause"));
        Timer1->start();
    } else {
        m_countDown.pause();
        StartPauseBtn->setToolTip(QStringLiteral("Start timer"));
        StartPauseBtn->setText(QStringLiteral("&Start"));
        Timer1->stop();
    }
}

void TTimerDown::Timer1Timer()
{
    const CountDown::Tick tick = m_countDown.Timer1Timer(m_fields.durationSeconds());
    if (tick.justEnded) {
        // Raised without running the click handler: the timer keeps running for the alarm.
        StartPauseBtn->setChecked(false);
        StartPauseBtn->setText(QStringLiteral("&Start"));
        StartPauseBtn->setEnabled(false);
        EditPanel->setEnabled(false);
    }
    TimeLeft->showTime(QString::fromStdString(tick.text));
    if (tick.bringToFront) {
        show();
        raise();
        activateWindow();
    }
    if (tick.playWave)
        m_sound.play(m_alarmWav, sndAsync | sndNoStop);
}

void TTimerDown::SpeedButton1Click()
{
    if (!chooseWave)
        return;
    const std::string current = m_alarmWav == kNoWave ? std::string() : m_alarmWav;
    if (std::optional<std::string> chosen = chooseWave(current))
        m_alarmWav = CutToChars(*chosen, RecorderSession::kMaxFileName);
}

void TTimerDown::closeEvent(QCloseEvent *event)
{
    // Closing is never refused; the default beep says the timer is gone.
    Timer1->stop();
    m_sound.MessageBeep(beepOk);
    event->accept();
}

} // namespace orvane
