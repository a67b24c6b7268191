#include "app/common/convert_error.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(Convert, IntegersInDecimalAndHexadecimal)
{
    EXPECT_EQ(TryStrToInt("30"), 30);
    EXPECT_EQ(TryStrToInt("$1E"), 30);
    EXPECT_EQ(TryStrToInt("0x1E"), 30);
    EXPECT_EQ(TryStrToInt(" -5"), -5);
    EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
    EXPECT_FALSE(TryStrToInt("2147483648"));
    EXPECT_FALSE(TryStrToInt("abc"));
    EXPECT_FALSE(TryStrToInt("5 "));
    EXPECT_FALSE(TryStrToInt(""));
    EXPECT_FALSE(TryStrToInt("$"));
    EXPECT_FALSE(TryStrToInt("99999999999999999999999"));
}

TEST(Convert, ErrorsCarryTheProgramsWording)
{
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    try {
        StrToFloat("1.2.3");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'1.2.3' is not a valid floating point value");
    }
    EXPECT_DOUBLE_EQ(StrToFloat(" 12.5"), 12.5);
    EXPECT_FALSE(TryStrToFloat("nan"));
    EXPECT_FALSE(TryStrToFloat("1e999"));
}
