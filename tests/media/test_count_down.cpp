// The count-down's run: the ticks before the end, the end, the flashing and the alarm cycle,
// pausing, midnight, and a field that is not a number while it runs.
#include "app/common/date_time.h"
#include "app/media/count_down.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace std::chrono;

class CountDownTest : public ::testing::Test {
protected:
    // A start in the middle of a second, as a real click is.
    ManualClock clock{FromDateTime(EncodeDate(2026, 3, 9) + EncodeTime(14, 30, 0)) + milliseconds(400)};
    CountDown countDown{clock};

    CountDown::Tick tickAfter(seconds s, std::optional<int> duration)
    {
        clock.advance(s);
        return countDown.Timer1Timer(duration);
    }
};

TEST_F(CountDownTest, KthTickShowsDurationLessKAndEndsOnTheDurationTick)
{
    countDown.start();
    for (int k = 1; k <= 4; ++k) {
        const CountDown::Tick t = tickAfter(1s, 5);
        EXPECT_EQ(t.text, "00:00:0" + std::to_string(5 - k)) << "tick " << k;
        EXPECT_FALSE(t.justEnded);
        EXPECT_FALSE(t.playWave);
    }
    const CountDown::Tick end = tickAfter(1s, 5);
    EXPECT_TRUE(end.justEnded);
    EXPECT_EQ(end.text, "00:00:00");
    EXPECT_TRUE(end.playWave);
    EXPECT_TRUE(countDown.ended());
}

TEST_F(CountDownTest, ZeroDurationEndsOnTheFirstTick)
{
    countDown.start();
    EXPECT_TRUE(tickAfter(1s, 0).justEnded);
}

TEST_F(CountDownTest, AfterTheEndFlashesAndSoundsOnFiveTicksOfEverySixty)
{
    countDown.start();
    tickAfter(1s, 1); // no; a duration of one second ends on the first tick
    std::vector<int> soundTicks;
    std::vector<std::string> texts;
    // Tick 1 after the end was the one above; count on from tick 2.
    soundTicks.push_back(1);
    for (int k = 2; k <= 130; ++k) {
        const CountDown::Tick t = tickAfter(1s, 1);
        EXPECT_FALSE(t.justEnded);
        EXPECT_EQ(t.playWave, t.bringToFront);
        if (t.playWave)
            soundTicks.push_back(k);
        if (k <= 4)
            texts.push_back(t.text);
    }
    EXPECT_EQ(soundTicks, (std::vector<int>{1, 2, 3, 4, 5, 61, 62, 63, 64, 65, 121, 122, 123, 124, 125}));
    EXPECT_EQ(texts, (std::vector<std::string>{"", "00:00:00", ""}));
}

TEST_F(CountDownTest, PausingAMinuteEndsTheRunAMinuteLater)
{
    countDown.start();
    tickAfter(10s, 120);
    countDown.pause();
    clock.advance(60s);
    countDown.start();
    EXPECT_EQ(tickAfter(1s, 120).text, "00:01:49");
    EXPECT_FALSE(tickAfter(108s, 120).justEnded);
    EXPECT_TRUE(tickAfter(1s, 120).justEnded);
}

TEST_F(CountDownTest, RunAcrossMidnightCountsOn)
{
    clock.setNow(FromDateTime(EncodeDate(2026, 3, 9) + EncodeTime(23, 59, 50)) + milliseconds(300));
    countDown.start();
    EXPECT_EQ(tickAfter(20s, 3600).text, "00:59:40");
}

TEST_F(CountDownTest, FieldThatIsNotANumberKeepsTheLastValidReading)
{
    countDown.start();
    EXPECT_EQ(tickAfter(1s, 10).text, "00:00:09");
    EXPECT_EQ(tickAfter(1s, std::nullopt).text, "00:00:08");
    EXPECT_EQ(tickAfter(1s, std::nullopt).text, "00:00:07");
    // A change while it runs takes effect at once.
    EXPECT_EQ(tickAfter(1s, 60).text, "00:00:56");
}

TEST(CountDownWindows, TwoRunIndependently)
{
    ManualClock clock{FromDateTime(EncodeDate(2026, 3, 9) + EncodeTime(8, 0, 0)) + milliseconds(500)};
    CountDown a{clock}, b{clock};
    a.start();
    clock.advance(3s);
    b.start();
    clock.advance(2s);
    EXPECT_TRUE(a.Timer1Timer(5).justEnded);
    EXPECT_EQ(b.Timer1Timer(5).text, "00:00:03");
}

} // namespace
} // namespace orvane
