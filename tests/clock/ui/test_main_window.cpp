#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/main_window.h"
#include "fake_services.h"
#include "tests/support/home_guard.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace orvane;

namespace {

TimePoint At(int h, int m, int s) { return FromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(h, m, s)); }

} // namespace

TEST(MainWindow, StartsWithTheDescribedLayout)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    EXPECT_EQ(w.windowTitle(), "Orvane");
    EXPECT_EQ(w.width(), 212);
    EXPECT_EQ(w.height(), 131);
    EXPECT_EQ(w.pos(), QPoint(269, 145));
    EXPECT_EQ(w.face()->toolTip(), "Hide Speedbar");
    EXPECT_TRUE(WantsAnnounceHotKey(p.state.settings));
    EXPECT_EQ(p.state.settings.effectiveInterval, 5);
    EXPECT_EQ(w.face()->backgroundColor(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(w.face()->textColor(), QColor(0, 0, 0x80)); // 0x800000 is navy
}

TEST(MainWindow, NoHotKeyBoundWhenSwitchedOff)
{
    HomeGuard home;
    home.write("murvelin.ini", "[Voice]\nUseHotKey=0\n");
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    EXPECT_FALSE(WantsAnnounceHotKey(p.state.settings));
}

TEST(MainWindow, HotKeyPressSpeaksAtOnceWithoutAlarmWork)
{
    HomeGuard home;
    ManualClock clock(At(7, 3, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.ClockTickNow();
    services.calls.clear();
    clock.setNow(At(7, 3, 20));
    w.AnnounceNow();
    EXPECT_EQ(services.calls, std::vector<std::string>{"announce 7:3!"});
}

TEST(MainWindow, FaceClickTogglesSpeedBarKeepingTheHeight)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.show();
    const int outer = w.frameGeometry().height();
    w.Panel2Click();
    EXPECT_FALSE(w.speedBarShown());
    EXPECT_EQ(w.face()->toolTip(), "Show Speedbar");
    EXPECT_EQ(w.frameGeometry().height(), outer);
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    w.Panel2Click();
    EXPECT_TRUE(w.speedBarShown());
    EXPECT_EQ(w.face()->toolTip(), "Hide Speedbar");
    EXPECT_EQ(w.frameGeometry().height(), outer);
    EXPECT_FALSE(w.windowFlags() & Qt::FramelessWindowHint);
}

TEST(MainWindow, SpeedBarOffInTheFileStartsBare)
{
    HomeGuard home;
    home.write("murvelin.ini", "[Display]\nSpeedBar=0\n");
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    EXPECT_FALSE(w.speedBarShown());
    EXPECT_EQ(p.state.settings.record.speedBar, false);
}

TEST(MainWindow, FaceTextFitsTheFace)
{
    HomeGuard home;
    ManualClock clock(At(12, 55, 0));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.show();
    w.resize(90, 200); // narrow and tall: the height alone would make the text far too wide
    QApplication::processEvents();
    const QFont f = w.face()->faceFont();
    EXPECT_LE(QFontMetrics(f).horizontalAdvance(w.face()->caption()), w.faceWidth());
    EXPECT_GE(f.pixelSize(), 1);
}

TEST(MainWindow, TickShowsTheTimeAndOnlyOnceAMinuteSpeaks)
{
    HomeGuard home;
    home.write("Win.ini", "[intl]\nsShortTime=h:mm tt\n");
    ManualClock clock(At(19, 4, 59));
    MainParts p;
    FakeServices &services = p.services;
    TMain w(clock, p.state, services, p.commands, p.reporter);
    w.show();
    w.ClockTickNow();
    EXPECT_EQ(w.face()->caption(), "7:04 PM");
    clock.setNow(At(19, 5, 0));
    w.ClockTickNow();
    clock.setNow(At(19, 5, 1));
    w.ClockTickNow();
    EXPECT_EQ(w.face()->caption(), "7:05 PM");
    EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), "announce 7:5"), 1);
}

TEST(MainWindow, CloseSavesSettingsAlarmsPlacementAndState)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    FakeServices &services = p.services;
    {
        TMain w(clock, p.state, services, p.commands, p.reporter);
        w.show();
        w.move(300, 200);
        w.close();
    }
    EXPECT_EQ(services.saves, 1);
    EXPECT_TRUE(services.shutDown);
    const std::string ini = home.read("murvelin.ini");
    EXPECT_NE(ini.find("PlaceNormPosL=300"), std::string::npos);
    EXPECT_NE(ini.find("Minimized=0"), std::string::npos);
}

TEST(MainWindow, OfferedWindowsEnableTheirButtonAndMenuItemAndOpenFromThem)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    MainParts p;
    p.commands.offered = {MainCommand::Options};
    TMain w(clock, p.state, p.services, p.commands, p.reporter);
    QToolButton *preferences = nullptr, *alarms = nullptr;
    for (QToolButton *b : w.findChildren<QToolButton *>()) {
        if (b->toolTip() == "Preferences")
            preferences = b;
        if (b->toolTip() == "Alarms")
            alarms = b;
    }
    ASSERT_TRUE(preferences && alarms);
    EXPECT_TRUE(preferences->isEnabled());
    EXPECT_FALSE(alarms->isEnabled());
    preferences->click();
    for (QAction *a : w.mainMenu()->actions())
        if (a->text() == "&Options" && a->isEnabled())
            a->trigger();
    EXPECT_EQ(p.commands.ran, (std::vector<MainCommand>{MainCommand::Options, MainCommand::Options}));
}
