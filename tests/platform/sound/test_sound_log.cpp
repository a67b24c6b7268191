#include "app/platform/sound/sound_log.h"

#include "sound_fixture.h"
#include "tests/support/tz_guard.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace orvane;

namespace {

TimePoint localTime(int y, int mo, int d, int h, int mi, int s)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

} // namespace

TEST(SoundLog, LineHoldsLocalTimeKindNameModeAndOutcomeSeparatedByTabs)
{
    TzGuard tz("Europe/Berlin");
    const TimePoint t = localTime(2026, 12, 8, 7, 0, 0);
    EXPECT_EQ(
        SoundLog::formatLine(t, SoundKind::Snippet, "WAVEFILE_7", SoundMode::Sync, SoundOutcome::Played),
        "2026-12-08T07:00:00\tsnippet\tWAVEFILE_7\tsync\tplayed");
    EXPECT_EQ(SoundLog::formatLine(t, SoundKind::File, "/x/bell.wav", SoundMode::AsyncNoStop,
                                   SoundOutcome::Skipped),
              "2026-12-08T07:00:00\tfile\t/x/bell.wav\tasync-nostop\tskipped");
    EXPECT_EQ(SoundLog::formatLine(t, SoundKind::Beep, "0", SoundMode::Async, SoundOutcome::Default),
              "2026-12-08T07:00:00\tbeep\t0\tasync\tdefault");
    EXPECT_EQ(SoundLog::formatLine(t, SoundKind::Default, "", SoundMode::Sync, SoundOutcome::Default),
              "2026-12-08T07:00:00\tdefault\t\tsync\tdefault");
}

TEST(SoundLog, TimeFollowsTheLocalZoneAcrossDaylightSaving)
{
    TzGuard tz("Europe/Berlin");
    // 2026-03-29 01:30 UTC is 03:30 summer time in Berlin; an hour earlier is 01:30 winter time.
    const TimePoint utc = std::chrono::sys_days{std::chrono::year{2026} / 3 / 29} + std::chrono::minutes(90);
    EXPECT_EQ(SoundLog::localIsoTime(utc), "2026-03-29T03:30:00");
    EXPECT_EQ(SoundLog::localIsoTime(utc - std::chrono::hours(1)), "2026-03-29T01:30:00");
}

TEST(SoundLog, NamesWithTabsOrLineBreaksCannotBreakTheColumns)
{
    const std::string line =
        SoundLog::formatLine({}, SoundKind::File, "a\tb\nc\rd.wav", SoundMode::Sync, SoundOutcome::Default);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find("\ta b c d.wav\t"), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4);
}

TEST(SoundLog, AppendsOneLinePerRequestToWhatIsThere)
{
    SoundScratch dir;
    const std::string path = dir.writeText("sound.log", "earlier line\n");
    ManualClock clock(localTime(2026, 12, 8, 7, 0, 0));
    SoundLog log(clock, path);
    log.write(SoundKind::Snippet, "WAVEFILE_7", SoundMode::Sync, SoundOutcome::Played);
    clock.advance(std::chrono::seconds(61));
    log.write(SoundKind::Snippet, "WAVEFILE_OCLOCK", SoundMode::Sync, SoundOutcome::Played);

    const auto lines = SoundScratch::lines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "earlier line");
    EXPECT_EQ(lines[1], "2026-12-08T07:00:00\tsnippet\tWAVEFILE_7\tsync\tplayed");
    EXPECT_EQ(lines[2], "2026-12-08T07:01:01\tsnippet\tWAVEFILE_OCLOCK\tsync\tplayed");
}

TEST(SoundLog, EnvironmentNamesTheLog)
{
    ManualClock clock;
    {
        EnvGuard env("ORVANE_SOUND_LOG", "/tmp/some.log");
        EXPECT_EQ(SoundLog::fromEnvironment(clock).path(), "/tmp/some.log");
    }
    EnvGuard env("ORVANE_SOUND_LOG", nullptr);
    EXPECT_FALSE(SoundLog::fromEnvironment(clock).enabled());
}

TEST(SoundLog, AnUnwritableLogIsReportedOnceAndDoesNotStopTheCaller)
{
    SoundScratch dir;
    ManualClock clock;
    SoundLog log(clock, dir.file("no-such-folder/sound.log"));
    testing::internal::CaptureStderr();
    log.write(SoundKind::Beep, "0", SoundMode::Async, SoundOutcome::Played);
    log.write(SoundKind::Beep, "0", SoundMode::Async, SoundOutcome::Played);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot write the sound log"), std::string::npos);
    EXPECT_EQ(err.find("cannot write the sound log"), err.rfind("cannot write the sound log"));
}
