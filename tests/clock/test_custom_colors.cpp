#include "app/clock/custom_colors.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

CustomColorArray Sequence()
{
    CustomColorArray c;
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = static_cast<uint32_t>(0x010203 * (i + 1));
    return c;
}

} // namespace

TEST(CustomColors, NamesRunFromColorAToColorP)
{
    EXPECT_EQ(TCustomColors::Name(0), "ColorA");
    EXPECT_EQ(TCustomColors::Name(15), "ColorP");
}

TEST(CustomColors, ReadsHexValuesAndLeavesTheRestUnset)
{
    const auto c = TCustomColors::Parse("ColorA=FF0000\r\n"
                                        "colorb=00ff80\r\n" // names match without regard to case
                                        "ColorC=\r\n"       // empty
                                        "ColorD=GGGGGG\r\n" // not hexadecimal
                                        "ColorE=123456789\r\n"
                                        "garbage line\r\n"
                                        "ColorF=0000FF\r\n")
                       .Colors();
    EXPECT_EQ(c[0], 0xFF0000u);
    EXPECT_EQ(c[1], 0x00FF80u);
    EXPECT_EQ(c[2], kUnsetColor);
    EXPECT_EQ(c[3], kUnsetColor);
    EXPECT_EQ(c[4], kUnsetColor);
    EXPECT_EQ(c[5], 0x0000FFu);
    EXPECT_EQ(c[6], kUnsetColor); // missing
}

TEST(CustomColors, SaveReplacesValuesKeepsForeignLinesAndAppendsMissingNames)
{
    auto list = TCustomColors::Parse("[colours]\r\nColorB=zz\r\nnote=keep me\r\nColorA=000000\r\n");
    list.SetColors(Sequence());
    const auto &lines = list.Lines();
    ASSERT_EQ(lines.size(), 4u + 14u);
    EXPECT_EQ(lines[0], "[colours]");
    EXPECT_EQ(lines[1], "ColorB=020406");
    EXPECT_EQ(lines[2], "note=keep me");
    EXPECT_EQ(lines[3], "ColorA=010203");
    EXPECT_EQ(lines[4], "ColorC=030609");
    EXPECT_EQ(lines.back(), "ColorP=102030");
    EXPECT_EQ(list.Text().substr(0, 11), "[colours]\r\n");
}

TEST(CustomColors, RoundTripThroughTheFile)
{
    TempDir dir;
    const std::string path = dir.file("CstmCol.Str");
    TempDir::write(path, "x=1\nColorP=ABCDEF\n");
    auto loaded = TCustomColors::Load(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Colors()[15], 0xABCDEFu);
    loaded->SetColors(Sequence());
    ASSERT_TRUE(loaded->Save(path));
    const std::string text = TempDir::read(path);
    // A file kept with LF line ends stays that way; the foreign line stays first.
    EXPECT_EQ(text.substr(0, 4), "x=1\n");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(TCustomColors::Load(path)->Colors(), Sequence());
}

TEST(CustomColors, MissingFileLoadsNothing)
{
    TempDir dir;
    EXPECT_FALSE(TCustomColors::Load(dir.file("CstmCol.Str")));
}

TEST(CustomColors, ANewListIsWrittenWithCrLf)
{
    TCustomColors list;
    list.SetColors(Sequence());
    EXPECT_EQ(list.Text().substr(0, 15), "ColorA=010203\r\n");
}
