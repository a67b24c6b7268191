#include "app/clock/face_sizing.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(FaceSizing, FrameTruncatesOrRoundsToEven)
{
    // 100 * 2 / 66 = 3.03; 99 * 1 / 66 = 1.5 (ties to even: 2); 33 * 1 / 66 = 0.5 (to 0).
    EXPECT_EQ(ScaleFaceFrame(100, 2, 0, Rounding::Truncate).bevelWidth, 3);
    EXPECT_EQ(ScaleFaceFrame(99, 1, 0, Rounding::Truncate).bevelWidth, 1);
    EXPECT_EQ(ScaleFaceFrame(99, 1, 0, Rounding::NearestEven).bevelWidth, 2);
    EXPECT_EQ(ScaleFaceFrame(33, 1, 0, Rounding::NearestEven).bevelWidth, 0);
    EXPECT_EQ(ScaleFaceFrame(165, 0, 1, Rounding::NearestEven).borderWidth, 2); // 2.5 -> 2
}

TEST(FaceSizing, AbsurdSettingsCannotEatTheFace)
{
    const FaceFrame f = ScaleFaceFrame(100, 100000, -5, Rounding::Truncate);
    EXPECT_EQ(f.bevelWidth, 100);
    EXPECT_EQ(f.borderWidth, 0);
}

TEST(FaceSizing, BothBevelsCountFourTimes)
{
    const FaceFrame f{3, 2};
    EXPECT_EQ(GetTotalDims(212, 100, f, true).faceWidth, 212 - 12 - 4);
    EXPECT_EQ(GetTotalDims(212, 100, f, false).faceHeight, 100 - 6 - 4);
}

TEST(FaceSizing, FontShrinksInStepsOfFiveUntilItFits)
{
    std::vector<int> tried;
    const auto measure = [&](const std::string &text, int height) {
        tried.push_back(height);
        return static_cast<int>(text.size()) * height / 2;
    };
    // "12:00 PM" is 8 characters: width 4 * height; fits 100 at height 25.
    EXPECT_EQ(FitFontHeight("12:00 PM", 40, 100, measure), 25);
    EXPECT_EQ(tried, (std::vector<int>{40, 35, 30, 25}));
}

TEST(FaceSizing, TextThatNeverFitsStopsAtOnePixel)
{
    int calls = 0;
    const auto measure = [&](const std::string &, int) {
        ++calls;
        return 1000;
    };
    EXPECT_EQ(FitFontHeight("x", 23, 10, measure), 1);
    EXPECT_LT(calls, 10);
    EXPECT_EQ(FitFontHeight("x", -4, 10, measure), 1);
}
