#include "app/common/date_time.h"
#include "tests/support/tz_guard.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace orvane;

TEST(DateTime, KnownDaysMatchTheStoredEpoch)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2026, 12, 8), 46364.0);
}

TEST(DateTime, DecodeRoundTripsEveryDayOfFourCenturies)
{
    for (int y : {1600, 1899, 1900, 1999, 2000, 2024, 2100, 2400}) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                int yy, mm, dd;
                DecodeDate(EncodeDate(y, m, d), yy, mm, dd);
                ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
            }
        }
    }
}

TEST(DateTime, LeapDaysExistOnlyInLeapYears)
{
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29));
    EXPECT_FALSE(TryEncodeDate(2026, 2, 29));
    EXPECT_FALSE(TryEncodeDate(2026, 4, 31));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0));
}

TEST(DateTime, WeekdaysCountFromSunday)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3);  // a Tuesday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6) + 0.99), 1);
}

TEST(DateTime, TimeOfDayDecodesToTheMillisecond)
{
    int h, n, s, ms;
    DecodeTime(EncodeDate(2026, 1, 1) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::array<int, 4>{h, n, s, ms}), (std::array<int, 4>{23, 59, 59, 999}));
    // A value a hair below midnight rounds into the next day, never to 24:00.
    int y, m, d;
    const TDateTime almost = EncodeDate(2026, 1, 1) + 1.0 - 1e-10;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(h, 0);
}

TEST(DateTime, MinuteNumbersAbsorbFloatError)
{
    const TDateTime a = EncodeDate(2026, 3, 1) + EncodeTime(7, 0);
    TDateTime b = EncodeDate(2026, 3, 1);
    for (int i = 0; i < 420; ++i)
        b += 1.0 / 1440.0; // seven hours of one-minute steps
    EXPECT_EQ(MinuteNumber(a), MinuteNumber(b));
    EXPECT_EQ(MinuteNumber(FromMinuteNumber(MinuteNumber(a))), MinuteNumber(a));
}

TEST(DateTime, LocalConversionKeepsWallClockAcrossDst)
{
    TzGuard tz("Europe/Berlin");
    // Spring forward: 2026-03-29 02:00 does not exist; 01:59 and 03:00 are one minute apart.
    const TDateTime before = EncodeDate(2026, 3, 29) + EncodeTime(1, 59);
    const TDateTime after = EncodeDate(2026, 3, 29) + EncodeTime(3, 0);
    EXPECT_EQ(FromDateTime(after) - FromDateTime(before), std::chrono::minutes(1));
    EXPECT_EQ(MinuteNumber(ToDateTime(FromDateTime(after))), MinuteNumber(after));
    // Fall back: 02:30 happens twice; the earlier instant is chosen.
    const TDateTime repeated = EncodeDate(2026, 10, 25) + EncodeTime(2, 30);
    const TimePoint first = FromDateTime(repeated);
    EXPECT_EQ(MinuteNumber(ToDateTime(first)), MinuteNumber(repeated));
    EXPECT_EQ(MinuteNumber(ToDateTime(first + std::chrono::hours(1))), MinuteNumber(repeated));
}

TEST(DateTime, DamagedValuesAreNotValid)
{
    EXPECT_FALSE(IsValidDateTime(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsValidDateTime(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsValidDateTime(1e300));
    EXPECT_TRUE(IsValidDateTime(46364.5));
}
