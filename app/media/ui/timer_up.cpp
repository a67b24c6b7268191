#include "app/media/ui/timer_up.h"

#include "app/clock/ui/help_window.h"
#include "app/media/clock_text.h"
#include "app/media/money_amount.h"
#include "app/media/ui/media_window_support.h"
#include "app/media/ui/time_readout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kHelpWindow = 42;
constexpr int kHelpRate = 43;
constexpr int kHelpDescription = 44;

} // namespace

TTimerUp::TTimerUp(const Clock &clock, const std::string &programDir, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_countUp(clock), m_rateList(programDir)
{
    setWindowTitle(QStringLiteral("Up"));

    RunPauseBtn = new QPushButton(QStringLiteral("&Run"), this);
    RunPauseBtn->setCheckable(true);
    RunPauseBtn->setToolTip(QStringLiteral("Start timer"));
    MoneyBtn = new QPushButton(QStringLiteral("&$"), this);
    MoneyBtn->setCheckable(true);
    MoneyBtn->setToolTip(QStringLiteral("Use dollar amount"));
    MoneyBtn->setAccessibleName(QStringLiteral("Dollar amount"));
    MoneyBox = new QComboBox(this);
    MoneyBox->setEditable(true);
    MoneyBox->setInsertPolicy(QComboBox::NoInsert);
    MoneyBox->setToolTip(QStringLiteral("Dollar Amount Per Hour"));
    MoneyBox->setAccessibleName(QStringLiteral("Dollar Amount Per Hour"));
    MoneyBox->setMinimumWidth(80);
    SetHelpContext(MoneyBox, kHelpRate);
    auto *rateLabel = new QLabel(QStringLiteral("R&ate"), this);
    rateLabel->setBuddy(MoneyBox);

    Elapsed = new TTimeReadout(QStringLiteral("Elapsed time"), this);

    SpeedButton3 = new QPushButton(QStringLiteral("&Finished"), this);
    SpeedButton3->setToolTip(QStringLiteral("Finished"));
    SpeedButton4 = new QPushButton(QStringLiteral("&Help"), this);
    SpeedButton4->setToolTip(QStringLiteral("Help"));
    Edit1 = new QLineEdit(this);

    auto *top = new QHBoxLayout;
    top->addWidget(RunPauseBtn);
    top->addWidget(MoneyBtn);
    top->addWidget(rateLabel);
    top->addWidget(MoneyBox, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(SpeedButton3);
    bottom->addWidget(SpeedButton4);
    QHBoxLayout *note = MakeNoteRow(this, Edit1, kHelpDescription);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Elapsed);
    layout->addLayout(bottom);
    layout->addLayout(note);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QPushButton *b : {RunPauseBtn, MoneyBtn, SpeedButton3, SpeedButton4})
        b->setAutoDefault(false);

    ChainTabOrder({RunPauseBtn, MoneyBtn, MoneyBox, SpeedButton3, SpeedButton4, Edit1});

    connect(RunPauseBtn, &QPushButton::clicked, this, &TTimerUp::RunPauseBtnClick);
    connect(MoneyBtn, &QPushButton::clicked, this, &TTimerUp::MoneyBtnClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &TTimerUp::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(kHelpWindow); });
    InstallContextHelp(this, kHelpWindow);
    InstallCopyReadout(this, Elapsed);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TickIntervalMs(clock));
    connect(Timer1, &QTimer::timeout, this, &TTimerUp::Timer1Timer);

    showMessage = [this](const std::string &text) { ShowMediaError(this, text); };
    FormShow();
}

void TTimerUp::FormShow()
{
    MoneyBox->clear();
    for (const std::string &r : m_rateList.load())
        MoneyBox->addItem(QString::fromStdString(r));
    MoneyBox->setCurrentIndex(0);
    m_countUp.FormShow();
    Elapsed->showTime(QStringLiteral("00:00:00"));
}

std::vector<std::string> TTimerUp::rates() const
{
    std::vector<std::string> list;
    for (int i = 0; i < MoneyBox->count(); ++i)
        list.push_back(MoneyBox->itemText(i).toStdString());
    return list;
}

void TTimerUp::RunPauseBtnClick()
{
    if (RunPauseBtn->isChecked()) {
        RunPauseBtn->setToolTip(QStringLiteral("Pause Timer"));
        RunPauseBtn->setText(QStringLiteral("&Pause"));
        m_countUp.start();
        Timer1->start();
    } else {
        RunPauseBtn->setToolTip(QStringLiteral("Start Timer"));
        RunPauseBtn->setText(QStringLiteral("&Run"));
        m_countUp.pause();
        Timer1->stop();
    }
}

void TTimerUp::showAmount(double rate, std::int64_t seconds)
{
    Elapsed->showTime(QString::fromStdString(FormatMoney(MoneyAmount(rate, seconds))));
}

void TTimerUp::showElapsed(std::int64_t seconds)
{
    Elapsed->showTime(QString::fromStdString(ClockText(seconds)));
}

void TTimerUp::Timer1Timer()
{
    const std::int64_t elapsed = m_countUp.Timer1Timer();
    // A rate that is not a number was reported when money mode was switched on; the ticks show
    // the time until it is mended.
    const std::optional<double> rate = ReadRate(MoneyBox->currentText().toStdString());
    if (MoneyBtn->isChecked() && rate && *rate != 0.0)
        showAmount(*rate, elapsed);
    else
        showElapsed(elapsed);
}

void TTimerUp::MoneyBtnClick()
{
    if (!MoneyBtn->isChecked()) {
        MoneyBox->setEnabled(true);
        MoneyBtn->setToolTip(QStringLiteral("Use Dollar Amount"));
        showElapsed(m_countUp.FiguredTime());
        return;
    }
    const std::int64_t figured = m_countUp.FiguredTime();
    MoneyBox->setEnabled(false);
    MoneyBtn->setToolTip(QStringLiteral("See Elapsed Time"));
    const std::string rateText = NormaliseRateText(MoneyBox->currentText().toStdString());
    MoneyBox->setCurrentText(QString::fromStdString(rateText));
    std::vector<std::string> list = rates();
    const RateList::Added added = m_rateList.addRate(list, rateText);
    if (added.inserted) {
        MoneyBox->clear();
        for (const std::string &r : list)
            MoneyBox->addItem(QString::fromStdString(r));
        MoneyBox->setCurrentIndex(0);
    }
    if (added.error && showMessage)
        showMessage(*added.error);
    const std::optional<double> rate = ReadRate(rateText);
    if (!rate)
        return; // the button stays down and the rate locked until money mode is switched off
    showAmount(*rate, figured);
}

void TTimerUp::SpeedButton3Click()
{
    Timer1->stop();
    setAttribute(Qt::WA_DeleteOnClose);
    close();
}

void TTimerUp::closeEvent(QCloseEvent *event)
{
    // The close box only hides the window; "Finished" destroys it.
    event->accept();
}

} // namespace orvane
