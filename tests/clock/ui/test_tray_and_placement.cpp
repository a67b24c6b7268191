#include "app/clock/ui/main_window.h"
#include "app/clock/ui/placement.h"
#include "app/clock/ui/tray_icon.h"
#include "fake_services.h"
#include "tests/support/home_guard.h"
#include "tray_host_guard.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

using namespace orvane;

namespace {

TimePoint Morning() { return FromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(7, 5, 0)); }

} // namespace

TEST(TrayIcon, ToolTipKeepsSixtyTwoCharacters)
{
    TTrayIcon tray;
    const QString seventy(70, QChar('x'));
    tray.setToolTip(seventy);
    EXPECT_EQ(tray.ToolTip(), seventy.left(62));
}

TEST(HideToTray, HideAndRestoreAlternate)
{
    TrayHostGuard tray(TrayHost::Present);
    HomeGuard home;
    ManualClock clock(Morning());
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.show();
    EXPECT_EQ(w.hideAction()->text(), "Hi&de");
    w.Hide1Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.tag(), 1);
    EXPECT_EQ(w.hideAction()->text(), "&Restore");
    w.Hide1Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tag(), 0);
    EXPECT_EQ(w.hideAction()->text(), "Hi&de");
}

TEST(HideToTray, EndingHiddenStartsHiddenAtTheFirstTick)
{
    TrayHostGuard tray(TrayHost::Present);
    HomeGuard home;
    ManualClock clock(Morning());
    MainParts p;
    FakeServices &services = p.services;
    {
        TMain w(clock, p.state, services, p.commands, p.reporter);
        w.show();
        w.Hide1Click();
        w.close();
    }
    EXPECT_NE(home.read("murvelin.ini").find("Minimized=1"), std::string::npos);
    MainParts p2;
    TMain again(clock, p2.state, p2.services, p2.commands, p2.reporter);
    again.show();
    EXPECT_TRUE(p2.state.flags.startHidden);
    again.ClockTickNow();
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.tag(), 1);
    EXPECT_FALSE(p2.state.flags.startHidden);
}

TEST(HideToTray, SecondStartBringsTheWindowBack)
{
    TrayHostGuard tray(TrayHost::Present);
    HomeGuard home;
    ManualClock clock(Morning());
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.show();
    w.Hide1Click();
    w.BringToFront();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tag(), 0);
}

TEST(Placement, RoundTripsAWindow)
{
    HomeGuard home;
    QWidget a;
    a.setObjectName("Option");
    a.setGeometry(120, 80, 300, 200);
    a.show();
    TPlacement save(&a, "murvelin.ini", "");
    EXPECT_EQ(save.Section, "Option");
    save.SaveWindowPlacement();
    QWidget b;
    b.setGeometry(10, 10, 50, 50);
    TPlacement restore(&b, "murvelin.ini", "Option");
    restore.RestoreWindowPlacement();
    EXPECT_EQ(restore.Tag, 1);
    EXPECT_EQ(b.frameGeometry().size(), a.frameGeometry().size());
    EXPECT_EQ(b.pos(), a.pos());
}

TEST(Placement, MissingSectionLeavesTheWindowAlone)
{
    HomeGuard home;
    QWidget b;
    b.setGeometry(10, 20, 50, 60);
    TPlacement restore(&b, "murvelin.ini", "Option");
    restore.RestoreWindowPlacement();
    EXPECT_EQ(restore.Tag, 0);
    EXPECT_EQ(b.geometry(), QRect(10, 20, 50, 60));
}

TEST(HideToTray, WithoutANotificationAreaHideMinimizesAndNothingIsHidden)
{
    HomeGuard home;
    TrayHostGuard tray(TrayHost::Absent);
    ManualClock clock(Morning());
    MainParts p;
    {
        TMain w(clock, p.state, p.services, p.commands, p.reporter);
        w.show();
        w.Hide1Click();
        EXPECT_TRUE(w.isVisible()) << "nothing could bring a hidden window back";
        EXPECT_TRUE(w.isMinimized());
        EXPECT_EQ(w.tag(), 0);
        EXPECT_EQ(w.hideAction()->text(), "Hi&de");
        w.close();
    }
    EXPECT_NE(home.read("murvelin.ini").find("Minimized=0"), std::string::npos);
}

TEST(HideToTray, AStartHiddenWithoutANotificationAreaKeepsTheWindow)
{
    HomeGuard home;
    home.write("murvelin.ini", "[Main]\nMinimized=1\n");
    TrayHostGuard tray(TrayHost::Absent);
    ManualClock clock(Morning());
    MainParts p;
    TMain w(clock, p.state, p.services, p.commands, p.reporter);
    w.show();
    w.ClockTickNow();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tag(), 0);
}
