#include "app/clock/ui/option_dialog.h"

#include "app/alarms/recorded_wave.h"
#include "app/clock/custom_colors.h"
#include "app/clock/face_sizing.h"
#include "app/clock/option_rules.h"
#include "app/clock/ui/color_value.h"
#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/clock/ui/spin_edit.h"
#include "app/common/convert_error.h"
#include "app/common/paths.h"
#include "app/common/reporter.h"
#include "app/macro/ui/macro_key_combo_box.h"
#include "app/media/ui/wave_chooser.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace orvane {
namespace {

constexpr int kSampleWidth = 230;
constexpr int kSampleHeight = 64;
const char *const kHelpProperty = "helpContext";
// The help topics of the Voice / Wav, Display and Control pages.
constexpr int kPageTopics[] = {2, 8, 17};
constexpr int kPageCount = 3;

void SetHelp(QWidget *w, int topic) { w->setProperty(kHelpProperty, topic); }

template <typename T>
T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel *BuddyLabel(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// The built-in colour dialog, with a Help button for its topic.
std::optional<QColor> AskColor(QWidget *parent, const QColor &initial)
{
    QColorDialog dialog(initial, parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::WindowModal);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        buttons->addButton(QDialogButtonBox::Help);
        QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                         [] { THelpWindow::ShowContext(16); });
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace

namespace {

// "&Browse / Record": the recorder, starting at the current wave; its choice replaces it.
std::optional<QString> BrowseRecordVoiceWave(QWidget *parent, const QString &current)
{
    const auto choice = BrowseRecordWave(parent, current.toStdString());
    if (!choice)
        return std::nullopt;
    return QString::fromStdString(choice->RecorderFileName);
}

} // namespace

TOption::TOption(TProgramSettings &live, std::string programDir, QWidget *parent)
    : QDialog(parent), m_live(live), m_programDir(std::move(programDir)), m_working(live.record),
      m_colorChooser(AskColor), m_waveChooser(BrowseRecordVoiceWave)
{
    setObjectName(QStringLiteral("Option"));
    setWindowTitle(QStringLiteral("Program Options"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // Window-modal, so that the help window stays usable while the dialog is open.
    setWindowModality(Qt::WindowModal);

    TabbedNotebook1 = Named(new QTabWidget(this), "TabbedNotebook1");
    TabbedNotebook1->setAccessibleName(QStringLiteral("Program Options"));
    auto *voice = new QWidget;
    auto *display = new QWidget;
    auto *control = new QWidget;
    buildVoicePage(voice);
    buildDisplayPage(display);
    buildControlPage(control);
    TabbedNotebook1->addTab(voice, QStringLiteral("&Voice / Wav"));
    TabbedNotebook1->addTab(display, QStringLiteral("&Display"));
    TabbedNotebook1->addTab(control, QStringLiteral("&Control"));
    SetHelp(voice, kPageTopics[0]);
    SetHelp(display, kPageTopics[1]);
    SetHelp(control, kPageTopics[2]);
    // The dialog itself carries the shown page's topic, so that F1 on the page tabs or the
    // buttons below them opens the same topic as the Help button.
    SetHelp(this, kPageTopics[0]);
    connect(TabbedNotebook1, &QTabWidget::currentChanged, this, [this](int page) {
        if (page >= 0 && page < kPageCount)
            SetHelp(this, kPageTopics[page]);
    });

    OKBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("&Help"), this), "HelpBtn");
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(TabbedNotebook1, 1);
    layout->addLayout(buttons);

    Placement1 = std::make_unique<TPlacement>(this, QStringLiteral("murvelin.ini"), QStringLiteral("Option"));
    connectHandlers();
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &TOption::contextHelp);
    setFixedSize(sizeHint());
}

TOption::~TOption()
{
    // FormDestroy: the dialog's placement is kept for the next time it opens.
    if (m_shown)
        Placement1->SaveWindowPlacement();
}

void TOption::buildVoicePage(QWidget *page)
{
    PlayVoice = Named(new QCheckBox(QStringLiteral("&Play Voice"), page), "PlayVoice");
    PlayVoice->setToolTip(QStringLiteral("Announce the time at given interval"));
    SetHelp(PlayVoice, 1);
    ComboBox1 = Named(new QComboBox(page), "ComboBox1");
    for (const char *item : {"1", "5", "10", "15", "30", "60"})
        ComboBox1->addItem(QString::fromLatin1(item));
    auto *interval = new QHBoxLayout;
    interval->addWidget(PlayVoice);
    interval->addStretch(1);
    interval->addWidget(ComboBox1);
    interval->addWidget(BuddyLabel(QStringLiteral("&Minute intervals"), ComboBox1, page));

    auto *hotKey = new QGroupBox(QStringLiteral("'Voice on Demand' Hot Key"), page);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("&Enabled"), hotKey), "CheckBox2");
    SetHelp(CheckBox2, 50);
    MacroKeyComboBox1 = Named(new TMacroKeyComboBox(hotKey), "MacroKeyComboBox1");
    MacroKeyComboBox1->setAccessibleName(QStringLiteral("'Voice on Demand' Hot Key"));
    MacroKeyComboBox1->setMinimumWidth(150);
    SetHelp(MacroKeyComboBox1, 50);
    auto *hotKeyRow = new QHBoxLayout(hotKey);
    hotKeyRow->addWidget(CheckBox2);
    hotKeyRow->addWidget(MacroKeyComboBox1, 1);

    auto *wave = new QGroupBox(QStringLiteral("Wave File"), page);
    PlayWave = Named(new QCheckBox(QStringLiteral("Play &Wave File"), wave), "PlayWave");
    PlayWave->setToolTip(QStringLiteral("Play the selected wave file at the above intervals"));
    SetHelp(PlayWave, 4);
    BeforeBtn = Named(new QRadioButton(QStringLiteral("Be&fore Voice"), wave), "BeforeBtn");
    BeforeBtn->setToolTip(QStringLiteral("Play selected WAVE file before voice"));
    SetHelp(BeforeBtn, 6);
    AfterBtn = Named(new QRadioButton(QStringLiteral("&After Voice"), wave), "AfterBtn");
    AfterBtn->setToolTip(QStringLiteral("Play selected WAVE file after voice"));
    SetHelp(AfterBtn, 6);
    Button3 = Named(new QPushButton(QStringLiteral("&Browse / Record"), wave), "Button3");
    SetHelp(Button3, 32);
    Button9 = Named(new QPushButton(QStringLiteral("C&lear"), wave), "Button9");
    SetHelp(Button9, 29);
    wavefilename = Named(new QLineEdit(wave), "wavefilename");
    wavefilename->setReadOnly(true);
    wavefilename->setAccessibleName(QStringLiteral("Wave file name"));
    auto *waveGrid = new QGridLayout(wave);
    waveGrid->addWidget(PlayWave, 0, 0);
    waveGrid->addWidget(BeforeBtn, 0, 1);
    waveGrid->addWidget(AfterBtn, 0, 2);
    waveGrid->addWidget(wavefilename, 1, 0, 1, 3);
    waveGrid->addWidget(Button3, 2, 0, 1, 2);
    waveGrid->addWidget(Button9, 2, 2);

    auto *v = new QVBoxLayout(page);
    v->addLayout(interval);
    v->addWidget(hotKey);
    v->addWidget(wave);
    v->addStretch(1);
}

void TOption::buildDisplayPage(QWidget *page)
{
    auto *fonts = new QGroupBox(QStringLiteral("Fonts"), page);
    FontName = Named(new QComboBox(fonts), "FontName");
    FontName->setToolTip(QStringLiteral("Font Name"));
    FontName->setMinimumWidth(150);
    FontName->setMaxVisibleItems(16);
    SetHelp(FontName, 9);
    FontStyle = Named(new QComboBox(fonts), "FontStyle");
    FontStyle->setToolTip(QStringLiteral("Font Style"));
    SetHelp(FontStyle, 9);
    BevelOutside = Named(new QComboBox(fonts), "BevelOutside");
    BevelOutside->setToolTip(QStringLiteral("Clock face outside style"));
    SetHelp(BevelOutside, 10);
    BevelInside = Named(new QComboBox(fonts), "BevelInside");
    BevelInside->setToolTip(QStringLiteral("Clock face inner style"));
    SetHelp(BevelInside, 11);
    BevelWidth = Named(new TSpinEdit(0, 100, fonts), "BevelWidth");
    BevelWidth->setToolTip(QStringLiteral("Clock face outside border width"));
    SetHelp(BevelWidth, 12);
    BorderWidth = Named(new TSpinEdit(0, 100, fonts), "BorderWidth");
    BorderWidth->setToolTip(QStringLiteral("Clock face inside border width"));
    SetHelp(BorderWidth, 13);
    Sample = Named(new TFacePanel(fonts), "Sample");
    Sample->setCaption(QStringLiteral("12:12 PM"));
    Sample->setFaceFont(QFont(QStringLiteral("Arial")));
    Sample->setToolTip(QStringLiteral("Sample Clock face"));
    Sample->setAccessibleName(QStringLiteral("Sample Clock face"));
    Sample->setFixedSize(kSampleWidth, kSampleHeight);
    SetHelp(Sample, 14);

    auto *grid = new QGridLayout(fonts);
    grid->addWidget(BuddyLabel(QStringLiteral("&Name"), FontName, fonts), 0, 0);
    grid->addWidget(FontName, 0, 1, 1, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("&Style"), FontStyle, fonts), 1, 0);
    grid->addWidget(FontStyle, 1, 1, 1, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("&Outside"), BevelOutside, fonts), 2, 0);
    grid->addWidget(BevelOutside, 2, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("Bevel &Width"), BevelWidth, fonts), 2, 2);
    grid->addWidget(BevelWidth, 2, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("&Inside"), BevelInside, fonts), 3, 0);
    grid->addWidget(BevelInside, 3, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("Bo&rder Width"), BorderWidth, fonts), 3, 2);
    grid->addWidget(BorderWidth, 3, 3);
    grid->addWidget(Sample, 4, 0, 1, 4, Qt::AlignHCenter);

    auto *colors = new QGroupBox(QStringLiteral("Colors"), page);
    FontColorBtn = Named(new QPushButton(QStringLiteral("&Font"), colors), "FontColorBtn");
    SetHelp(FontColorBtn, 15);
    BackColorBtn = Named(new QPushButton(QStringLiteral("&Background"), colors), "BackColorBtn");
    SetHelp(BackColorBtn, 15);
    auto *colorRow = new QHBoxLayout(colors);
    colorRow->addWidget(FontColorBtn);
    colorRow->addWidget(BackColorBtn);

    auto *v = new QVBoxLayout(page);
    v->addWidget(fonts);
    v->addWidget(colors);
    v->addStretch(1);
}

void TOption::buildControlPage(QWidget *page)
{
    auto *program = new QGroupBox(QStringLiteral("Program Options"), page);
    StayOnTop = Named(new QCheckBox(QStringLiteral("Stay on &Top"), program), "StayOnTop");
    StayOnTop->setToolTip(QStringLiteral("Keep Orvane on Top of all windows"));
    SetHelp(StayOnTop, 18);
    AutoStart = Named(new QCheckBox(QStringLiteral("&Auto Start"), program), "AutoStart");
    AutoStart->setToolTip(QStringLiteral("Start Alarms when Orvane is launched"));
    SetHelp(AutoStart, 19);
    AllShowHints = Named(new QCheckBox(QStringLiteral("Show H&ints"), program), "AllShowHints");
    AllShowHints->setToolTip(QStringLiteral("Turn off / on Hints"));
    SetHelp(AllShowHints, 21);
    AutoRun = Named(new QCheckBox(QStringLiteral("&Start Orvane with Windows"), program), "AutoRun");
    SetHelp(AutoRun, 20);
    auto *programBox = new QVBoxLayout(program);
    for (QWidget *w : {static_cast<QWidget *>(StayOnTop), static_cast<QWidget *>(AutoStart),
                       static_cast<QWidget *>(AllShowHints), static_cast<QWidget *>(AutoRun)})
        programBox->addWidget(w);

    auto *menuBar = new QGroupBox(QStringLiteral("Menu Bar Options"), page);
    TitleRes = Named(new QCheckBox(QStringLiteral("Title Bar &Resources"), menuBar), "TitleRes");
    TitleRes->setToolTip(QStringLiteral("Display System Resources on Title Bars"));
    SetHelp(TitleRes, 22);
    TitleClock = Named(new QCheckBox(QStringLiteral("Title &Bar Clock"), menuBar), "TitleClock");
    TitleClock->setToolTip(QStringLiteral("Display the time on Title Bars"));
    SetHelp(TitleClock, 23);
    auto *parent = new QGroupBox(QStringLiteral("Parent Control"), menuBar);
    AllWin = Named(new QRadioButton(QStringLiteral("All &Windows"), parent), "AllWin");
    AllWin->setToolTip(QStringLiteral("Show Title Bar info on All Windows"));
    SetHelp(AllWin, 24);
    ParentWin = Named(new QRadioButton(QStringLiteral("&Parent only"), parent), "ParentWin");
    ParentWin->setToolTip(QStringLiteral("Show Title info on the Parent (Main) program windows only"));
    SetHelp(ParentWin, 25);
    auto *parentBox = new QVBoxLayout(parent);
    parentBox->addWidget(AllWin);
    parentBox->addWidget(ParentWin);
    auto *menuBox = new QVBoxLayout(menuBar);
    menuBox->addWidget(TitleRes);
    menuBox->addWidget(TitleClock);
    menuBox->addWidget(parent);

    auto *v = new QVBoxLayout(page);
    v->addWidget(program);
    v->addWidget(menuBar);
    v->addStretch(1);
}

void TOption::connectHandlers()
{
    // Combo boxes answer the user's choice only ("activated"), check boxes and radio buttons
    // the user's click, so that filling the controls in FormShow changes nothing.
    connect(PlayVoice, &QCheckBox::clicked, this, [this](bool on) { m_working.playVoice = on; });
    connect(ComboBox1, &QComboBox::activated, this, [this](int row) {
        if (auto minutes = IntervalOfRow(row))
            m_working.announceInterval = *minutes;
    });
    connect(CheckBox2, &QCheckBox::clicked, this, &TOption::CheckBox2Click);
    connect(PlayWave, &QCheckBox::clicked, this, [this](bool on) { m_working.playWave = on; });
    connect(BeforeBtn, &QRadioButton::clicked, this, [this] { m_working.beforeAfter = 1; });
    connect(AfterBtn, &QRadioButton::clicked, this, [this] { m_working.beforeAfter = 2; });
    connect(Button3, &QPushButton::clicked, this, &TOption::Button3Click);
    connect(Button9, &QPushButton::clicked, this, &TOption::Button9Click);
    connect(FontName, &QComboBox::activated, this, &TOption::FontNameChange);
    connect(FontStyle, &QComboBox::activated, this, &TOption::FontStyleChange);
    connect(BevelOutside, &QComboBox::activated, this, &TOption::BevelOutsideChange);
    connect(BevelInside, &QComboBox::activated, this, &TOption::BevelInsideChange);
    connect(BevelWidth, &QSpinBox::valueChanged, this, &TOption::BevelWidthChange);
    connect(BorderWidth, &QSpinBox::valueChanged, this, &TOption::BorderWidthChange);
    for (TSpinEdit *spin : {BevelWidth, BorderWidth})
        connect(spin, &TSpinEdit::notAnInteger, this, [this](const QString &text) {
            try {
                StrToInt(text.toStdString());
            } catch (const EConvertError &e) {
                showError(QString::fromStdString(e.what()));
            }
        });
    connect(FontColorBtn, &QPushButton::clicked, this, &TOption::FontColorBtnClick);
    connect(BackColorBtn, &QPushButton::clicked, this, &TOption::BackColorBtnClick);
    connect(StayOnTop, &QCheckBox::clicked, this, [this](bool on) { m_working.stayOnTop = on; });
    connect(AutoStart, &QCheckBox::clicked, this, [this](bool on) { m_working.autoStart = on; });
    connect(AllShowHints, &QCheckBox::clicked, this, [this](bool on) { m_working.showHints = on; });
    connect(AutoRun, &QCheckBox::clicked, this, [this](bool on) { m_working.autoRun = on; });
    connect(TitleRes, &QCheckBox::clicked, this, [this](bool on) { m_working.titleResources = on; });
    connect(TitleClock, &QCheckBox::clicked, this, [this](bool on) { m_working.titleClock = on; });
    connect(AllWin, &QRadioButton::clicked, this,
            [this] { m_working.windowScope = WindowScope::AllWindows; });
    connect(ParentWin, &QRadioButton::clicked, this,
            [this] { m_working.windowScope = WindowScope::ParentOnly; });
    connect(OKBtn, &QPushButton::clicked, this, &TOption::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TOption::HelpBtnClick);
}

void TOption::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TOption::FormShow()
{
    m_loading = true;
    TitleRes->setEnabled(false);
    CheckBox2->setChecked(m_live.useHotKey);
    MacroKeyComboBox1->setEnabled(CheckBox2->isChecked());
    MacroKeyComboBox1->SetMacroKey(m_live.hotKey);
    Placement1->RestoreWindowPlacement();
    m_working = m_live.record;
    setControls();
    FitSample();
    fillLists();
    m_loading = false;
}

void TOption::setControls()
{
    const TSettingsRecord &w = m_working;
    PlayVoice->setChecked(w.playVoice);
    ComboBox1->setCurrentIndex(IntervalRow(w.announceInterval));
    PlayWave->setChecked(w.playWave);
    wavefilename->setText(QString::fromStdString(w.waveFile));
    if (w.beforeAfter == 1)
        BeforeBtn->setChecked(true);
    else if (w.beforeAfter == 2)
        AfterBtn->setChecked(true);
    Bevel outer = Sample->bevelOuter(), inner = Sample->bevelInner();
    if (BevelText(w.bevelOuter))
        outer = static_cast<Bevel>(w.bevelOuter);
    if (BevelText(w.bevelInner))
        inner = static_cast<Bevel>(w.bevelInner);
    Sample->setBevels(outer, inner);
    BevelWidth->setValue(w.bevelWidth);
    BorderWidth->setValue(w.borderWidth);
    // The sample shows the frame in pixels, as the settings give it, without the face's scaling.
    Sample->setFrameWidths(w.bevelWidth, w.borderWidth);
    Sample->setFaceColor(ColorFromValue(w.displayColor), ColorFromValue(w.fontColor));
    QFont f = Sample->faceFont();
    f.setFamily(QString::fromStdString(w.fontName));
    Sample->setFaceFont(f);
    setSampleStyle(w.fontStyle);
    StayOnTop->setChecked(w.stayOnTop);
    AllShowHints->setChecked(w.showHints);
    AutoStart->setChecked(w.autoStart);
    AutoRun->setChecked(w.autoRun);
    TitleRes->setChecked(w.titleResources);
    TitleClock->setChecked(w.titleClock);
    if (w.windowScope == WindowScope::AllWindows)
        AllWin->setChecked(true);
    else
        ParentWin->setChecked(true);
}

void TOption::fillLists()
{
    FontName->clear();
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FontName->addItems(families);
    FontStyle->clear();
    FontStyle->addItems({QStringLiteral("Regular"), QStringLiteral("Bold"), QStringLiteral("Italic"),
                         QStringLiteral("BoldItalic")});
    const QFont f = Sample->faceFont();
    FontStyle->setCurrentText(QString::fromStdString(StyleName({f.bold(), f.italic()})));
    const QString name = f.family();
    FontName->setCurrentIndex(FontName->findText(name, Qt::MatchFixedString));
    // A font this system lacks is drawn in the nearest font it has, as the clock face does; the
    // list still names the chosen font so that OK keeps it.
    FontName->setPlaceholderText(name);
    for (QComboBox *bevel : {BevelOutside, BevelInside}) {
        bevel->clear();
        bevel->addItems({QStringLiteral("Raised"), QStringLiteral("Lowered"), QStringLiteral("None")});
    }
    BevelOutside->setCurrentText(
        QString::fromStdString(BevelText(static_cast<int>(Sample->bevelOuter())).value_or("")));
    BevelInside->setCurrentText(
        QString::fromStdString(BevelText(static_cast<int>(Sample->bevelInner())).value_or("")));
}

void TOption::FitSample()
{
    const bool both = Sample->bevelOuter() != Bevel::None && Sample->bevelInner() != Bevel::None;
    QFont f = Sample->faceFont();
    f.setPixelSize(SampleUsableHeight(Sample->height(), Sample->bevelWidth(), Sample->borderWidth(), both));
    Sample->setFaceFont(f);
    shrinkSampleToWidth();
}

void TOption::shrinkSampleToWidth()
{
    // The sample shrinks a time too wide for it in the face's steps, so that it shows what the
    // face would show rather than a clipped text.
    const bool both = Sample->bevelOuter() != Bevel::None && Sample->bevelInner() != Bevel::None;
    const FaceDims d = GetTotalDims(Sample->width(), Sample->height(),
                                    FaceFrame{Sample->bevelWidth(), Sample->borderWidth()}, both);
    QFont f = Sample->faceFont();
    f.setPixelSize(FitFontHeight(
        Sample->caption().toStdString(), f.pixelSize(), d.faceWidth, [&](const std::string &text, int h) {
            QFont probe = f;
            probe.setPixelSize(h);
            return QFontMetrics(probe).horizontalAdvance(QString::fromStdString(text));
        }));
    Sample->setFaceFont(f);
}

void TOption::setSampleStyle(const std::string &style)
{
    const auto flags = StyleOfName(style);
    if (!flags)
        return;
    QFont f = Sample->faceFont();
    f.setBold(flags->bold);
    f.setItalic(flags->italic);
    Sample->setFaceFont(f);
}

void TOption::FontNameChange(int row)
{
    if (m_loading || row < 0)
        return;
    const QString name = FontName->itemText(row);
    QFont f = Sample->faceFont();
    f.setFamily(name);
    f.setPixelSize(std::max(1, Sample->height() - 40));
    Sample->setFaceFont(f);
    FontName->setPlaceholderText(name);
    m_working.fontName = CutTo(name.toStdString(), kFontNameMax);
    m_working.fontStyle = CutTo(FontStyle->currentText().toStdString(), kFontStyleMax);
    setSampleStyle(m_working.fontStyle);
    shrinkSampleToWidth();
}

void TOption::FontStyleChange(int row)
{
    if (m_loading || row < 0)
        return;
    m_working.fontStyle = CutTo(FontStyle->itemText(row).toStdString(), kFontStyleMax);
    setSampleStyle(m_working.fontStyle);
}

void TOption::BevelOutsideChange(int row)
{
    if (m_loading || row < 0)
        return;
    if (const auto bevel = BevelOfText(BevelOutside->itemText(row).toStdString())) {
        Sample->setBevels(static_cast<Bevel>(*bevel), Sample->bevelInner());
        m_working.bevelOuter = *bevel;
    }
    FitSample();
}

void TOption::BevelInsideChange(int row)
{
    if (m_loading || row < 0)
        return;
    if (const auto bevel = BevelOfText(BevelInside->itemText(row).toStdString())) {
        Sample->setBevels(Sample->bevelOuter(), static_cast<Bevel>(*bevel));
        m_working.bevelInner = *bevel;
    }
    FitSample();
}

void TOption::BevelWidthChange(int value)
{
    if (m_loading)
        return;
    Sample->setFrameWidths(value, Sample->borderWidth());
    m_working.bevelWidth = value;
    FitSample();
}

void TOption::BorderWidthChange(int value)
{
    if (m_loading)
        return;
    Sample->setFrameWidths(Sample->bevelWidth(), value);
    m_working.borderWidth = value;
    FitSample();
}

void TOption::CheckBox2Click() { MacroKeyComboBox1->setEnabled(CheckBox2->isChecked()); }

void TOption::FontColorBtnClick() { chooseColor(true); }

void TOption::BackColorBtnClick() { chooseColor(false); }

void TOption::chooseColor(bool fontColor)
{
    const std::string path = m_programDir + "CstmCol.Str";
    std::optional<TCustomColors> file = TCustomColors::Load(path);
    if (file) {
        const CustomColorArray colors = file->Colors();
        for (std::size_t i = 0; i < kCustomColorCount; ++i)
            QColorDialog::setCustomColor(static_cast<int>(i), colors[i] == kUnsetColor
                                                                  ? QColor(Qt::white)
                                                                  : ColorFromValue(colors[i]));
    }
    const QColor initial = fontColor ? Sample->textColor() : Sample->backgroundColor();
    const std::optional<QColor> chosen = m_colorChooser(this, initial);
    if (!chosen || !chosen->isValid())
        return;
    if (fontColor) {
        Sample->setFaceColor(Sample->backgroundColor(), *chosen);
        m_working.fontColor = ValueFromColor(*chosen);
    } else {
        Sample->setFaceColor(*chosen, Sample->textColor());
        m_working.displayColor = ValueFromColor(*chosen);
    }
    CustomColorArray custom;
    for (std::size_t i = 0; i < kCustomColorCount; ++i)
        custom[i] = ValueFromColor(QColorDialog::customColor(static_cast<int>(i)));
    TCustomColors list = file.value_or(TCustomColors());
    list.SetColors(custom);
    if (!EnsureDir(m_programDir) || !list.Save(path))
        showError(QStringLiteral("Unable to write to %1").arg(QString::fromStdString(path)));
}

void TOption::Button3Click()
{
    if (const auto file = m_waveChooser(this, wavefilename->text()))
        wavefilename->setText(*file);
}

void TOption::Button9Click()
{
    // A wave the program recorded belongs to this setting and goes with it, even on Cancel.
    RemoveRecordedWave(wavefilename->text().toStdString());
    wavefilename->clear();
}

void TOption::HelpBtnClick()
{
    const int page = TabbedNotebook1->currentIndex();
    if (page >= 0 && page < kPageCount)
        THelpWindow::ShowContext(kPageTopics[page]);
}

void TOption::contextHelp()
{
    // A control's own topic when the help has one; otherwise its page's topic, which covers
    // every control of the page.
    for (QWidget *w = focusWidget(); w && w != this; w = w->parentWidget()) {
        const int topic = w->property(kHelpProperty).toInt();
        if (topic > 0 && QFile::exists(QStringLiteral(":/help/%1.html").arg(topic))) {
            THelpWindow::ShowContext(topic);
            return;
        }
    }
    HelpBtnClick();
}

void TOption::OKBtnClick()
{
    m_working.waveFile = CutTo(wavefilename->text().toStdString(), kWaveFileMax);
    m_live.useHotKey = CheckBox2->isChecked();
    m_live.hotKey = MacroKeyComboBox1->MacroKey();
    accept();
}

void TOption::showError(const QString &text)
{
    m_lastError = text;
    // The reporter shows its box from the event loop, once the spin edit has gone back to its
    // value and outside the focus change.
    ProgramReporter().report(text.toStdString());
}

} // namespace orvane
