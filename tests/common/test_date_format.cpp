#include "app/common/date_format.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

FormatSettings Us()
{
    FormatSettings fs;
    fs.shortDateFormat = "m/d/yy";
    fs.longDateFormat = "dddd, mmmm d, yyyy";
    fs.shortTimeFormat = "h:nn AMPM";
    fs.longTimeFormat = "h:nn:ss AMPM";
    return fs;
}

FormatSettings German()
{
    FormatSettings fs;
    fs.shortDateFormat = "dd.mm.yyyy";
    fs.dateSeparator = '.';
    fs.shortTimeFormat = "hh:nn";
    fs.longTimeFormat = "hh:nn:ss";
    fs.timeAMString.clear();
    fs.timePMString.clear();
    return fs;
}

} // namespace

TEST(DateFormat, TokensRenderAsTheProgramExpects)
{
    const TDateTime dt = EncodeDate(2026, 12, 8) + EncodeTime(19, 5, 9);
    const FormatSettings fs = Us();
    struct Case {
        const char *format;
        const char *expected;
    } cases[] = {
        {"t", "7:05 PM"},         {"tt", "7:05:09 PM"},
        {"ddddd", "12/8/26"},     {"dddddd", "Tuesday, December 8, 2026"},
        {"mm/dd/yy", "12/08/26"}, {"mmmm d, yyyy", "December 8, 2026"},
        {"dddd", "Tuesday"},      {"ddd mmm", "Tue Dec"},
        {"h:mm", "19:05"},        {"hh:nn am/pm", "07:05 pm"},
        {"h a/p", "7 p"},         {"'at' h", "at 19"},
        {"\"m\"m", "m12"},        {"c", "12/8/26 7:05:09 PM"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDateTime(c.format, dt, fs), c.expected) << c.format;
    EXPECT_EQ(FormatDateTime("hh:nn:ss", dt, fs), "19:05:09");
}

TEST(DateFormat, MidnightAndNoonInTwelveHourForm)
{
    const FormatSettings fs = Us();
    EXPECT_EQ(FormatDateTime("t", EncodeDate(2026, 1, 1) + EncodeTime(0, 30), fs), "12:30 AM");
    EXPECT_EQ(FormatDateTime("t", EncodeDate(2026, 1, 1) + EncodeTime(12, 0), fs), "12:00 PM");
    EXPECT_EQ(FormatDateTime("t", EncodeDate(2026, 1, 1) + EncodeTime(0, 30), German()), "00:30");
}

TEST(DateFormat, SeparatorsComeFromTheSettings)
{
    EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2026, 2, 1), German()), "01.02.2026");
}

TEST(DateFormat, DatesReadBackInTheShortFormatsOrder)
{
    EXPECT_EQ(TryStrToDate("12/8/26", Us(), 2026), EncodeDate(2026, 12, 8));
    EXPECT_EQ(TryStrToDate("12/8", Us(), 2026), EncodeDate(2026, 12, 8));
    EXPECT_EQ(TryStrToDate("08.12.2026", German(), 2026), EncodeDate(2026, 12, 8));
    EXPECT_EQ(TryStrToDate("2/29/24", Us(), 2026), EncodeDate(2024, 2, 29));
    EXPECT_FALSE(TryStrToDate("2/29/26", Us(), 2026));
    EXPECT_FALSE(TryStrToDate("13/1/26", Us(), 2026));
    EXPECT_FALSE(TryStrToDate("12/8/26x", Us(), 2026));
    EXPECT_FALSE(TryStrToDate("", Us(), 2026));
}

TEST(DateFormat, TimesReadBackWithOrWithoutDesignators)
{
    EXPECT_EQ(TryStrToTime("7:05 PM", Us()), EncodeTime(19, 5));
    EXPECT_EQ(TryStrToTime("12:30 AM", Us()), EncodeTime(0, 30));
    EXPECT_EQ(TryStrToTime("23:15", German()), EncodeTime(23, 15));
    EXPECT_EQ(TryStrToTime("7", Us()), EncodeTime(7, 0));
    EXPECT_FALSE(TryStrToTime("13:00 PM", Us()));
    EXPECT_FALSE(TryStrToTime("24:00", German()));
    EXPECT_FALSE(TryStrToTime("7:", Us()));
}

TEST(DateFormat, DateTimeTextsRoundTrip)
{
    const FormatSettings fs = Us();
    const TDateTime dt = EncodeDate(2026, 12, 8) + EncodeTime(7, 3);
    const std::string text = FormatDateTime("ddddd t", dt, fs);
    EXPECT_EQ(TryStrToDateTime(text, fs, 2026), dt);
    EXPECT_FALSE(TryStrToDateTime("12/8/26 garbage", fs, 2026));
}

// A date before the epoch carries its time of day forward from midnight like any other date, so
// formatting and reading back must agree on both sides of 30 December 1899.
TEST(DateFormat, DatesBeforeTheEpochKeepTheirTimeOfDay)
{
    const FormatSettings fs;
    struct Case {
        const char *text;
        int year, month, day, hour, minute;
    };
    const Case cases[] = {
        {"2/18/1800 6:39 AM", 1800, 2, 18, 6, 39},
        {"12/29/1899 11:59 PM", 1899, 12, 29, 23, 59},
        {"12/30/1899 6:00 AM", 1899, 12, 30, 6, 0},
        {"1/1/1900 12:00 PM", 1900, 1, 1, 12, 0},
    };
    for (const auto &c : cases) {
        const auto dt = TryStrToDateTime(c.text, fs, 2026);
        ASSERT_TRUE(dt) << c.text;
        int y, mo, d, h, mi, s, ms;
        DecodeDate(*dt, y, mo, d);
        DecodeTime(*dt, h, mi, s, ms);
        EXPECT_EQ(std::tie(y, mo, d, h, mi), std::tie(c.year, c.month, c.day, c.hour, c.minute)) << c.text;
        EXPECT_EQ(FormatDateTime("m/d/yyyy h:nn AMPM", *dt, fs), c.text);
    }
}

TEST(DateFormat, MmAfterAnHourMeansMinutesAcrossSeparatorsAndBlanks)
{
    const FormatSettings fs;
    const TDateTime dt = EncodeDate(2026, 3, 4) + EncodeTime(7, 5);
    EXPECT_EQ(FormatDateTime("h:mm", dt, fs), "7:05");
    EXPECT_EQ(FormatDateTime("hh mm", dt, fs), "07 05");
    EXPECT_EQ(FormatDateTime("mm/dd", dt, fs), "03/04");
}
