#include "app/clock/window_placement.h"
#include "app/common/ini_file.h"
#include "temp_dir.h"

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
