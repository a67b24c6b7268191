#include "app/media/folder_ops.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

class FolderOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("folder-ops-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "a");
        std::ofstream(m_dir / "file.txt") << "x";
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string at(const std::string &rel) const { return (m_dir / rel).string(); }
    fs::path m_dir;
};

TEST_F(FolderOpsTest, FolderExistsTellsFoldersFromFilesAndNothing)
{
    struct Case {
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {at("a"), true},        {at("a/"), true}, {at("file.txt"), false},
        {at("missing"), false}, {"", false},      {"/", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FolderExists(c.path), c.exists) << c.path;
}

TEST_F(FolderOpsTest, MakesMissingParentsFirstAndDropsOneTrailingSlash)
{
    EXPECT_EQ(MakeFolderPath(at("a/b/c/")), std::nullopt);
    EXPECT_TRUE(fs::is_directory(m_dir / "a/b"));
    EXPECT_TRUE(fs::is_directory(m_dir / "a/b/c"));
}

TEST_F(FolderOpsTest, ExistingFolderAndRootAreLeftAlone)
{
    EXPECT_EQ(MakeFolderPath(at("a")), std::nullopt);
    EXPECT_EQ(MakeFolderPath("/"), std::nullopt);
    EXPECT_TRUE(fs::is_directory(m_dir / "a"));
}

TEST_F(FolderOpsTest, AFileInTheWayIsReportedNamingTheFolder)
{
    // A file where a parent should be fails for root too, unlike a permission test.
    const auto error = MakeFolderPath(at("file.txt/sub/deeper"));
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(at("file.txt") + ":"), std::string::npos) << *error;
    EXPECT_TRUE(fs::is_regular_file(m_dir / "file.txt"));
}

TEST_F(FolderOpsTest, EmptyPathIsAnError) { EXPECT_TRUE(MakeFolderPath("").has_value()); }

TEST_F(FolderOpsTest, RelativePathIsMadeInTheCurrentFolder)
{
    const auto old = fs::current_path();
    fs::current_path(m_dir);
    const auto error = MakeFolderPath("rel/one");
    fs::current_path(old);
    EXPECT_EQ(error, std::nullopt);
    EXPECT_TRUE(fs::is_directory(m_dir / "rel/one"));
}

} // namespace
