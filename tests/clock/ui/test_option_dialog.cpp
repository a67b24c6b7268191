#include "app/clock/settings_file.h"
#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/help_key.h"
#include "app/clock/ui/help_window.h"
#include "app/clock/ui/option_dialog.h"
#include "app/clock/ui/options_command.h"
#include "app/common/ini_file.h"
#include "app/common/paths.h"
#include "app/macro/ui/macro_key_combo_box.h"
#include "tests/support/env_guard.h"
#include "tests/support/home_guard.h"
#include "tests/support/visible_mnemonics.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;

namespace {

template <typename T>
T *Find(QWidget &dialog, const char *name)
{
    T *w = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A program's worth of settings files in a fresh ORVANE_HOME and autostart folder, with the
// parts the options command drives.
class OptionsFixture : public ::testing::Test {
protected:
    OptionsFixture()
        : xdg("XDG_CONFIG_HOME", home.file("xdg")), settingsIni("murvelin.ini"), winIni("Win.ini")
    {
        home.write("murvelin.ini", "[Voice]\nHowOften=15\n[Options]\nSnoozeTime=7\n");
        home.write("Win.ini", "[windows]\nrun=other.exe\n");
        LoadSettings(settingsIni, live);
    }

    OptionsCommandParts parts()
    {
        return OptionsCommandParts{live,
                                   winIni,
                                   ProgramDir(),
                                   "/usr/bin/orvane",
                                   [this](bool use, uint16_t key) {
                                       hotKeys.push_back({use, key});
                                   },
                                   [this] { ++looks; },
                                   [this] { SaveSettings(settingsIni, live); },
                                   [this](const std::string &e) { errors.push_back(e); }};
    }

    // Opens the command, lets `act` work on the shown dialog, then presses `button`.
    bool run(const std::function<void(TOption &)> &act, const char *button)
    {
        return RunOptionsCommand(nullptr, parts(), [&](TOption &d) {
            QTimer::singleShot(0, &d, [&d, act, button] {
                act(d);
                d.findChild<QPushButton *>(QString::fromLatin1(button))->click();
            });
        });
    }

    std::string autostartPath() const { return home.file("xdg/autostart/orvane.desktop"); }

    HomeGuard home;
    EnvGuard xdg;
    TIniFile settingsIni;
    TIniFile winIni;
    TProgramSettings live;
    std::vector<std::pair<bool, uint16_t>> hotKeys;
    int looks = 0;
    std::vector<std::string> errors;
};

} // namespace

TEST_F(OptionsFixture, CancelChangesNothingOnDisk)
{
    const std::string ini = home.read("murvelin.ini");
    const std::string win = home.read("Win.ini");
    const bool ok = run(
        [](TOption &d) {
            Find<QComboBox>(d, "FontName")->setCurrentIndex(0);
            emit Find<QComboBox>(d, "FontName")->activated(0);
            Find<QCheckBox>(d, "AutoRun")->click();
            Find<QComboBox>(d, "ComboBox1")->setCurrentIndex(0);
            emit Find<QComboBox>(d, "ComboBox1")->activated(0);
        },
        "CancelBtn");
    EXPECT_FALSE(ok);
    // Only the dialog's own placement is written when it closes.
    TIniFile after("murvelin.ini");
    EXPECT_EQ(after.ReadInteger("Voice", "HowOften", 0), 15);
    EXPECT_EQ(home.read("murvelin.ini").substr(0, ini.size()), ini);
    EXPECT_EQ(home.read("Win.ini"), win);
    EXPECT_FALSE(std::filesystem::exists(autostartPath()));
    EXPECT_TRUE(hotKeys.empty());
    EXPECT_EQ(looks, 0);
    EXPECT_EQ(live.record.announceInterval, 15);
}

TEST_F(OptionsFixture, OkWithOnlyTheIntervalChangedRewritesHowOftenAndLeavesTheRunLine)
{
    const bool ok = run(
        [](TOption &d) {
            auto *interval = Find<QComboBox>(d, "ComboBox1");
            EXPECT_EQ(interval->currentText(), "15");
            interval->setCurrentIndex(4);
            emit interval->activated(4);
        },
        "OKBtn");
    EXPECT_TRUE(ok);
    EXPECT_EQ(TIniFile("murvelin.ini").ReadString("Voice", "HowOften", ""), "30");
    EXPECT_EQ(TIniFile("murvelin.ini").ReadString("Options", "SnoozeTime", ""), "7");
    EXPECT_EQ(home.read("Win.ini"), "[windows]\nrun=other.exe\n");
    EXPECT_FALSE(std::filesystem::exists(autostartPath()));
    EXPECT_EQ(live.effectiveInterval, 30);
    ASSERT_EQ(hotKeys.size(), 1u);
    EXPECT_EQ(hotKeys[0], std::make_pair(true, uint16_t(0x0120)));
    EXPECT_EQ(looks, 1);
}

TEST_F(OptionsFixture, OkWithAutoRunToggledWritesTheRunLineAndTheAutostartEntry)
{
    ASSERT_TRUE(run([](TOption &d) { Find<QCheckBox>(d, "AutoRun")->click(); }, "OKBtn"));
    EXPECT_EQ(TIniFile("Win.ini").ReadString("windows", "run", ""), "other.exe;/usr/bin/orvane");
    EXPECT_EQ(TIniFile("murvelin.ini").ReadString("Options", "Auto Run", ""), "1");
    ASSERT_TRUE(std::filesystem::exists(autostartPath()));
    EXPECT_NE(home.read("xdg/autostart/orvane.desktop").find("Exec=/usr/bin/orvane"), std::string::npos);

    ASSERT_TRUE(run([](TOption &d) { Find<QCheckBox>(d, "AutoRun")->click(); }, "OKBtn"));
    EXPECT_EQ(TIniFile("Win.ini").ReadString("windows", "run", ""), "other.exe");
    EXPECT_FALSE(std::filesystem::exists(autostartPath()));
}

TEST_F(OptionsFixture, HotKeyChoiceBecomesLiveOnlyThroughOk)
{
    run([](TOption &d) { Find<QCheckBox>(d, "CheckBox2")->click(); }, "CancelBtn");
    EXPECT_TRUE(live.useHotKey);
    run(
        [](TOption &d) {
            auto *box = Find<QCheckBox>(d, "CheckBox2");
            box->click();
            EXPECT_FALSE(Find<TMacroKeyComboBox>(d, "MacroKeyComboBox1")->isEnabled());
        },
        "OKBtn");
    EXPECT_FALSE(live.useHotKey);
    ASSERT_EQ(hotKeys.size(), 1u);
    EXPECT_FALSE(hotKeys[0].first);
    EXPECT_EQ(TIniFile("murvelin.ini").ReadString("Voice", "UseHotkey", ""), "0");
}

TEST_F(OptionsFixture, AnIntervalOffTheListShowsNoRowAndIsKept)
{
    live.record.announceInterval = 7;
    run([](TOption &d) { EXPECT_EQ(Find<QComboBox>(d, "ComboBox1")->currentIndex(), -1); }, "OKBtn");
    EXPECT_EQ(live.record.announceInterval, 7);
    EXPECT_EQ(TIniFile("murvelin.ini").ReadString("Voice", "HowOften", ""), "7");
}

TEST_F(OptionsFixture, ClearDeletesARecordedWaveEvenOnCancel)
{
    const std::string wave = home.file("OV-3.wav");
    home.write("OV-3.wav", "RIFF");
    const std::string mine = home.file("mine.wav");
    home.write("mine.wav", "RIFF");
    live.record.waveFile = wave;
    run([](TOption &d) { Find<QPushButton>(d, "Button9")->click(); }, "CancelBtn");
    EXPECT_FALSE(std::filesystem::exists(wave));
    EXPECT_EQ(live.record.waveFile, wave);

    live.record.waveFile = mine;
    run(
        [](TOption &d) {
            Find<QPushButton>(d, "Button9")->click();
            EXPECT_TRUE(Find<QLineEdit>(d, "wavefilename")->text().isEmpty());
        },
        "OKBtn");
    EXPECT_TRUE(std::filesystem::exists(mine));
    EXPECT_EQ(live.record.waveFile, "");
}

TEST_F(OptionsFixture, BrowseTakesTheChosenWave)
{
    RunOptionsCommand(nullptr, parts(), [](TOption &d) {
        d.setWaveChooser([](QWidget *, const QString &) { return std::optional<QString>("/w/chime.wav"); });
        QTimer::singleShot(0, &d, [&d] {
            Find<QPushButton>(d, "Button3")->click();
            Find<QPushButton>(d, "OKBtn")->click();
        });
    });
    EXPECT_EQ(live.record.waveFile, "/w/chime.wav");
    EXPECT_EQ(live.waveFilePath, "/w/chime.wav");
}

TEST_F(OptionsFixture, AConfirmedColourSavesTheCustomColoursKeepingOtherLines)
{
    home.write("CstmCol.Str", "ColorA=0000FF\r\nmy note\r\nColorC=nothex\r\n");
    RunOptionsCommand(nullptr, parts(), [](TOption &d) {
        d.setColorChooser([](QWidget *, const QColor &initial) {
            // The dialog starts at the sample's colour, with the file's custom colours loaded.
            EXPECT_EQ(initial, QColor(0, 0, 0x80));
            EXPECT_EQ(QColorDialog::customColor(0), QColor(0xFF, 0, 0));
            QColorDialog::setCustomColor(2, QColor(0x12, 0x34, 0x56));
            return std::optional<QColor>(QColor(0x10, 0x20, 0x30));
        });
        QTimer::singleShot(0, &d, [&d] {
            Find<QPushButton>(d, "FontColorBtn")->click();
            EXPECT_EQ(d.sample()->textColor(), QColor(0x10, 0x20, 0x30));
            Find<QPushButton>(d, "CancelBtn")->click();
        });
    });
    EXPECT_EQ(live.record.fontColor, 0x800000u); // cancelled: the setting is unchanged
    const std::string text = home.read("CstmCol.Str");
    EXPECT_EQ(text.substr(0, 24), "ColorA=0000FF\r\nmy note\r\n");
    EXPECT_NE(text.find("ColorC=563412\r\n"), std::string::npos);
    EXPECT_NE(text.find("ColorP="), std::string::npos);
}

TEST_F(OptionsFixture, ACancelledColourDialogWritesNothing)
{
    RunOptionsCommand(nullptr, parts(), [](TOption &d) {
        d.setColorChooser([](QWidget *, const QColor &) { return std::optional<QColor>(); });
        QTimer::singleShot(0, &d, [&d] {
            Find<QPushButton>(d, "BackColorBtn")->click();
            Find<QPushButton>(d, "OKBtn")->click();
        });
    });
    EXPECT_FALSE(std::filesystem::exists(home.file("CstmCol.Str")));
    EXPECT_EQ(live.record.displayColor, 0xC0C0C0u);
}

TEST(OptionDialog, ASpinEditWithTextThatIsNoNumberKeepsItsValue)
{
    HomeGuard home;
    TProgramSettings live;
    live.record.bevelWidth = 4;
    TOption d(live, ProgramDir());
    d.show();
    auto *spin = Find<QAbstractSpinBox>(d, "BevelWidth");
    auto *edit = spin->findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    spin->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "abc");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(d.lastError(), "'abc' is not a valid integer value");
    EXPECT_EQ(d.working().bevelWidth, 4);
    edit->selectAll();
    QTest::keyClicks(edit, "9");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(d.working().bevelWidth, 9);
    EXPECT_EQ(d.sample()->bevelWidth(), 9); // unscaled, in pixels
}

TEST(OptionDialog, TheSampleShowsTheFaceUnscaledAndFitted)
{
    HomeGuard home;
    TProgramSettings live;
    live.record.bevelOuter = 1;
    live.record.bevelInner = 2;
    live.record.bevelWidth = 3;
    live.record.borderWidth = 2;
    live.record.fontStyle = "BoldItalic";
    TOption d(live, ProgramDir());
    d.show();
    TFacePanel *s = d.sample();
    EXPECT_EQ(s->bevelWidth(), 3);
    EXPECT_EQ(s->borderWidth(), 2);
    EXPECT_EQ(s->bevelOuter(), Bevel::Lowered);
    EXPECT_EQ(s->bevelInner(), Bevel::Raised);
    EXPECT_LE(s->faceFont().pixelSize(), s->height() - 4 * 3 - 2 * 2);
    EXPECT_TRUE(s->faceFont().bold() && s->faceFont().italic());
    EXPECT_EQ(Find<QComboBox>(d, "FontStyle")->currentText(), "BoldItalic");
    EXPECT_EQ(Find<QComboBox>(d, "BevelOutside")->currentText(), "Lowered");
    EXPECT_EQ(Find<QComboBox>(d, "BevelInside")->currentText(), "Raised");
    EXPECT_FALSE(Find<QCheckBox>(d, "TitleRes")->isEnabled());

    auto *outside = Find<QComboBox>(d, "BevelOutside");
    outside->setCurrentIndex(2);
    emit outside->activated(2); // "None"
    EXPECT_EQ(d.working().bevelOuter, 0);
    EXPECT_EQ(s->bevelOuter(), Bevel::None);
}

TEST(OptionDialog, AMissingFontIsKeptAndDrawnInASubstitute)
{
    HomeGuard home;
    TProgramSettings live;
    live.record.fontName = "No Such Font Anywhere";
    TOption d(live, ProgramDir());
    d.show();
    auto *name = Find<QComboBox>(d, "FontName");
    EXPECT_GT(name->count(), 0);
    EXPECT_EQ(name->currentIndex(), -1);
    EXPECT_EQ(name->placeholderText(), "No Such Font Anywhere");
    EXPECT_EQ(d.working().fontName, "No Such Font Anywhere");
    name->setCurrentIndex(0);
    emit name->activated(0);
    EXPECT_EQ(d.working().fontName, name->itemText(0).toStdString().substr(0, 40));
}

TEST(OptionDialog, EveryControlHasAnAccessibleNameAndTheCaptionsAreAsDescribed)
{
    HomeGuard home;
    TProgramSettings live;
    TOption d(live, ProgramDir());
    d.show();
    EXPECT_EQ(d.windowTitle(), "Program Options");
    auto *tabs = Find<QTabWidget>(d, "TabbedNotebook1");
    EXPECT_EQ(tabs->tabText(0), "&Voice / Wav");
    EXPECT_EQ(tabs->tabText(1), "&Display");
    EXPECT_EQ(tabs->tabText(2), "&Control");
    int checked = 0;
    for (QWidget *w : d.findChildren<QWidget *>()) {
        // Every control of the dialog is named; Qt's own inner parts start with "qt_".
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 30);
    // Each check box, radio button and push button but OK and Cancel carries its mnemonic.
    for (QAbstractButton *b : d.findChildren<QAbstractButton *>()) {
        // The tab bar's own scroll arrows are Qt's, not the dialog's controls.
        if (b->objectName() == "OKBtn" || b->objectName() == "CancelBtn" || b->objectName().isEmpty() ||
            b->parentWidget()->inherits("QTabBar"))
            continue;
        EXPECT_TRUE(b->text().contains(QLatin1Char('&'))) << b->objectName().toStdString();
    }
}

TEST(OptionDialog, EveryPageGivesEachMnemonicToOneControl)
{
    HomeGuard home;
    TProgramSettings live;
    TOption d(live, ProgramDir());
    d.show();
    auto *tabs = Find<QTabWidget>(d, "TabbedNotebook1");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        SCOPED_TRACE(tabs->tabText(page).toStdString());
        EXPECT_EQ(test::MnemonicClashes(&d).join(QLatin1Char('\n')).toStdString(), "");
    }
}

// F1 on any control of the dialog (the page tabs and the buttons too) opens a topic of the
// dialog, never the main window's: a context number shared with the main window once sent F1 on
// the Play Voice check box to the main window's help.
TEST_F(OptionsFixture, F1OnEveryControlOpensATopicOfTheDialog)
{
    QFile mainTopic(QStringLiteral(":/help/main.html"));
    ASSERT_TRUE(mainTopic.open(QIODevice::ReadOnly));
    const QByteArray mainText = mainTopic.readAll();
    QStringList wrong;
    int withTopic = 0;
    run(
        [&](TOption &d) {
            for (QWidget *w : d.findChildren<QWidget *>()) {
                if (w->window() != &d)
                    continue;
                const int context = HelpContextOf(w);
                if (!THelpWindow::HasTopic(context)) {
                    wrong << w->objectName() + QStringLiteral(" (no topic)");
                    continue;
                }
                ++withTopic;
                QFile topic(QStringLiteral(":/help/%1.html").arg(context));
                if (topic.open(QIODevice::ReadOnly) && topic.readAll() == mainText)
                    wrong << w->objectName() + QStringLiteral(" (%1)").arg(context);
            }
        },
        "CancelBtn");
    EXPECT_GT(withTopic, 0) << "no control of the dialog leads to a help topic";
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QStringLiteral(", ")).toStdString();
}
