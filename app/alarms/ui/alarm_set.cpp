#include "app/alarms/ui/alarm_set.h"

#include "app/alarms/alarm_description.h"
#include "app/alarms/command_text.h"
#include "app/alarms/launcher_pages.h"
#include "app/alarms/recorded_wave.h"
#include "app/alarms/save_check.h"
#include "app/alarms/ui/date_edit.h"
#include "app/alarms/ui/recuring_dlg.h"
#include "app/alarms/ui/time_edit.h"
#include "app/common/date_format.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int kMessageMax = 250;
const int kPageHelp[6] = {51, 52, 53, 54, 55, 56};

QString Q(const std::string &s) { return QString::fromStdString(s); }

QString FileNamePart(const std::string &path)
{
    const auto slash = path.find_last_of("/\\");
    return Q(slash == std::string::npos ? path : path.substr(slash + 1));
}

QComboBox *FixedList(const QStringList &items, const QString &hint, const QString &name)
{
    auto *box = new QComboBox;
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setToolTip(hint);
    box->setAccessibleName(name);
    return box;
}

QLabel *BuddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TAlarmSet::TAlarmSet(TAlarmTable &table, const Clock &clock, const FormatSettings &formats,
                     TIniFile &settingsIni, AlarmSetHooks hooks, QWidget *parent)
    : QDialog(parent), m_editor(table, clock, formats), m_clock(clock), m_settingsIni(settingsIni),
      m_hooks(std::move(hooks))
{
    setWindowTitle(QStringLiteral("Alarm Setup"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setProperty("helpContext", 26);

    TimeEdit1 = new TTimeEdit(formats, clock);
    TimeEdit2 = new TTimeEdit(formats, clock);
    DateEdit1 = new TDateEdit(formats, clock);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(buildPages());
    auto *middle = new QHBoxLayout;
    middle->addWidget(buildWaveGroup());
    middle->addWidget(buildTimeGroup(), 1);
    middle->addWidget(buildDateGroup());
    auto *buttons = new QGridLayout;
    NewBtn = new QPushButton(QStringLiteral("&New"));
    DeleteBtn = new QPushButton(QStringLiteral("&Delete"));
    SaveBtn = new QPushButton(QStringLiteral("&Save"));
    OKBtn = new QPushButton(QStringLiteral("OK"));
    HelpBtn = new QPushButton(QStringLiteral("&Help"));
    NewBtn->setToolTip(QStringLiteral("Add new alarm"));
    DeleteBtn->setToolTip(QStringLiteral("Delete current alarm"));
    SaveBtn->setToolTip(QStringLiteral("Save current alarm settings"));
    buttons->addWidget(NewBtn, 0, 0);
    buttons->addWidget(DeleteBtn, 0, 1);
    buttons->addWidget(SaveBtn, 1, 0);
    buttons->addWidget(OKBtn, 1, 1);
    buttons->addWidget(HelpBtn, 2, 0, 1, 2);
    middle->addLayout(buttons);
    outer->addLayout(middle);

    auto *checks = new QHBoxLayout;
    Active = new QCheckBox(QStringLiteral("Active"));
    CheckBox1 = new QCheckBox(QStringLiteral("Auto Delete"));
    CheckBox2 = new QCheckBox(QStringLiteral("Auto Start"));
    Active->setToolTip(QStringLiteral("Activate this alarm"));
    CheckBox1->setToolTip(QStringLiteral("Delete after alarm has\nexpired"));
    checks->addWidget(Active);
    checks->addWidget(CheckBox1);
    checks->addWidget(CheckBox2);
    checks->addStretch();
    outer->addLayout(checks);

    AlarmListBox = new QListWidget;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                       QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    fixed.setPointSize(8);
    fixed.setStyleHint(QFont::TypeWriter);
    AlarmListBox->setFont(fixed);
    AlarmListBox->setToolTip(
        QStringLiteral("Current alarms for this alarm type.\nClick to change or view settings."));
    AlarmListBox->setAccessibleName(QStringLiteral("Current alarms"));
    AlarmListBox->setMinimumHeight(90);
    outer->addWidget(AlarmListBox, 1);
    resize(560, 470);

    connectEdits();
}

TAlarmSet::~TAlarmSet() = default;

QWidget *TAlarmSet::buildPages()
{
    TabbedNotebook1 = new QTabWidget;
    TabbedNotebook1->setAccessibleName(QStringLiteral("Alarm type"));

    auto *message = new QWidget;
    MessageText = new QPlainTextEdit;
    MessageText->setToolTip(QStringLiteral("Message alarm text"));
    MessageText->setAccessibleName(QStringLiteral("Message"));
    MessageText->setTabChangesFocus(true);
    (new QVBoxLayout(message))->addWidget(MessageText);

    auto *program = new QWidget;
    AlarmText = new QLineEdit;
    AlarmText->setMaxLength(100);
    AlarmText->setToolTip(
        QStringLiteral("Program path and file name.\nYou may also enter any parameters needed."));
    AlarmText->setAccessibleName(QStringLiteral("Program"));
    Button6 = new QPushButton(QStringLiteral("Brows&e"));
    Button6->setToolTip(QStringLiteral("Browse program file names"));
    StartMin = new QCheckBox(QStringLiteral("Run M&inimized"));
    StartMin->setToolTip(QStringLiteral("Run program in Minimized state"));
    auto *pl = new QGridLayout(program);
    pl->addWidget(AlarmText, 0, 0);
    pl->addWidget(Button6, 0, 1);
    pl->addWidget(StartMin, 1, 0);
    pl->setRowStretch(2, 1);

    auto *wave = new QWidget;
    Edit1 = new QLineEdit;
    Edit1->setReadOnly(true);
    Edit1->setMaxLength(100);
    // Read-only and out of the Tab order as the original, but still focusable by the mouse and
    // by a refused save, so that a screen reader can read it.
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit1->setToolTip(QStringLiteral("File Name / Message / Program Command"));
    Edit1->setAccessibleName(QStringLiteral("Wave file"));
    Button1 = new QPushButton(QStringLiteral("&Browse / Record"));
    Button1->setToolTip(QStringLiteral("Browse / Record wave file"));
    Button8 = new QPushButton(QStringLiteral("C&lear"));
    Button8->setToolTip(QStringLiteral("Clear wave file"));
    auto *wl = new QGridLayout(wave);
    wl->addWidget(Edit1, 0, 0, 1, 3);
    wl->addWidget(Button1, 1, 0);
    wl->addWidget(Button8, 1, 1);
    wl->setRowStretch(2, 1);
    wl->setColumnStretch(2, 1);

    auto *cd = new QWidget;
    ComboBox1 = FixedList({"Loop", "Shuffle", "Playlist"}, QStringLiteral("Select CD play Mode"),
                          QStringLiteral("Mode of play"));
    auto *cl = new QHBoxLayout(cd);
    cl->addWidget(BuddyLabel(QStringLiteral("&Enter the mode of play."), ComboBox1));
    cl->addWidget(ComboBox1);
    cl->addStretch();

    auto *command = new QWidget;
    ComboBox2 =
        FixedList({"On", "Off"}, QStringLiteral("Toggle voice on / off"), QStringLiteral("Play Voice"));
    ComboBox3 = FixedList({"1 min", "5 min", "10 min", "15 min", "30 min", "60 min"},
                          QStringLiteral("Voice interval"), QStringLiteral("Interval"));
    ComboBox4 =
        FixedList({"On", "Off"}, QStringLiteral("Toggle wav file on / off"), QStringLiteral("Wave file"));
    ComboBox5 = FixedList({"Before", "After"}, QStringLiteral("Play wav file before / after"),
                          QStringLiteral("When"));
    auto *ml = new QGridLayout(command);
    ml->addWidget(BuddyLabel(QStringLiteral("Play &Voice"), ComboBox2), 0, 0);
    ml->addWidget(BuddyLabel(QStringLiteral("&Interval"), ComboBox3), 0, 1);
    ml->addWidget(BuddyLabel(QStringLiteral("Wave &file"), ComboBox4), 0, 2);
    ml->addWidget(BuddyLabel(QStringLiteral("Wh&en"), ComboBox5), 0, 3);
    ml->addWidget(ComboBox2, 1, 0);
    ml->addWidget(ComboBox3, 1, 1);
    ml->addWidget(ComboBox4, 1, 2);
    ml->addWidget(ComboBox5, 1, 3);
    ml->setRowStretch(2, 1);

    auto *launcher = new QWidget;
    Button7 = new QPushButton(QStringLiteral("Pro&gram Path"));
    Label10 = new QLabel(QStringLiteral("NONE"));
    Label10->setAccessibleName(QStringLiteral("Quaydeck directory"));
    ComboBox6 = FixedList({}, QStringLiteral("Quaydeck page name"), QStringLiteral("Page Name"));
    Button10 = new QPushButton(QStringLiteral("What is Quaydeck?"));
    auto *ll = new QGridLayout(launcher);
    ll->addWidget(Button7, 0, 0);
    ll->addWidget(Label10, 0, 1, 1, 2);
    ll->addWidget(BuddyLabel(QStringLiteral("Pag&e Name"), ComboBox6), 1, 0);
    ll->addWidget(ComboBox6, 1, 1);
    ll->addWidget(Button10, 1, 2);
    ll->setRowStretch(2, 1);

    // Each Alt+letter leads to one control on every page: the tabs, the groups and buttons below
    // the pages and the page's own controls share one window, so where two captions wanted the
    // same letter one of them was given a free letter of its caption.
    TabbedNotebook1->addTab(message, QStringLiteral("&Message"));
    TabbedNotebook1->addTab(program, QStringLiteral("&Program"));
    TabbedNotebook1->addTab(wave, QStringLiteral("&Wave File"));
    TabbedNotebook1->addTab(cd, QStringLiteral("CD Pla&yer"));
    TabbedNotebook1->addTab(command, QStringLiteral("&Command"));
    TabbedNotebook1->addTab(launcher, QStringLiteral("&Quaydeck"));
    for (int i = 0; i < 6; ++i)
        TabbedNotebook1->widget(i)->setProperty("helpContext", kPageHelp[i]);
    return TabbedNotebook1;
}

QWidget *TAlarmSet::buildWaveGroup()
{
    // No letter of its own: its two buttons have theirs, and the letters are all needed elsewhere.
    WaveGroup = new QGroupBox(QStringLiteral("Wave File"));
    Button3 = new QPushButton(QStringLiteral("&Browse / Record"));
    Button3->setToolTip(QStringLiteral("Browse / Record Wav file"));
    Button9 = new QPushButton(QStringLiteral("C&lear"));
    Button9->setToolTip(QStringLiteral("Clear wav file"));
    SpeedButton1 = new QToolButton;
    SpeedButton2 = new QToolButton;
    SpeedButton1->setText(QStringLiteral("A"));
    SpeedButton2->setText(QStringLiteral("B"));
    SpeedButton1->setToolTip(QStringLiteral("Before Alarm wav file"));
    SpeedButton2->setToolTip(QStringLiteral("After Alarm wav file"));
    SpeedButton1->setAccessibleName(QStringLiteral("Before alarm wave"));
    SpeedButton2->setAccessibleName(QStringLiteral("After alarm wave"));
    auto *pair = new QButtonGroup(this);
    for (QToolButton *b : {SpeedButton1, SpeedButton2}) {
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        pair->addButton(b);
    }
    SpeedButton1->setChecked(true);
    AlarmWav = new QLabel(QStringLiteral("NONE"));
    AlarmWav2 = new QLabel(QStringLiteral("NONE"));
    AlarmWav->setAccessibleName(QStringLiteral("Before alarm wave file"));
    AlarmWav2->setAccessibleName(QStringLiteral("After alarm wave file"));
    auto *l = new QGridLayout(WaveGroup);
    l->addWidget(Button3, 0, 0);
    l->addWidget(Button9, 0, 1);
    l->addWidget(SpeedButton1, 1, 0);
    l->addWidget(AlarmWav, 1, 1);
    l->addWidget(SpeedButton2, 2, 0);
    l->addWidget(AlarmWav2, 2, 1);
    return WaveGroup;
}

QWidget *TAlarmSet::buildTimeGroup()
{
    TimeGroup = new QGroupBox(QStringLiteral("&Time"));
    TimeEdit1->setToolTip(QStringLiteral("Alarm starting time"));
    TimeEdit1->setAccessibleName(QStringLiteral("Start"));
    CTimeActive = new QCheckBox(QStringLiteral("Stop"));
    CTimeActive->setToolTip(QStringLiteral("Set a stopping time"));
    TimeEdit2->setToolTip(QStringLiteral("Alarm Stop time"));
    TimeEdit2->setAccessibleName(QStringLiteral("Stop time"));
    auto *l = new QGridLayout(TimeGroup);
    l->addWidget(BuddyLabel(QStringLiteral("Start"), TimeEdit1), 0, 0);
    l->addWidget(TimeEdit1, 0, 1);
    l->addWidget(CTimeActive, 1, 0);
    l->addWidget(TimeEdit2, 1, 1);
    return TimeGroup;
}

QWidget *TAlarmSet::buildDateGroup()
{
    DateGroup = new QGroupBox(QStringLiteral("D&ate"));
    DateEdit1->setToolTip(QStringLiteral("Alarm date"));
    DateEdit1->setAccessibleName(QStringLiteral("Date"));
    ADayName = new QLabel;
    ADayName->setAccessibleName(QStringLiteral("Weekday"));
    TodayBtn = new QPushButton(QStringLiteral("T&oday"));
    TodayBtn->setToolTip(QStringLiteral("Set for today's date"));
    Button2 = new QPushButton(QStringLiteral("&Recurring"));
    Button2->setToolTip(QStringLiteral("Set recurring alarm"));
    Label3 = new QLabel(QStringLiteral("Next:"));
    NextLbl = new QLabel;
    NextLbl->setAccessibleName(QStringLiteral("Next"));
    auto *l = new QGridLayout(DateGroup);
    l->addWidget(DateEdit1, 0, 0);
    l->addWidget(ADayName, 0, 1);
    l->addWidget(Label3, 1, 0);
    l->addWidget(NextLbl, 1, 1);
    l->addWidget(TodayBtn, 2, 0);
    l->addWidget(Button2, 2, 1);
    return DateGroup;
}

void TAlarmSet::connectEdits()
{
    connect(TabbedNotebook1, &QTabWidget::currentChanged, this, &TAlarmSet::TabbedNotebook1Change);
    connect(TabbedNotebook1, &QTabWidget::tabBarClicked, this, [this] { FocusPage(); });
    connect(AlarmListBox, &QListWidget::itemClicked, this, &TAlarmSet::AlarmListBoxClick);
    connect(AlarmListBox, &QListWidget::itemActivated, this, &TAlarmSet::AlarmListBoxClick);
    connect(NewBtn, &QPushButton::clicked, this, &TAlarmSet::Button5Click);
    connect(SaveBtn, &QPushButton::clicked, this, &TAlarmSet::SaveAlarmBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TAlarmSet::Button4Click);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::close);
    connect(HelpBtn, &QPushButton::clicked, this, &TAlarmSet::BitBtn3Click);
    connect(TodayBtn, &QPushButton::clicked, this, &TAlarmSet::TodayBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TAlarmSet::Button2Click);
    connect(Button6, &QPushButton::clicked, this, &TAlarmSet::Button6Click);
    connect(Button1, &QPushButton::clicked, this, &TAlarmSet::Button1Click);
    connect(Button8, &QPushButton::clicked, this, &TAlarmSet::Button8Click);
    connect(Button3, &QPushButton::clicked, this, &TAlarmSet::Button3Click);
    connect(Button9, &QPushButton::clicked, this, &TAlarmSet::Button9Click);
    connect(Button7, &QPushButton::clicked, this, &TAlarmSet::Button7Click);
    connect(Button10, &QPushButton::clicked, this, [this] { m_hooks.help(57); });
    connect(SpeedButton1, &QToolButton::toggled, this, [this] { showWaveLabels(); });
    connect(MessageText, &QPlainTextEdit::textChanged, this, [this] {
        // The message holds at most 250 characters; longer pasted text is cut.
        if (MessageText->toPlainText().size() > kMessageMax) {
            QTextCursor c = MessageText->textCursor();
            MessageText->setPlainText(MessageText->toPlainText().left(kMessageMax));
            c.movePosition(QTextCursor::End);
            MessageText->setTextCursor(c);
        }
        edited();
    });
    connect(AlarmText, &QLineEdit::textChanged, this, [this] { edited(); });
    connect(Edit1, &QLineEdit::textChanged, this, [this] { edited(); });
    connect(StartMin, &QCheckBox::toggled, this, [this] { edited(); });
    connect(TimeEdit1, &TTimeEdit::changed, this, [this] { edited(); });
    connect(TimeEdit2, &TTimeEdit::changed, this, [this] { edited(); });
    connect(TimeEdit1, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(TimeEdit2, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(DateEdit1, &TDateEdit::OnDateChange, this, [this] {
        edited();
        ADayName->setText(Q(WeekdayName(DateEdit1->value())));
    });
    connect(DateEdit1, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(Active, &QCheckBox::toggled, this, [this](bool on) {
        edited();
        NextLbl->setEnabled(on);
        Label3->setEnabled(on);
    });
    connect(CTimeActive, &QCheckBox::toggled, this, [this](bool on) {
        edited();
        TimeEdit2->setEnabled(on);
    });
    for (QCheckBox *b : {CheckBox1, CheckBox2})
        connect(b, &QCheckBox::toggled, this, [this] { edited(); });
    for (QComboBox *b : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        connect(b, &QComboBox::currentIndexChanged, this, [this] { edited(); });
}

ActionType TAlarmSet::page() const
{
    return static_cast<ActionType>(std::max(0, TabbedNotebook1->currentIndex()));
}

void TAlarmSet::edited()
{
    if (!m_loading)
        m_editor.AlarmEdited = true;
}

void TAlarmSet::showWaveLabels()
{
    const bool before = SpeedButton1->isChecked();
    QPalette on = AlarmWav->palette(), off = on;
    on.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    off.setColor(QPalette::WindowText, palette().color(QPalette::Disabled, QPalette::WindowText));
    AlarmWav->setPalette(before ? on : off);
    AlarmWav2->setPalette(before ? off : on);
}

void TAlarmSet::applyVisibility()
{
    const TAlarmRecord &a = m_editor.WorkingAlarm;
    const bool once = a.Recurrence == rcOnce;
    DateEdit1->setVisible(once);
    ADayName->setVisible(once);
    Label3->setVisible(!once);
    NextLbl->setVisible(!once);
    CheckBox1->setEnabled(once);
    const ActionType p = page();
    const bool stops = p == atProgram || p == atCDPlayer || p == atLauncher;
    CTimeActive->setVisible(stops);
    TimeEdit2->setVisible(stops);
    SpeedButton2->setVisible(stops);
    AlarmWav2->setVisible(stops);
    if (!stops && SpeedButton2->isChecked())
        SpeedButton1->setChecked(true);
    // On the Wave File page the alarm's own wave is the sound, so the wave group gives way to
    // the time group, which the layout widens into its place.
    WaveGroup->setVisible(p != atWaveFile);
}

void TAlarmSet::showNext()
{
    NextLbl->setText(Q(FormatDateTime("ddddd t", m_editor.WorkingAlarm.NextTime, m_editor.formats())));
}

void TAlarmSet::ShowAlarm(AlarmId id)
{
    if (!m_editor.ShowAlarm(id))
        return;
    m_loading = true;
    const TAlarmRecord &a = m_editor.WorkingAlarm;
    const std::string text = a.Text.str();
    switch (page()) {
    case atMessage: MessageText->setPlainText(Q(text)); break;
    case atProgram:
        AlarmText->setText(Q(text));
        StartMin->setChecked(a.RunMinimized != 0);
        break;
    case atWaveFile: Edit1->setText(Q(text)); break;
    case atCDPlayer: ComboBox1->setCurrentIndex(ComboBox1->findText(Q(text))); break;
    case atLauncher: ComboBox6->setCurrentIndex(ComboBox6->findText(Q(text))); break;
    case atCommand: {
        const CommandChoice c = ParseCommandText(text);
        ComboBox2->setCurrentIndex(c.playVoice);
        ComboBox3->setCurrentIndex(c.interval);
        ComboBox4->setCurrentIndex(c.waveFile);
        ComboBox5->setCurrentIndex(c.when);
        break;
    }
    }
    AlarmWav->setText(FileNamePart(a.BeforeWave.str()));
    AlarmWav2->setText(FileNamePart(a.AfterWave.str()));
    TimeEdit1->setValue(a.StartTime);
    TimeEdit2->setValue(a.StopTime);
    showNext();
    DateEdit1->setValue(DateOf(a.AlarmDate));
    ADayName->setText(Q(WeekdayName(a.AlarmDate)));
    Active->setChecked(a.Active != 0);
    CTimeActive->setChecked(a.StopEnabled != 0);
    CheckBox1->setChecked(a.AutoDelete != 0);
    CheckBox2->setChecked(a.AutoStart != 0);
    TimeEdit2->setEnabled(a.StopEnabled != 0);
    NextLbl->setEnabled(a.Active != 0);
    Label3->setEnabled(a.Active != 0);
    DateEdit1->setEnabled(a.Recurrence == rcOnce);
    applyVisibility();
    m_loading = false;
    m_editor.AlarmEdited = false;
}

void TAlarmSet::NewAlarm()
{
    m_loading = true;
    m_editor.NewAlarm(page());
    SpeedButton1->setChecked(true);
    switch (page()) {
    case atMessage: MessageText->clear(); break;
    case atProgram: AlarmText->clear(); break;
    case atWaveFile: Edit1->clear(); break;
    case atCDPlayer: ComboBox1->setCurrentIndex(-1); break;
    case atLauncher: ComboBox6->setCurrentIndex(-1); break;
    case atCommand:
        for (QComboBox *b : {ComboBox2, ComboBox3, ComboBox4, ComboBox5})
            b->setCurrentIndex(-1);
        break;
    }
    AlarmWav->setText(QStringLiteral("NONE"));
    AlarmWav2->setText(QStringLiteral("NONE"));
    const TDateTime now = m_editor.now();
    DateEdit1->setValue(DateOf(now));
    ADayName->setText(Q(WeekdayName(now)));
    TimeEdit1->setValue(now);
    TimeEdit2->setValue(now);
    AlarmListBox->clearSelection();
    AlarmListBox->setCurrentRow(-1);
    Active->setChecked(true);
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(true);
    CTimeActive->setChecked(false);
    StartMin->setChecked(false);
    TimeEdit2->setEnabled(false);
    NextLbl->setEnabled(true);
    Label3->setEnabled(true);
    DateEdit1->setEnabled(true);
    applyVisibility();
    m_loading = false;
    m_editor.AlarmEdited = false;
}

std::string TAlarmSet::pageText() const
{
    switch (page()) {
    case atMessage: return MessageText->toPlainText().left(static_cast<int>(kAlarmTextMax)).toStdString();
    case atProgram: return AlarmText->text().toStdString();
    case atWaveFile: return Edit1->text().toStdString();
    case atCDPlayer:
        return ComboBox1->currentIndex() < 0 ? std::string() : ComboBox1->currentText().toStdString();
    case atLauncher:
        return ComboBox6->currentIndex() < 0 ? std::string() : ComboBox6->currentText().toStdString();
    case atCommand:
        return BuildCommandText({ComboBox2->currentIndex(), ComboBox3->currentIndex(),
                                 ComboBox4->currentIndex(), ComboBox5->currentIndex()});
    }
    return {};
}

void TAlarmSet::GatherAlarm()
{
    TAlarmRecord &a = m_editor.WorkingAlarm;
    // Typed times and dates count as they would when the focus leaves them.
    TimeEdit1->readText();
    TimeEdit2->readText();
    DateEdit1->readText();
    a.Text.assign(pageText());
    a.ActionType = page();
    if (AlarmWav->text() == QLatin1String(kNoWave))
        a.BeforeWave.assign(kNoWave);
    if (AlarmWav2->text() == QLatin1String(kNoWave))
        a.AfterWave.assign(kNoWave);
    a.StartTime = TimeOf(TimeEdit1->value());
    a.StopTime = TimeOf(TimeEdit2->value());
    a.AlarmDate = DateOf(DateEdit1->value());
    a.Active = Active->isChecked();
    a.RunMinimized = StartMin->isChecked();
    a.StopEnabled = CTimeActive->isChecked();
    a.AutoDelete = CheckBox1->isChecked();
    a.AutoStart = CheckBox2->isChecked();
    m_editor.computeNext();
    showNext();
    m_editor.RecordingPending = false;
}

void TAlarmSet::RefreshAlarmList()
{
    AlarmListBox->clear();
    applyVisibility();
    for (const AlarmListRow &row : m_editor.rowsFor(page())) {
        auto *item = new QListWidgetItem(Q(row.line), AlarmListBox);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(row.id));
        item->setData(Qt::AccessibleTextRole, Q(row.line).simplified());
    }
    if (AlarmListBox->count() == 0) {
        NewAlarm();
        return;
    }
    AlarmListBox->setCurrentRow(0);
    ShowAlarm(AlarmListBox->item(0)->data(Qt::UserRole).toULongLong());
}

void TAlarmSet::alarmTableChanged()
{
    const AlarmId shown = m_editor.CurrentAlarm;
    const bool edited = m_editor.AlarmEdited;
    m_loading = true;
    AlarmListBox->clear();
    for (const AlarmListRow &row : m_editor.rowsFor(page())) {
        auto *item = new QListWidgetItem(Q(row.line), AlarmListBox);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(row.id));
        item->setData(Qt::AccessibleTextRole, Q(row.line).simplified());
        if (row.id == shown)
            AlarmListBox->setCurrentItem(item);
    }
    m_loading = false;
    m_editor.AlarmEdited = edited;
}

void TAlarmSet::FocusPage()
{
    QWidget *const focus[6] = {MessageText, AlarmText, Button1, ComboBox1, ComboBox2, ComboBox6};
    focus[page()]->setFocus();
}

void TAlarmSet::focusProgramText()
{
    if (page() == atProgram)
        AlarmText->setFocus();
}

void TAlarmSet::listLauncherPages()
{
    for (const std::string &name : ListLauncherPages(Label10->text().toStdString()))
        if (ComboBox6->findText(Q(name)) < 0)
            ComboBox6->addItem(Q(name));
}

void TAlarmSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Label10->setText(Q(m_settingsIni.ReadString("Quaydeck", "Path", "NONE")));
    listLauncherPages();
    RefreshAlarmList();
    m_editor.AlarmEdited = false;
    FocusPage();
}

void TAlarmSet::TabbedNotebook1Change(int)
{
    m_editor.discardPendingRecording();
    RefreshAlarmList();
    m_editor.AlarmEdited = false;
}

void TAlarmSet::AlarmListBoxClick()
{
    QListWidgetItem *item = AlarmListBox->currentItem();
    if (!item)
        return;
    m_editor.discardPendingRecording();
    const AlarmId id = item->data(Qt::UserRole).toULongLong();
    if (!m_editor.table().slotOf(id)) {
        // The alarm pass has deleted it since the list was drawn.
        RefreshAlarmList();
        return;
    }
    ShowAlarm(id);
}

void TAlarmSet::Button5Click()
{
    if (m_editor.AlarmEdited) {
        const auto answer =
            m_hooks.ask(this, QStringLiteral("Warning!"), QStringLiteral("Alarm has changed.  Save Changes?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            focusProgramText();
            return;
        }
        if (answer == QMessageBox::Yes)
            Save();
    }
    NewAlarm();
    FocusPage();
}

void TAlarmSet::SaveAlarmBtnClick() { Save(); }

bool TAlarmSet::Save()
{
    if (const auto refusal = CheckBeforeSave(page(), pageText())) {
        m_hooks.inform(this, Q(refusal->message));
        QWidget *const focus[5] = {AlarmText, Edit1, ComboBox1, ComboBox2, ComboBox6};
        focus[static_cast<int>(refusal->focus)]->setFocus();
        return false;
    }
    GatherAlarm();
    const StoreResult stored = m_editor.storeWorking();
    if (stored == StoreResult::TableFull) {
        m_hooks.inform(this, Q(TableFullMessage()));
        return false;
    }
    if (stored == StoreResult::AlarmGone) {
        // The alarm pass deleted this alarm while it was on show; keep what the user typed as a
        // new alarm rather than lose it.
        m_editor.CurrentAlarm = NoAlarm;
        if (m_editor.storeWorking() != StoreResult::Stored) {
            m_hooks.inform(this, Q(TableFullMessage()));
            return false;
        }
    }
    if (m_hooks.saveAlarmFile) {
        if (const auto error = m_hooks.saveAlarmFile()) {
            // The alarm is in the table and the save routine tries the file again later; the
            // dialog keeps showing exactly what was typed.
            m_hooks.inform(this,
                           QStringLiteral("The alarm is kept, but the alarm file could not be written:\n") +
                               Q(*error));
            m_editor.AlarmEdited = true;
            return false;
        }
    }
    RefreshAlarmList();
    m_editor.AlarmEdited = false;
    focusProgramText();
    return true;
}

void TAlarmSet::Button4Click()
{
    if (m_editor.CurrentAlarm == NoAlarm) {
        NewAlarm();
        return;
    }
    const auto answer = m_hooks.ask(this, QStringLiteral("Warning!"),
                                    QStringLiteral("Are you sure you want to delete this alarm?"),
                                    QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        focusProgramText();
        return;
    }
    m_editor.deleteCurrent();
    RefreshAlarmList();
    m_editor.AlarmEdited = false;
}

void TAlarmSet::TodayBtnClick()
{
    const TDateTime today = DateOf(m_editor.now());
    DateEdit1->setValue(today);
    DateEdit1->setEnabled(true);
    m_editor.WorkingAlarm.Recurrence = rcOnce;
    m_editor.WorkingAlarm.AlarmDate = today;
    applyVisibility();
    edited();
}

void TAlarmSet::Button2Click()
{
    {
        TRecuringDlg dialog(
            m_editor.WorkingAlarm, m_editor.formats(), m_clock, [this] { m_editor.AlarmEdited = true; },
            DateEdit1, m_hooks.help, this);
        dialog.exec();
    }
    applyVisibility();
    CheckBox1->setChecked(m_editor.WorkingAlarm.Recurrence == rcOnce);
    const bool edited = m_editor.AlarmEdited;
    GatherAlarm();
    m_editor.AlarmEdited = edited;
}

void TAlarmSet::Button6Click()
{
    if (const auto file = m_hooks.chooseProgram(this))
        AlarmText->setText(Q(*file));
}

void TAlarmSet::Button1Click()
{
    if (const auto choice = m_hooks.chooseWave(this, Edit1->text().toStdString())) {
        edited();
        Edit1->setText(Q(choice->RecorderFileName));
        m_editor.WorkingAlarm.Text.assign(choice->RecorderFileName);
        m_editor.RecordingPending = m_editor.RecordingPending || choice->RecordingPending;
    }
}

void TAlarmSet::Button8Click()
{
    edited();
    RemoveRecordedWave(m_editor.WorkingAlarm.Text.str());
    Edit1->clear();
    m_editor.WorkingAlarm.Text.assign("");
}

void TAlarmSet::Button3Click()
{
    const bool before = SpeedButton1->isChecked();
    const std::string current =
        before ? m_editor.WorkingAlarm.BeforeWave.str() : m_editor.WorkingAlarm.AfterWave.str();
    const auto choice = m_hooks.chooseWave(this, current == kNoWave ? std::string() : current);
    if (!choice)
        return;
    const std::string *file = &choice->RecorderFileName;
    m_editor.RecordingPending = m_editor.RecordingPending || choice->RecordingPending;
    edited();
    if (before) {
        m_editor.WorkingAlarm.BeforeWave.assign(*file);
        AlarmWav->setText(FileNamePart(*file));
    } else {
        m_editor.WorkingAlarm.AfterWave.assign(*file);
        AlarmWav2->setText(FileNamePart(*file));
    }
}

void TAlarmSet::Button9Click()
{
    edited();
    const bool before = SpeedButton1->isChecked();
    auto &wave = before ? m_editor.WorkingAlarm.BeforeWave : m_editor.WorkingAlarm.AfterWave;
    RemoveRecordedWave(wave.str());
    wave.assign(kNoWave);
    (before ? AlarmWav : AlarmWav2)->setText(QStringLiteral("NONE"));
    m_editor.RecordingPending = false;
}

void TAlarmSet::Button7Click()
{
    const QString current = Label10->text();
    const auto folder =
        m_hooks.chooseFolder(this, current == QLatin1String("NONE") ? std::string() : current.toStdString());
    if (!folder)
        return;
    Label10->setText(Q(*folder));
    listLauncherPages();
}

void TAlarmSet::BitBtn3Click()
{
    focusProgramText();
    m_hooks.help(kPageHelp[page()]);
}

bool TAlarmSet::FormCloseQuery()
{
    if (m_editor.AlarmEdited) {
        const auto answer =
            m_hooks.ask(this, QStringLiteral("Warning!"), QStringLiteral("Alarm has changed.  Save Changes?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Yes)
            Save();
    }
    m_settingsIni.WriteString("Quaydeck", "Path", Label10->text().toStdString());
    return true;
}

void TAlarmSet::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_editor.discardPendingRecording();
    QDialog::closeEvent(event);
}

void TAlarmSet::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        BitBtn3Click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orvane
