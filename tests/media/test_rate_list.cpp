// "Timeup.Rec": the recent hourly rates.
#include "app/media/rate_list.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orvane {
namespace {

class RateListTest : public ::testing::Test {
protected:
    TempDir dir;
    RateList list{dir.path().string() + "/"};
    std::string file() const { return dir.file("Timeup.Rec"); }
};

TEST_F(RateListTest, NoFileOffersZeroAndSwitchingOnWritesNothing)
{
    std::vector<std::string> rates = list.load();
    EXPECT_EQ(rates, std::vector<std::string>{"00.00"});
    const RateList::Added added = list.addRate(rates, "00.00");
    EXPECT_FALSE(added.inserted);
    EXPECT_FALSE(added.error);
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(RateListTest, NewRateGoesFirstWithCrLfAndTheZeroPlaceholderIsNotWritten)
{
    std::vector<std::string> rates = list.load();
    EXPECT_TRUE(list.addRate(rates, "12.50").inserted);
    EXPECT_EQ(rates, (std::vector<std::string>{"12.50", "00.00"}));
    EXPECT_EQ(TempDir::read(file()), "12.50\r\n");
    list.addRate(rates, "40");
    EXPECT_EQ(TempDir::read(file()), "40\r\n12.50\r\n");
    EXPECT_EQ(RateList(dir.path().string() + "/").load(), (std::vector<std::string>{"40", "12.50"}));
}

TEST_F(RateListTest, EleventhRateDropsTheOldest)
{
    std::string text;
    for (int r = 10; r >= 1; --r)
        text += std::to_string(r) + "\r\n";
    TempDir::write(file(), text);
    std::vector<std::string> rates = list.load();
    ASSERT_EQ(rates.size(), 10u);
    list.addRate(rates, "11");
    EXPECT_EQ(TempDir::read(file()), "11\r\n10\r\n9\r\n8\r\n7\r\n6\r\n5\r\n4\r\n3\r\n2\r\n");
}

TEST_F(RateListTest, KnownRateIsNeitherReorderedNorRewritten)
{
    TempDir::write(file(), "20\r\n15.5\r\n");
    std::vector<std::string> rates = list.load();
    ::chmod(file().c_str(), 0444); // any write attempt would fail loudly
    const RateList::Added added = list.addRate(rates, "15.5");
    ::chmod(file().c_str(), 0644);
    EXPECT_FALSE(added.inserted);
    EXPECT_FALSE(added.error);
    EXPECT_EQ(rates, (std::vector<std::string>{"20", "15.5"}));
}

TEST_F(RateListTest, TheFileNameIsMatchedWithoutCaseAndBareLfLinesAreRead)
{
    TempDir::write(dir.file("TIMEUP.REC"), "7\n8\n\n");
    std::vector<std::string> rates = list.load();
    EXPECT_EQ(rates, (std::vector<std::string>{"7", "8"}));
    list.addRate(rates, "9");
    EXPECT_EQ(TempDir::read(dir.file("TIMEUP.REC")), "9\r\n7\r\n8\r\n");
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(RateListTest, NotANumberAndZeroAreRefused)
{
    std::vector<std::string> rates = list.load();
    const RateList::Added bad = list.addRate(rates, "ten");
    EXPECT_EQ(bad.error, "'ten' is not a valid floating point value");
    EXPECT_FALSE(list.addRate(rates, "0.0").inserted);
    EXPECT_EQ(rates, std::vector<std::string>{"00.00"});
    EXPECT_EQ(NormaliseRateText("   "), "0");
    EXPECT_EQ(NormaliseRateText("  "), "  ");
}

TEST_F(RateListTest, UnwritableFolderIsReportedAndTheListKeepsTheRate)
{
    // A folder that is a plain file cannot be written into, not even by root.
    TempDir::write(dir.file("plain"), "x");
    RateList blocked(dir.file("plain") + "/");
    std::vector<std::string> rates = blocked.load();
    const RateList::Added added = blocked.addRate(rates, "30");
    EXPECT_TRUE(added.inserted);
    EXPECT_EQ(added.error, "Cannot create file " + dir.file("plain") + "/Timeup.Rec");
    EXPECT_EQ(rates.front(), "30");
}

} // namespace
} // namespace orvane
