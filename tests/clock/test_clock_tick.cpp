#include "app/clock/clock_tick.h"
#include "tests/support/tz_guard.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace {

class RecordingHost : public TickDisplay, public TickServices {
public:
    bool hidden = false;
    std::vector<std::string> calls;

    bool isHiddenInTray() const override { return hidden; }
    void hideToTray() override
    {
        hidden = true;
        calls.push_back("hide");
    }
    void decorateTitle(const std::string &s) override { calls.push_back("decorate" + s); }
    void redecorateTitle(const std::string &s) override { calls.push_back("redecorate" + s); }
    void setFaceCaption(const std::string &t) override { calls.push_back("face " + t); }
    void setTrayToolTip(const std::string &t) override { calls.push_back("tip " + t); }
    void fitFaceText() override { calls.push_back("fit"); }
    void announce(int h, int m, bool requested) override
    {
        calls.push_back("announce " + std::to_string(h) + ":" + std::to_string(m) +
                        (requested ? " requested" : ""));
    }
    void initAlarms() override { calls.push_back("init"); }
    void runAlarmPass(TDateTime minute) override
    {
        passMinutes.push_back(MinuteNumber(minute));
        calls.push_back("pass");
    }
    std::vector<int64_t> passMinutes;
};

FormatSettings TwelveHour()
{
    FormatSettings fs;
    fs.shortTimeFormat = "h:nn AMPM";
    fs.longDateFormat = "dddd, mmmm d, yyyy";
    fs.shortDateFormat = "m/d/yy";
    return fs;
}

FormatSettings TwentyFourHour()
{
    FormatSettings fs;
    fs.shortTimeFormat = "hh:nn";
    fs.shortDateFormat = "dd.mm.yyyy";
    fs.dateSeparator = '.';
    return fs;
}

class ClockTickTest : public ::testing::Test {
protected:
    TzGuard tz{"UTC"};
    ManualClock clock;
    RecordingHost host;
    TSettingsRecord settings;
    TickFlags flags;

    void at(int y, int mo, int d, int h, int mi, int s)
    {
        clock.setNow(FromDateTime(EncodeDate(y, mo, d) + EncodeTime(h, mi, s)));
    }
};

} // namespace

TEST_F(ClockTickTest, FirstTickIsAMinuteTickInItsOrder)
{
    const FormatSettings fs = TwelveHour();
    TClockTick tick(clock, fs, host, host);
    flags.alarmsInitPending = true;
    at(2026, 12, 8, 19, 5, 30);
    tick.Timer1Timer(flags, settings);
    const std::vector<std::string> expected = {
        "decorate - 7:05 PM",
        "face 7:05 PM",
        "tip Orvane 32 - Tuesday, December 8, 2026,  7:05 PM",
        "redecorate - 7:05 PM",
        "fit",
        "announce 7:5",
        "init",
        "pass",
    };
    EXPECT_EQ(host.calls, expected);
    EXPECT_FALSE(flags.alarmsInitPending);
    EXPECT_EQ(host.passMinutes[0], MinuteNumber(EncodeDate(2026, 12, 8) + EncodeTime(19, 5)));
}

TEST_F(ClockTickTest, LaterSecondsOnlyDecorate)
{
    const FormatSettings fs = TwelveHour();
    TClockTick tick(clock, fs, host, host);
    at(2026, 12, 8, 19, 5, 30);
    tick.Timer1Timer(flags, settings);
    host.calls.clear();
    at(2026, 12, 8, 19, 5, 31);
    tick.Timer1Timer(flags, settings);
    EXPECT_EQ(host.calls, std::vector<std::string>{"decorate - 7:05 PM"});
    settings.titleClock = false;
    host.calls.clear();
    tick.Timer1Timer(flags, settings);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(ClockTickTest, AnnounceRequestBetweenMinutesSkipsAlarmWork)
{
    const FormatSettings fs = TwelveHour();
    TClockTick tick(clock, fs, host, host);
    at(2026, 12, 8, 7, 3, 0);
    tick.Timer1Timer(flags, settings);
    host.calls.clear();
    flags.announceRequest = true;
    at(2026, 12, 8, 7, 3, 20);
    tick.Timer1Timer(flags, settings);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"decorate - 7:03 AM", "fit", "announce 7:3 requested"}));
    EXPECT_FALSE(flags.announceRequest);
}

TEST_F(ClockTickTest, AnnounceRequestOnANewMinuteStillRunsThePass)
{
    const FormatSettings fs = TwelveHour();
    TClockTick tick(clock, fs, host, host);
    at(2026, 12, 8, 7, 3, 0);
    tick.Timer1Timer(flags, settings);
    host.passMinutes.clear();
    flags.announceRequest = true;
    at(2026, 12, 8, 7, 4, 0);
    tick.Timer1Timer(flags, settings);
    ASSERT_EQ(host.passMinutes.size(), 1u);
    EXPECT_EQ(host.passMinutes[0], MinuteNumber(EncodeDate(2026, 12, 8) + EncodeTime(7, 4)));
}

TEST_F(ClockTickTest, HourIsSpokenInTheSystemsClock)
{
    const FormatSettings twelve = TwelveHour();
    const FormatSettings twentyFour = TwentyFourHour();
    TClockTick a(clock, twelve, host, host);
    at(2026, 12, 8, 0, 30, 0);
    a.ClockText();
    EXPECT_EQ(a.fields().hour, 12);
    at(2026, 12, 8, 23, 15, 0);
    a.ClockText();
    EXPECT_EQ(a.fields().hour, 11);
    TClockTick b(clock, twentyFour, host, host);
    at(2026, 12, 8, 0, 30, 0);
    EXPECT_EQ(b.ClockText(), "00:30");
    EXPECT_EQ(b.fields().hour, 0);
    EXPECT_EQ(MinuteNumber(b.fields().displayMinute),
              MinuteNumber(EncodeDate(2026, 12, 8) + EncodeTime(0, 30)));
}

TEST_F(ClockTickTest, StartHiddenHidesOnceAtTheFirstTick)
{
    const FormatSettings fs = TwelveHour();
    TClockTick tick(clock, fs, host, host);
    flags.startHidden = true;
    at(2026, 12, 8, 7, 0, 0);
    tick.Timer1Timer(flags, settings);
    EXPECT_EQ(host.calls.front(), "hide");
    EXPECT_FALSE(flags.startHidden);
}
