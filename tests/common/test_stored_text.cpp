#include "app/common/short_string.h"
#include "app/common/stored_text.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(StoredText, ReadsUtf8AsItIsAndAnythingElseAsWindows1252)
{
    struct Case {
        const char *name;
        std::string stored;
        std::string text;
    };
    const Case cases[] = {
        {"ascii", "Coffee break", "Coffee break"},
        {"ansi e acute", "Caf\xE9 break", "Caf\xC3\xA9 break"},
        {"ansi euro and quotes", "\x80 \x93x\x94", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        {"ansi free byte 0x81", "a\x81", "a\xC2\x81"},
        {"utf8 e acute", "Caf\xC3\xA9", "Caf\xC3\xA9"},
        {"utf8 snowman", "\xE2\x98\x83", "\xE2\x98\x83"},
        {"overlong is not utf8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"cut sequence is not utf8", "ab\xE2\x98", "ab\xC3\xA2\xCB\x9C"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DecodeStoredText(c.stored), c.text) << c.name;
}

TEST(StoredText, WritesWindows1252WhereItFitsAndUtf8Otherwise)
{
    struct Case {
        const char *name;
        std::string text;
        std::size_t max;
        std::string stored;
    };
    const Case cases[] = {
        {"ascii", "Coffee", 100, "Coffee"},
        {"e acute fits", "Caf\xC3\xA9", 100, "Caf\xE9"},
        {"euro fits",
         "\xE2\x82\xAC"
         "5",
         100,
         "\x80"
         "5"},
        {"snowman does not", "Caf\xC3\xA9 \xE2\x98\x83", 100, "Caf\xC3\xA9 \xE2\x98\x83"},
        {"ansi bytes that read as utf8", "\xC3\x83\xC2\xA9", 100, "\xC3\x83\xC2\xA9"},
        {"cut between characters", "ab\xE2\x98\x83", 4, "ab"},
        {"ansi cut by characters", "\xC3\xA9\xC3\xA9\xC3\xA9", 2, "\xE9\xE9"},
        {"invalid input kept", "a\xFF", 100, "a\xFF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EncodeStoredText(c.text, c.max), c.stored) << c.name;
}

TEST(StoredText, EveryWindows1252ByteSurvivesARoundTrip)
{
    for (int b = 1; b < 256; ++b) {
        const std::string stored(1, static_cast<char>(b));
        EXPECT_EQ(EncodeStoredText(DecodeStoredText(stored), 100), stored) << b;
    }
}

TEST(StoredText, AShortStringKeepsItsLengthLimitInStoredBytes)
{
    ShortString<5> s;
    s.setText("\xE2\x98\x83\xE2\x98\x83"); // two snowmen: six bytes of UTF-8, one fits
    EXPECT_EQ(s.len, 3);
    EXPECT_EQ(s.text(), "\xE2\x98\x83");
    s.setText("Caf\xC3\xA9!");
    EXPECT_EQ(s.str(), "Caf\xE9!");
    EXPECT_EQ(s.text(), "Caf\xC3\xA9!");
}
