// The count-up: elapsed time with pauses and across midnight, the amount at an hourly rate and
// its text.
#include "app/common/date_time.h"
#include "app/media/count_up.h"
#include "app/media/money_amount.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane {
namespace {

using namespace std::chrono;

struct MoneyCase {
    double rate;
    int h, m, s;
    const char *expected;
};

// The rate, the time and the expected text stand for the case in the test output.
void PrintTo(const MoneyCase &c, std::ostream *os)
{
    *os << c.rate << " an hour for " << c.h << ":" << c.m << ":" << c.s << " is " << c.expected;
}

class MoneyFigures : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyFigures, UseTheTimersDecimalFactorsAndRoundToCents)
{
    const MoneyCase &c = GetParam();
    EXPECT_EQ(FormatMoney(MoneyAmount(c.rate, c.h * 3600 + c.m * 60 + c.s)), c.expected)
        << c.rate << " for " << c.h << ":" << c.m << ":" << c.s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoneyFigures,
    ::testing::Values(MoneyCase{60, 0, 30, 0, "$30.00"}, // 60 x 30 x 0.016667 = 30.0006
                      MoneyCase{60, 0, 0, 1, "$0.02"},   // 60 x 0.0002777 = 0.016662
                      MoneyCase{0, 5, 0, 0, "$0.00"}, MoneyCase{12.5, 1, 0, 0, "$12.50"},
                      MoneyCase{100, 2, 59, 59, "$299.97"}, // 100 x (2 + 0.983353 + 0.0163843), not $300.00
                      MoneyCase{12345, 23, 0, 0, "$283935.00"}, // no thousands separator
                      MoneyCase{1, 0, 0, 18, "$0.00"},          // 0.0049986
                      MoneyCase{1, 0, 0, 19, "$0.01"}));        // 0.0052763

TEST(FormatMoney, RoundsHalfAwayFromZeroOnDecimalDigits)
{
    EXPECT_EQ(FormatMoney(0.125), "$0.13");
    EXPECT_EQ(FormatMoney(2.675), "$2.68"); // binary 2.67499999...
    EXPECT_EQ(FormatMoney(9.995), "$10.00");
    EXPECT_EQ(FormatMoney(0.004), "$0.00");
    EXPECT_EQ(FormatMoney(0.005), "$0.01");
    EXPECT_EQ(FormatMoney(-5), "-$5.00");
}

class CountUpTest : public ::testing::Test {
protected:
    ManualClock clock{FromDateTime(EncodeDate(2026, 5, 1) + EncodeTime(9, 0, 0)) + milliseconds(700)};
    CountUp countUp{clock};
};

TEST_F(CountUpTest, CountsWholeSecondsFromTheStart)
{
    countUp.start();
    clock.advance(1s);
    EXPECT_EQ(countUp.Timer1Timer(), 1);
    clock.advance(3599s);
    EXPECT_EQ(countUp.Timer1Timer(), 3600);
    EXPECT_EQ(countUp.FiguredTime(), 3600);
}

TEST_F(CountUpTest, PauseOfFiveMinutesIsLeftOut)
{
    countUp.start();
    clock.advance(10min);
    countUp.pause();
    EXPECT_EQ(countUp.Timer1Timer(), 600);
    clock.advance(5min);
    countUp.start();
    clock.advance(10min);
    EXPECT_EQ(countUp.Timer1Timer(), 20 * 60); // 25 minutes on the wall, 5 of them paused
}

TEST_F(CountUpTest, AcrossMidnightShowsTheTimeSinceTheStart)
{
    clock.setNow(FromDateTime(EncodeDate(2026, 12, 31) + EncodeTime(23, 59, 50)));
    countUp.start();
    clock.advance(20s);
    EXPECT_EQ(countUp.Timer1Timer(), 20);
}

} // namespace
} // namespace orvane
