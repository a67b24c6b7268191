#include "app/clock/window_placement.h"
#include "app/common/ini_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(WindowPlacement, RoundTripsTheTenKeys)
{
    TempDir dir;
    TIniFile ini(dir.file("murvelin.ini"));
    WindowPlacementRecord p{0, 1, -1, -1, -4, -23, 10, 20, 222, 151};
    WritePlacement(ini, "Main", p);
    const auto back = ReadPlacement(ini, "Main");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->normRight, 222);
    EXPECT_EQ(back->maxPosY, -23);
    const std::string text = TempDir::read(dir.file("murvelin.ini"));
    EXPECT_LT(text.find("PlaceFlags"), text.find("PlaceShowCmd"));
    EXPECT_LT(text.find("PlaceNormPosR"), text.find("PlaceNormPosB"));
}

TEST(WindowPlacement, MissingOrInconsistentLeavesTheWindowAlone)
{
    TempDir dir;
    TIniFile ini(dir.file("murvelin.ini"));
    EXPECT_FALSE(ReadPlacement(ini, "Option"));
    TempDir::write(dir.file("murvelin.ini"), "[Option]\nPlaceNormPosL=300\nPlaceNormPosR=300\n");
    EXPECT_FALSE(ReadPlacement(ini, "Option"));
}

TEST(WindowPlacement, BringsAWindowFullyOntoTheNearestScreenKeepingItsSize)
{
    const PlaceRect left{0, 0, 1280, 1024};
    const PlaceRect right{1280, 0, 1920, 1080};
    const std::vector<PlaceRect> both{left, right};
    struct Case {
        const char *what;
        PlaceRect window;
        std::vector<PlaceRect> screens;
        PlaceRect expected;
    };
    const Case cases[] = {
        {"already inside stays", {269, 145, 212, 131}, both, {269, 145, 212, 131}},
        {"from a wider layout", {3000, 500, 212, 131}, {left}, {1068, 500, 212, 131}},
        {"above and left of the screen", {-500, -300, 212, 131}, {left}, {0, 0, 212, 131}},
        {"straddling two screens goes to the larger share",
         {1200, 100, 212, 131},
         both,
         {1280, 100, 212, 131}},
        {"mostly on the left screen", {1100, 100, 212, 131}, both, {1068, 100, 212, 131}},
        {"below the right screen", {2000, 5000, 212, 131}, both, {2000, 949, 212, 131}},
        {"larger than the screen keeps its size", {-50, -50, 1500, 1200}, {left}, {0, 0, 1500, 1200}},
        {"no screens changes nothing", {-9000, 9000, 212, 131}, {}, {-9000, 9000, 212, 131}},
        {"absurd numbers do not overflow", {2147483000, 2147483000, 212, 131}, {left}, {1068, 893, 212, 131}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BringOntoScreen(c.window, c.screens), c.expected) << c.what;
}
