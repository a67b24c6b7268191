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

TEST(FaceSizing, FontIsTheLargestThatFitsFoundWithFewMeasurements)
{
    // "12:00 PM" is 8 characters; the fake font is `height * 8 / 2` wide plus a hinting wobble
    // that makes the proportional estimate miss by a pixel now and then.
    struct Case {
        int start;
        int faceWidth;
        int wobble;
    };
    for (const Case c : {Case{40, 100, 0}, Case{40, 101, 3}, Case{120, 190, 5}, Case{33, 131, 1},
                         Case{200, 7, 2}, Case{64, 255, 0}, Case{90, 300, 7}}) {
        int measurements = 0;
        const auto measure = [&](const std::string &text, int height) {
            ++measurements;
            return static_cast<int>(text.size()) * height / 2 + (height % 3 == 0 ? c.wobble : 0);
        };
        const int h = FitFontHeight("12:00 PM", c.start, c.faceWidth, measure);
        const std::string where =
            "start " + std::to_string(c.start) + " width " + std::to_string(c.faceWidth);
        EXPECT_LE(measure("12:00 PM", h), c.faceWidth) << where;
        if (h + 1 < c.start) {
            EXPECT_GT(measure("12:00 PM", h + 1), c.faceWidth) << where;
        }
        measurements -= h + 1 < c.start ? 2 : 1;
        EXPECT_LE(measurements, 4) << where;
    }
}

TEST(FaceSizing, TextThatFitsAtTheStartIsMeasuredOnce)
{
    int calls = 0;
    const auto measure = [&](const std::string &, int height) {
        ++calls;
        return height;
    };
    EXPECT_EQ(FitFontHeight("8:05", 40, 400, measure), 40);
    EXPECT_EQ(calls, 1);
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
