// The duration fields of a count-down: wrap and carry, padding, the arrow keys and the spin.
#include "app/media/count_down_fields.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using F = CountDownField;

std::string shown(const CountDownFields &f)
{
    return f.text(F::Hour) + ":" + f.text(F::Min) + ":" + f.text(F::Sec);
}

CountDownFields at(const std::string &h, const std::string &m, const std::string &s)
{
    CountDownFields f;
    f.setText(F::Hour, h);
    f.setText(F::Min, m);
    f.setText(F::Sec, s);
    return f;
}

struct StepCase {
    const char *name;
    const char *h, *m, *s;
    F field;
    int delta;
    const char *expected;
};

class FieldSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(FieldSteps, WrapAndCarryIntoTheLargerFields)
{
    const StepCase &c = GetParam();
    CountDownFields f = at(c.h, c.m, c.s);
    f.enter(c.field);
    EXPECT_EQ(f.step(c.field, c.delta), std::nullopt);
    EXPECT_EQ(shown(f), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldSteps,
    ::testing::Values(StepCase{"SecondsUpIntoMinute", "00", "00", "59", F::Sec, +1, "00:01:00"},
                      StepCase{"SecondsUpIntoHour", "00", "59", "59", F::Sec, +1, "01:00:00"},
                      StepCase{"LastSecondOfDayWrapsToZero", "23", "59", "59", F::Sec, +1, "00:00:00"},
                      StepCase{"ZeroDownBorrowsThroughAll", "00", "00", "00", F::Sec, -1, "23:59:59"},
                      StepCase{"MinutesDownBorrowHour", "05", "00", "30", F::Min, -1, "04:59:30"},
                      StepCase{"MinutesUpCarry", "05", "59", "30", F::Min, +1, "06:00:30"},
                      StepCase{"HoursUpWrapWithoutCarry", "23", "10", "10", F::Hour, +1, "00:10:10"},
                      StepCase{"HoursDownWrap", "00", "10", "10", F::Hour, -1, "23:10:10"},
                      StepCase{"SingleDigitPadded", "00", "00", "4", F::Sec, +1, "00:00:05"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CountDownFields, TypedOutOfRangeMinutesWrapAndRaiseTheHours)
{
    CountDownFields f = at("02", "10", "00");
    f.enter(F::Min);
    EXPECT_EQ(f.setText(F::Min, "7"), std::nullopt);
    EXPECT_EQ(f.text(F::Min), "7"); // the field being typed in keeps one digit
    EXPECT_EQ(f.setText(F::Min, "75"), std::nullopt);
    EXPECT_EQ(shown(f), "03:00:00");
}

TEST(CountDownFields, LeavingPadsAndTheHoursRangeApplies)
{
    CountDownFields f;
    f.enter(F::Min);
    f.setText(F::Min, "6");
    f.leave(F::Min);
    EXPECT_EQ(f.text(F::Min), "06");
    f.enter(F::Hour);
    f.setText(F::Hour, "9");
    f.leave(F::Hour);
    EXPECT_EQ(shown(f), "09:06:00");
}

TEST(CountDownFields, NotAWholeNumberIsReportedAndKept)
{
    CountDownFields f = at("00", "05", "00");
    f.enter(F::Min);
    EXPECT_EQ(f.setText(F::Min, "-"), "'-' is not a valid integer value");
    EXPECT_EQ(f.text(F::Min), "-");
    EXPECT_EQ(f.setText(F::Min, ""), "'' is not a valid integer value");
    EXPECT_EQ(f.durationSeconds(), std::nullopt);
    // A carry into a field that is not a number reports that field's text.
    f.enter(F::Sec);
    EXPECT_EQ(f.setText(F::Sec, "60"), "'' is not a valid integer value");
}

TEST(CountDownFields, SpinActsOnTheFieldThatLastHadTheFocus)
{
    CountDownFields f;
    EXPECT_EQ(f.spin(+1), std::nullopt);
    EXPECT_EQ(shown(f), "00:00:00"); // no field had the focus yet
    f.enter(F::Min);
    f.leave(F::Min);
    f.spin(+1);
    f.spin(+1);
    EXPECT_EQ(shown(f), "00:02:00");
    f.spin(-1);
    f.spin(-1);
    f.spin(-1);
    EXPECT_EQ(shown(f), "23:59:00");
    EXPECT_EQ(f.durationSeconds(), 23 * 3600 + 59 * 60);
}

} // namespace
} // namespace orvane
