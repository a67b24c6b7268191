#include "app/common/system_formats.h"

#include "app/common/date_format.h"
#include "app/common/ini_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>

using namespace orvane;

TEST(SystemFormats, StrftimePatternsConvert)
{
    EXPECT_EQ(FormatFromStrftime("%m/%d/%y"), "mm/dd/yy");
    EXPECT_EQ(FormatFromStrftime("%I:%M:%S %p"), "hh:nn:ss AMPM");
    EXPECT_EQ(FormatFromStrftime("%H:%M:%S"), "hh:nn:ss");
    EXPECT_EQ(FormatFromStrftime("%d.%m.%Y"), "dd.mm.yyyy");
    EXPECT_EQ(FormatFromStrftime("%Hh%M"), "hh\"h\"nn");
}

TEST(SystemFormats, WindowsPicturesConvert)
{
    EXPECT_EQ(FormatFromWindowsPicture("h:mm tt", true), "h:nn AMPM");
    EXPECT_EQ(FormatFromWindowsPicture("HH:mm:ss", true), "hh:nn:ss");
    EXPECT_EQ(FormatFromWindowsPicture("M/d/yyyy", false), "m/d/yyyy");
    EXPECT_EQ(FormatFromWindowsPicture("dddd, MMMM dd, yyyy", false), "dddd, mmmm dd, yyyy");
}

TEST(SystemFormats, SecondsAreDroppedForTheShortTime)
{
    EXPECT_EQ(WithoutSeconds("hh:nn:ss AMPM"), "hh:nn AMPM");
    EXPECT_EQ(WithoutSeconds("hh:nn:ss"), "hh:nn");
}

TEST(SystemFormats, CLocaleIsTwentyFourHour)
{
    std::setlocale(LC_TIME, "C");
    const FormatSettings fs = SystemFormatSettings(nullptr);
    EXPECT_FALSE(Is12HourFormat(fs));
    EXPECT_EQ(FormatDateTime("t", EncodeTime(23, 15), fs), "23:15");
}

TEST(SystemFormats, WinIniIntlKeysWin)
{
    std::setlocale(LC_TIME, "C");
    const auto path = std::filesystem::temp_directory_path() / ("win-" + std::to_string(::getpid()) + ".ini");
    std::ofstream(path) << "[intl]\nsShortTime=h:mm tt\nsShortDate=M/d/yy\ns1159=AM\ns2359=PM\nsDate=/\n";
    TIniFile ini(path.string());
    const FormatSettings fs = SystemFormatSettings(&ini);
    EXPECT_TRUE(Is12HourFormat(fs));
    EXPECT_EQ(FormatDateTime("t", EncodeTime(19, 5), fs), "7:05 PM");
    EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2026, 12, 8), fs), "12/8/26");
    std::filesystem::remove(path);
}

TEST(SystemFormats, ITimeAloneChoosesTheClock)
{
    const auto path =
        std::filesystem::temp_directory_path() / ("win2-" + std::to_string(::getpid()) + ".ini");
    std::ofstream(path) << "[intl]\niTime=1\n";
    TIniFile ini(path.string());
    EXPECT_FALSE(Is12HourFormat(SystemFormatSettings(&ini)));
    std::ofstream(path) << "[intl]\niTime=0\n";
    EXPECT_TRUE(Is12HourFormat(SystemFormatSettings(&ini)));
    std::filesystem::remove(path);
}
