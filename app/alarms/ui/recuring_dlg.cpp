#include "app/alarms/ui/recuring_dlg.h"

#include "app/alarms/ui/date_edit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace orvane {
namespace {

QComboBox *FixedList(QWidget *parent, const QStringList &items, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setAccessibleName(name);
    return box;
}

const QStringList kWeekdays{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

} // namespace

TRecuringDlg::TRecuringDlg(TAlarmRecord &workingAlarm, const FormatSettings &formats, const Clock &clock,
                           std::function<void()> markEdited, QWidget *setupDate,
                           std::function<void(int)> help, QWidget *parent)
    : QDialog(parent), m_alarm(workingAlarm), m_markEdited(std::move(markEdited)), m_setupDate(setupDate),
      m_help(std::move(help))
{
    setWindowTitle(QStringLiteral("Recuring Date/Time"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    inform = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Recuring Date/Time"), text);
    };

    OnceBtn = new QRadioButton(QStringLiteral("&Once"), this);
    MonthlyBtn = new QRadioButton(QStringLiteral("&Monthly"), this);
    RecursBtn = new QRadioButton(QStringLiteral("&Recurs"), this);
    EveryBtn = new QRadioButton(QStringLiteral("&Every"), this);
    DailyBtn = new QRadioButton(QStringLiteral("Dail&y"), this);
    OnceBtn->setToolTip(QStringLiteral("Set for one time only"));
    RecursBtn->setToolTip(QStringLiteral("set recurring times"));
    EveryBtn->setToolTip(QStringLiteral("Set for intervals"));
    DailyBtn->setToolTip(QStringLiteral("Set a Daily alarm"));
    // The dialog's own topic is the Once topic, which F1 gives where no row's topic applies.
    setProperty("helpContext", 32);
    OnceBtn->setProperty("helpContext", 32);
    RecursBtn->setProperty("helpContext", 33);
    EveryBtn->setProperty("helpContext", 34);
    DailyBtn->setProperty("helpContext", 35);
    auto *kinds = new QButtonGroup(this);
    for (QRadioButton *b : {OnceBtn, MonthlyBtn, RecursBtn, EveryBtn, DailyBtn})
        kinds->addButton(b);

    DateEdit1 = new TDateEdit(formats, clock, this);
    DateEdit1->setAccessibleName(QStringLiteral("Once on date"));
    DateEdit1->setProperty("helpContext", 32);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(1, 31);
    SpinEdit1->setValue(1);
    SpinEdit1->setAccessibleName(QStringLiteral("Day of each month"));
    Label1 = new QLabel(QStringLiteral("day of each month"), this);
    RecursWhich =
        FixedList(this, {"every", "1st", "2nd", "3rd", "4th", "last"}, QStringLiteral("Recurs which"));
    RecursDay = FixedList(this, kWeekdays + QStringList{"Weekday", "Weekend"}, QStringLiteral("Recurs day"));
    EveryMin = new QSpinBox(this);
    EveryMin->setRange(1, 59);
    EveryMin->setValue(1);
    EveryMin->setAccessibleName(QStringLiteral("Every count"));
    EveryInterval = FixedList(this, {"minutes", "hours"}, QStringLiteral("Every unit"));
    Label6 = new QLabel(QStringLiteral("on"), this);
    EveryDay = FixedList(this, kWeekdays + QStringList{"Everyday", "Weekdays", "Weekends"},
                         QStringLiteral("Every on day"));
    for (QWidget *w : {static_cast<QWidget *>(RecursWhich), static_cast<QWidget *>(RecursDay)})
        w->setProperty("helpContext", 33);
    for (QWidget *w : {static_cast<QWidget *>(EveryMin), static_cast<QWidget *>(EveryInterval),
                       static_cast<QWidget *>(EveryDay)})
        w->setProperty("helpContext", 34);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    OKBtn->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(OnceBtn, 0, 0);
    grid->addWidget(DateEdit1, 0, 1);
    grid->addWidget(MonthlyBtn, 1, 0);
    auto *monthRow = new QHBoxLayout;
    monthRow->addWidget(SpinEdit1);
    monthRow->addWidget(Label1);
    monthRow->addStretch();
    grid->addLayout(monthRow, 1, 1, 1, 3);
    grid->addWidget(RecursBtn, 2, 0);
    grid->addWidget(RecursWhich, 2, 1);
    grid->addWidget(RecursDay, 2, 2);
    grid->addWidget(EveryBtn, 3, 0);
    auto *everyRow = new QHBoxLayout;
    everyRow->addWidget(EveryMin);
    everyRow->addWidget(EveryInterval);
    everyRow->addWidget(Label6);
    everyRow->addWidget(EveryDay);
    grid->addLayout(everyRow, 3, 1, 1, 3);
    grid->addWidget(DailyBtn, 4, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch();
    outer->addLayout(buttons);
    setMinimumSize(380, 214);

    // Tab follows the rows: each kind, then its own parameters.
    setTabOrder(OnceBtn, DateEdit1);
    setTabOrder(DateEdit1, MonthlyBtn);
    setTabOrder(MonthlyBtn, SpinEdit1);
    setTabOrder(SpinEdit1, RecursBtn);
    setTabOrder(RecursBtn, RecursWhich);
    setTabOrder(RecursWhich, RecursDay);
    setTabOrder(RecursDay, EveryBtn);
    setTabOrder(EveryBtn, EveryMin);
    setTabOrder(EveryMin, EveryInterval);
    setTabOrder(EveryInterval, EveryDay);
    setTabOrder(EveryDay, DailyBtn);
    setTabOrder(DailyBtn, OKBtn);

    FormCreate();

    for (QRadioButton *b : {OnceBtn, MonthlyBtn, RecursBtn, EveryBtn, DailyBtn})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                GrayOut();
        });
    connect(RecursDay, &QComboBox::currentIndexChanged, this, &TRecuringDlg::RecursDayChange);
    connect(EveryInterval, &QComboBox::currentIndexChanged, this, &TRecuringDlg::EveryIntervalChange);
    connect(EveryMin, &QSpinBox::valueChanged, this, [this] { m_markEdited(); });
    connect(RecursWhich, &QComboBox::currentIndexChanged, this, [this] { m_markEdited(); });
    connect(EveryDay, &QComboBox::currentIndexChanged, this, [this] { m_markEdited(); });
    connect(DateEdit1, &TDateEdit::OnDateChange, this, [this] { m_markEdited(); });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { m_markEdited(); });
    connect(OKBtn, &QPushButton::clicked, this, &TRecuringDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { m_help(helpContextOfFocus()); });
    OKBtn->setFocus();
}

void TRecuringDlg::FormCreate()
{
    const RecurrenceChoice c = ReadRecurrenceChoice(m_alarm);
    switch (c.kind) {
    case rcRecurs:
        RecursWhich->setCurrentIndex(c.recursWhich);
        RecursDay->setCurrentIndex(c.recursDay);
        RecursBtn->setChecked(true);
        break;
    case rcEvery:
        EveryInterval->setCurrentIndex(c.everyUnit);
        EveryMin->setMaximum(EveryCountLimit(c.everyUnit));
        EveryMin->setValue(c.everyCount);
        EveryDay->setCurrentIndex(c.everyDay);
        EveryBtn->setChecked(true);
        break;
    case rcDaily: DailyBtn->setChecked(true); break;
    case rcMonthly:
        SpinEdit1->setValue(c.monthDay);
        MonthlyBtn->setChecked(true);
        break;
    default:
        DateEdit1->setValue(DateOf(m_alarm.AlarmDate));
        OnceBtn->setChecked(true);
        break;
    }
    // Checking the kind runs GrayOut, which counts the alarm as edited even on Cancel.
    GrayOut();
}

void TRecuringDlg::setGrey(QWidget *w, bool enabled)
{
    w->setEnabled(enabled);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, enabled ? Qt::black : QColor(128, 128, 128));
    pal.setColor(QPalette::WindowText, enabled ? Qt::black : QColor(128, 128, 128));
    w->setPalette(pal);
}

void TRecuringDlg::GrayOut()
{
    m_markEdited();
    if (m_setupDate)
        m_setupDate->setEnabled(OnceBtn->isChecked());
    const bool recurs = RecursBtn->isChecked(), every = EveryBtn->isChecked(),
               monthly = MonthlyBtn->isChecked();
    setGrey(RecursWhich, recurs);
    setGrey(RecursDay, recurs);
    setGrey(EveryMin, every);
    setGrey(EveryInterval, every);
    setGrey(EveryDay, every);
    setGrey(Label6, every);
    setGrey(Label1, monthly);
    setGrey(SpinEdit1, monthly);
    DateEdit1->setEnabled(OnceBtn->isChecked());
    if (recurs && ForcesEvery(RecursDay->currentIndex())) {
        RecursWhich->setCurrentIndex(0);
        setGrey(RecursWhich, false);
    }
}

void TRecuringDlg::RecursDayChange()
{
    m_markEdited();
    if (ForcesEvery(RecursDay->currentIndex())) {
        RecursWhich->setCurrentIndex(0);
        setGrey(RecursWhich, false);
    } else {
        setGrey(RecursWhich, RecursBtn->isChecked());
    }
}

void TRecuringDlg::EveryIntervalChange()
{
    m_markEdited();
    const int limit = EveryCountLimit(EveryInterval->currentIndex());
    EveryMin->setMaximum(limit); // a value above the limit is brought down to it
}

RecurrenceChoice TRecuringDlg::choice() const
{
    RecurrenceChoice c;
    c.kind = RecursBtn->isChecked()    ? rcRecurs
             : EveryBtn->isChecked()   ? rcEvery
             : DailyBtn->isChecked()   ? rcDaily
             : MonthlyBtn->isChecked() ? rcMonthly
                                       : rcOnce;
    c.recursWhich = RecursWhich->currentIndex();
    c.recursDay = RecursDay->currentIndex();
    c.everyCount = EveryMin->value();
    c.everyUnit = EveryInterval->currentIndex();
    c.everyDay = EveryDay->currentIndex();
    c.monthDay = SpinEdit1->value();
    return c;
}

void TRecuringDlg::OKBtnClick()
{
    const RecurrenceChoice c = choice();
    if (const auto refusal = CheckRecurrenceChoice(c)) {
        m_refusal = QString::fromStdString(*refusal);
        inform(m_refusal);
        return;
    }
    WriteRecurrenceChoice(c, m_alarm);
    accept();
}

int TRecuringDlg::helpContextOfFocus() const
{
    for (const QWidget *w = focusWidget(); w; w = w->parentWidget()) {
        const QVariant context = w->property("helpContext");
        if (context.isValid())
            return context.toInt();
    }
    return 32;
}

void TRecuringDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_help(helpContextOfFocus());
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orvane
