#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/help_key.h"
#include "app/clock/ui/help_window.h"
#include "app/clock/ui/main_window.h"
#include "fake_services.h"
#include "tests/support/home_guard.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace orvane;

namespace {

TimePoint Morning() { return FromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(7, 5, 0)); }

QString HelpText(THelpWindow *help) { return help->findChild<QTextBrowser *>()->toPlainText(); }

} // namespace

TEST(Help, EveryTopicBuiltIntoTheProgramShowsText)
{
    const QStringList topics = QDir(QStringLiteral(":/help")).entryList();
    ASSERT_GE(topics.size(), 5) << "the help topics are not linked into the program";
    for (const QString &topic : topics) {
        THelpWindow *help = topic.front().isDigit()
                                ? THelpWindow::ShowContext(topic.section('.', 0, 0).toInt())
                                : THelpWindow::ShowContents();
        if (!topic.front().isDigit())
            continue;
        EXPECT_EQ(help->currentTopic(), topic);
        EXPECT_GT(HelpText(help).size(), 40) << topic.toStdString();
    }
    EXPECT_TRUE(HelpText(THelpWindow::ShowContents()).contains("Orvane is a talking clock"));
    THelpWindow::ShowContents()->close();
}

TEST(Help, EscClosesTheHelpWindow)
{
    THelpWindow *help = THelpWindow::ShowContents();
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !help->isVisible(); }, 2000));
}

TEST(Help, EscReachingTheHelpWindowBeforeItIsActiveStillClosesIt)
{
    THelpWindow *help = THelpWindow::ShowContents();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    // A key sent to the window just raised, as a window manager or xdotool may deliver it.
    QTest::keyClick(help->findChild<QTextBrowser *>(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    help->close();
}

namespace {

// A dialog that, like the alarm dialogs, also answers F1 itself.
class OwnHelpDialog : public QDialog {
public:
    int ownHelpKeys = 0;
    QLineEdit *field = new QLineEdit(this);
    explicit OwnHelpDialog(int context)
    {
        setProperty("helpContext", context);
        (new QVBoxLayout(this))->addWidget(field);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_F1)
            ++ownHelpKeys;
        QDialog::keyPressEvent(event);
    }
};

} // namespace

TEST(Help, F1InADialogWithItsOwnContextOpensThatTopicOnce)
{
    struct Case {
        int dialogContext;
        int fieldContext;
        const char *topic;
    };
    // The field's own context wins when it has a topic; one without a topic falls back to the
    // dialog's; a dialog without a topic of its own gives the contents.
    for (const Case c : {Case{26, 0, "26.html"}, Case{26, 53, "53.html"}, Case{26, 9, "26.html"},
                         Case{999, 0, "contents.html"}}) {
        SCOPED_TRACE(c.topic);
        THelpKey helpKey;
        qApp->installEventFilter(&helpKey);
        OwnHelpDialog d(c.dialogContext);
        if (c.fieldContext)
            d.field->setProperty("helpContext", c.fieldContext);
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        d.field->setFocus();
        QTest::keyClick(d.windowHandle(), Qt::Key_F1);
        qApp->removeEventFilter(&helpKey);
        EXPECT_EQ(d.ownHelpKeys, 0) << "the dialog's own F1 would open help a second time";
        THelpWindow *help = nullptr;
        for (QWidget *candidate : QApplication::topLevelWidgets())
            if (auto *h = qobject_cast<THelpWindow *>(candidate); h && h->isVisible())
                help = h;
        ASSERT_NE(help, nullptr) << "F1 opened no help";
        EXPECT_EQ(help->currentTopic(), c.topic);
        help->close();
    }
}

TEST(Help, ADialogDoesNotTakeTheTopicOfTheWindowThatOpenedIt)
{
    QWidget owner;
    SetHelpContext(&owner, 26);
    QDialog dialog(&owner);
    auto *field = new QLineEdit(&dialog);
    EXPECT_EQ(HelpContextOf(field), 0) << "F1 in the dialog would open the owner's topic";
    SetHelpContext(&dialog, 53);
    EXPECT_EQ(HelpContextOf(field), 53);
}

TEST(Help, F1OpensTheTopicOfTheWindowInFront)
{
    HomeGuard home;
    ManualClock clock(Morning());
    MainParts p;
    THelpKey helpKey;
    qApp->installEventFilter(&helpKey);
    TMain w(clock, p.state, p.services, p.commands, p.reporter);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    qApp->removeEventFilter(&helpKey);
    const auto windows = QApplication::topLevelWidgets();
    THelpWindow *help = nullptr;
    for (QWidget *candidate : windows)
        if (auto *h = qobject_cast<THelpWindow *>(candidate); h && h->isVisible())
            help = h;
    ASSERT_NE(help, nullptr) << "F1 opened no help";
    EXPECT_EQ(help->currentTopic(), "100.html");
    EXPECT_EQ(HelpContextOf(w.face()), 100) << "a control finds the context of its window";
    EXPECT_TRUE(HelpText(help).contains("The main window"));
    help->close();
}

TEST(MainWindow, EverySpeedBarButtonHasAnAccessibleName)
{
    HomeGuard home;
    ManualClock clock(Morning());
    MainParts p;
    TMain w(clock, p.state, p.services, p.commands, p.reporter);
    const auto buttons = w.findChildren<QToolButton *>();
    ASSERT_EQ(buttons.size(), 7);
    for (QToolButton *b : buttons)
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name).isEmpty());
    w.show();
    w.ClockTickNow();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.face())->text(QAccessible::Name), w.face()->caption());
}

TEST(MainWindow, TheFaceIsFittedAtStartExactlyAsAfterATogglePair)
{
    struct Case {
        const char *placement;
        const char *speedBar;
    };
    for (const Case c :
         {Case{"PlaceNormPosL=100\nPlaceNormPosT=100\nPlaceNormPosR=312\nPlaceNormPosB=231\n", "1"},
          Case{"PlaceNormPosL=50\nPlaceNormPosT=60\nPlaceNormPosR=450\nPlaceNormPosB=260\n", "1"},
          Case{"PlaceNormPosL=50\nPlaceNormPosT=60\nPlaceNormPosR=290\nPlaceNormPosB=400\n", "0"}}) {
        HomeGuard home;
        home.write("murvelin.ini",
                   std::string("[Display]\nSpeedBar=") + c.speedBar + "\n[Main]\n" + c.placement);
        ManualClock clock(Morning());
        MainParts p;
        TMain w(clock, p.state, p.services, p.commands, p.reporter);
        w.show();
        QApplication::processEvents();
        const int atStart = w.face()->faceFont().pixelSize();
        const int bevelAtStart = w.face()->bevelWidth();
        w.Panel2Click();
        QApplication::processEvents();
        w.Panel2Click();
        QApplication::processEvents();
        EXPECT_EQ(atStart, w.face()->faceFont().pixelSize()) << c.placement;
        EXPECT_EQ(bevelAtStart, w.face()->bevelWidth()) << c.placement;
    }
}
