#include "app/common/ini_file.h"

#include "tests/support/unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ini-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_path = (m_dir / "murvelin.ini").string();
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all);
        fs::remove_all(m_dir);
    }
    void put(const std::string &text) { std::ofstream(m_path, std::ios::binary) << text; }
    std::string content() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path m_dir;
    std::string m_path;
};

} // namespace

TEST_F(IniFileTest, MissingFileAndKeysGiveDefaults)
{
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("Voice", "WaveFile", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Voice", "HowOften", 5), 5);
    EXPECT_FALSE(fs::exists(m_path)); // reading never creates the file
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutCase)
{
    put("; comment\r\n[voice]\r\nhowoften = 0x1E\r\nPlay Voice=2\r\nName=\"quoted value\"\r\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadInteger("Voice", "HowOften", 5), 30);
    EXPECT_TRUE(ini.ReadBool("VOICE", "Play Voice", false));
    EXPECT_EQ(ini.ReadString("Voice", "name", ""), "quoted value");
}

TEST_F(IniFileTest, MalformedNumbersGiveTheDefault)
{
    put("[Voice]\nHowOften=abc\nEmpty=\nShort=0x\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadInteger("Voice", "HowOften", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Voice", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Voice", "Short", 9), 9);
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin)
{
    put("[A]\nk=1\nk=2\n[B]\nk=3\n[A]\nk=4\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("B", "k", 0), 3);
}

TEST_F(IniFileTest, WritesKeepEveryOtherLine)
{
    put("; keep me\r\n[Options]\r\nSnoozeTime=10\r\nOther=x\r\n\r\n[Font]\r\nColor=1\r\n");
    TIniFile ini(m_path);
    ini.WriteInteger("options", "snoozetime", 15);
    ini.WriteString("Options", "New Key", "v");
    ini.WriteString("Display", "SpeedBar", "0");
    EXPECT_EQ(content(), "; keep me\r\n[Options]\r\nsnoozetime=15\r\nOther=x\r\nNew Key=v\r\n\r\n"
                         "[Font]\r\nColor=1\r\n\r\n[Display]\r\nSpeedBar=0\r\n");
}

TEST_F(IniFileTest, LineBreaksInValuesCannotAddKeys)
{
    TIniFile ini(m_path);
    ini.WriteString("Voice", "WaveFile", "/tmp/a.wav\n[Evil]\nHowOften=1");
    EXPECT_EQ(ini.ReadString("Evil", "HowOften", "none"), "none");
    EXPECT_EQ(ini.ReadString("Voice", "WaveFile", ""), "/tmp/a.wav [Evil] HowOften=1");
}

TEST_F(IniFileTest, LongValuesAreCutToTheBuffer)
{
    put("[S]\nK=" + std::string(5000, 'x') + "\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("S", "K", "").size(), 1023u);
}

TEST_F(IniFileTest, GarbageAndHugeLinesAreSurvivedAndKept)
{
    std::string garbage("\x01\x02\xff\0[\xfe]=", 8);
    const std::string huge(2 * 1024 * 1024, 'z');
    put(garbage + "\n" + huge + "\n[S]\nK=1\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadInteger("S", "K", 0), 1);
    ini.WriteInteger("S", "K", 2);
    EXPECT_EQ(ini.ReadInteger("S", "K", 0), 2);
    EXPECT_NE(content().find(huge), std::string::npos);
}

TEST_F(IniFileTest, ReadOnlyFileRaisesTheWriteError)
{
    put("[S]\nK=1\n");
    ::chmod(m_path.c_str(), 0444);
    TIniFile ini(m_path);
    try {
        ini.WriteInteger("S", "K", 2);
        FAIL() << "the write should have failed";
    } catch (const EIniFileException &e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + m_path);
    }
    EXPECT_EQ(content(), "[S]\nK=1\n");
}

TEST_F(IniFileTest, UnwritableFolderRaisesTheWriteError)
{
    // Root writes into any folder: the check runs as nobody then.
    const std::string failure = orvane::test::RunUnprivileged(
        [&]() -> std::string {
            fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
            TIniFile ini(m_path);
            try {
                ini.WriteInteger("S", "K", 2);
            } catch (const EIniFileException &) {
                return {};
            }
            return "the write into a read-only folder did not fail";
        },
        {m_dir});
    EXPECT_EQ(failure, "");
}

TEST_F(IniFileTest, AnUpdateWritesNothingUntilItEndsAndReadsItsOwnChanges)
{
    put("[Voice]\r\nHowOften=5\r\n");
    TIniFile ini(m_path);
    ini.BeginUpdate();
    ini.WriteInteger("voice", "howoften", 30);
    ini.WriteString("Font", "Style", "Bold");
    EXPECT_EQ(ini.ReadInteger("Voice", "HowOften", 0), 30);
    EXPECT_EQ(content(), "[Voice]\r\nHowOften=5\r\n");
    ini.EndUpdate();
    EXPECT_EQ(content(), "[Voice]\r\nhowoften=30\r\n\r\n[Font]\r\nStyle=Bold\r\n");
    // After the update each write goes to the disk again.
    ini.WriteInteger("Voice", "HowOften", 1);
    EXPECT_EQ(TIniFile(m_path).ReadInteger("Voice", "HowOften", 0), 1);
}

TEST_F(IniFileTest, AFailedUpdateLeavesTheOldFileAndEnds)
{
    put("[Voice]\r\nHowOften=5\r\n");
    ::chmod(m_path.c_str(), 0444);
    TIniFile ini(m_path);
    ini.BeginUpdate();
    ini.WriteInteger("Voice", "HowOften", 30);
    EXPECT_THROW(ini.EndUpdate(), EIniFileException);
    EXPECT_FALSE(ini.updating());
    EXPECT_EQ(content(), "[Voice]\r\nHowOften=5\r\n");
}
