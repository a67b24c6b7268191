#include "app/clock/ui/face_panel.h"
#include "app/clock/ui/main_window.h"
#include "fake_services.h"
#include "home_guard.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace orvane;

namespace {

TimePoint At(int h, int m, int s)
{
    return FromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(h, m, s));
}

} // namespace

TEST(MainWindow, StartsWithTheDescribedLayout)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    FakeServices services;
    TMain w(clock, services);
    EXPECT_EQ(w.windowTitle(), "Orvane");
    EXPECT_EQ(w.width(), 212);
    EXPECT_EQ(w.height(), 131);
    EXPECT_EQ(w.pos(), QPoint(269, 145));
    EXPECT_EQ(w.face()->toolTip(), "Hide Speedbar");
    EXPECT_EQ(services.loads, 1);
    EXPECT_TRUE(services.hotKeyBound);
    EXPECT_EQ(w.settings().effectiveInterval, 5);
    EXPECT_EQ(w.face()->backgroundColor(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(w.face()->textColor(), QColor(0, 0, 0x80)); // 0x800000 is navy
}

TEST(MainWindow, NoHotKeyBoundWhenSwitchedOff)
{
    HomeGuard home;
    home.write("murvelin.ini", "[Voice]\nUseHotKey=0\n");
    ManualClock clock(At(7, 5, 0));
    FakeServices services;
    TMain w(clock, services);
    EXPECT_FALSE(services.hotKeyBound);
}

TEST(MainWindow, HotKeyPressSpeaksAtOnceWithoutAlarmWork)
{
    HomeGuard home;
    ManualClock clock(At(7, 3, 0));
    FakeServices services;
    TMain w(clock, services);
    w.ClockTickNow();
    services.calls.clear();
    clock.setNow(At(7, 3, 20));
    ASSERT_TRUE(services.hotKeyPress);
    services.hotKeyPress();
    EXPECT_EQ(services.calls, std::vector<std::string>{"announce 7:3!"});
}

TEST(MainWindow, FaceClickTogglesSpeedBarKeepingTheHeight)
{
    HomeGuard home;
    ManualClock clock(At(7, 5, 0));
    FakeServices services;
    TMain w(clock, services);
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
    FakeServices services;
    TMain w(clock, services);
    EXPECT_FALSE(w.speedBarShown());
    EXPECT_EQ(w.settings().record.speedBar, false);
}

TEST(MainWindow, FaceTextFitsTheFace)
{
    HomeGuard home;
    ManualClock clock(At(12, 55, 0));
    FakeServices services;
    TMain w(clock, services);
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
    FakeServices services;
    TMain w(clock, services);
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
    FakeServices services;
    {
        TMain w(clock, services);
        w.show();
        w.move(300, 200);
        w.close();
    }
    EXPECT_EQ(services.saves, 1);
    EXPECT_FALSE(services.hotKeyBound);
    const std::string ini = home.read("murvelin.ini");
    EXPECT_NE(ini.find("PlaceNormPosL=300"), std::string::npos);
    EXPECT_NE(ini.find("Minimized=0"), std::string::npos);
    EXPECT_NE(ini.find("SpeedBar=1"), std::string::npos);
}
