// The kyloom command as a user runs it: output, messages and exit statuses.
#include "macro_files/macro_file_writer.h"
#include "tests/macroengine/support/engine_fixture.h"
#include "tests/macroengine/support/tool_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::runKyloom;

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(KyloomTool, VersionAndHelp)
{
    const auto version = runKyloom({"version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "2.0\n");

    const auto help = runKyloom({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char *verb : {"keyname", "keys", "list", "version"})
        EXPECT_NE(help.out.find(std::string("  ") + verb), std::string::npos) << verb;
}

TEST(KyloomTool, HelpNamesTheToggleRecordKey)
{
    const auto help = runKyloom({"--help"});
    EXPECT_NE(help.out.find("Ctrl+Alt+Shift+F11 (the toggle-record key)"), std::string::npos) << help.out;
}

TEST(KyloomTool, HelpOnAVerbShowsItsUsageAndDetails)
{
    const struct {
        const char *verb;
        const char *usage;
        const char *detail;
    } cases[] = {
        {"record", "usage: kyloom record FILE --key CODE --name NAME", "--replace is given"},
        {"record", "usage: kyloom record", "toggle-record key is Ctrl+Alt+Shift+F11"},
        {"bind", "usage: kyloom bind FILE", "until Ctrl+C (SIGINT) or SIGTERM"},
        {"type", "usage: kyloom type [--wait] STRING", "{NAME n}"},
        {"play", "usage: kyloom play FILE [--name NAME] [--fast]", "--fast plays"},
        {"help", "usage: kyloom help [VERB]", "kyloom help VERB"},
    };
    for (const auto &c : cases) {
        const auto help = runKyloom({"help", c.verb});
        EXPECT_EQ(help.status, 0) << c.verb;
        EXPECT_EQ(help.out.rfind(c.usage, 0), 0u) << help.out;
        EXPECT_NE(help.out.find(c.detail), std::string::npos) << help.out;
        // One verb's help, not the list of all of them.
        EXPECT_EQ(help.out.find("verbs:"), std::string::npos) << c.verb;
    }
    const auto unknown = runKyloom({"help", "frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "kyloom: unknown verb \"frobnicate\"\n");
}

TEST(KyloomTool, MissingOrUnknownVerbIsAUsageError)
{
    const auto none = runKyloom({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("usage: kyloom"), std::string::npos);
    const auto unknown = runKyloom({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown verb \"frobnicate\""), std::string::npos);
}

TEST(KyloomTool, KeysListsEveryPossibleKeyWithItsName)
{
    const auto keys = runKyloom({"keys"});
    ASSERT_EQ(keys.status, 0);
    const auto all = lines(keys.out);
    ASSERT_EQ(all.size(), 750u);
    EXPECT_EQ(all[0], "0x0001 LButton");
    EXPECT_EQ(all[1], "0x0101 Ctrl+LButton");
    EXPECT_EQ(all[7], "0x0701 Ctrl+Alt+Shift+LButton");
    EXPECT_NE(keys.out.find("\n0x0613 Alt+Shift+Pause\n"), std::string::npos);
}

TEST(KyloomTool, KeyNameTakesDecimalHexAndNames)
{
    for (const char *code : {"0x0713", "1811", "0X713", "ctrl+alt+shift+pause"}) {
        const auto r = runKyloom({"keyname", code});
        EXPECT_EQ(r.status, 0) << code;
        EXPECT_EQ(r.out, "Ctrl+Alt+Shift+Pause\n") << code;
    }
    // Keys no macro may have are still found by name.
    EXPECT_EQ(runKyloom({"keyname", "scroll lock"}).out, "Scroll Lock\n");
    EXPECT_EQ(runKyloom({"keyname", "0x0003"}).out, "Cancel\n");
    EXPECT_EQ(runKyloom({"keyname", "0"}).out, "No name\n");
}

TEST(KyloomTool, KeyNameRefusesWhatIsNoKey)
{
    for (const char *bad : {"0x10000", "65536", "0x", "12ab", "Ctrl+Nothing", "0xZZ"}) {
        const auto r = runKyloom({"keyname", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_NE(r.err.find("not a key code or key name"), std::string::npos) << bad;
    }
    EXPECT_EQ(runKyloom({"keyname"}).status, 2);
}

class KyloomListTest : public test::EngineTest {
protected:
    KyloomListTest()
    {
        dir = fs::temp_directory_path() / ("kyloom-list-" + std::to_string(getpid()));
        fs::create_directories(dir);
        file = (dir / "m.kym").string();
    }
    ~KyloomListTest() override { fs::remove_all(dir); }

    fs::path dir;
    std::string file;
};

TEST_F(KyloomListTest, ListsWhatTheLibraryWrote)
{
    ASSERT_TRUE(install());
    recordIntoScrap(3);
    ASSERT_EQ(engine.installMacro(0x0713, engine.scrap(), "Pause all", nullptr), kInstallOk);
    recordIntoScrap(0);
    engine.record(engine.scrap())->mouseOrigin = MBScreen;
    ASSERT_EQ(engine.installMacro(0x0001, engine.scrap(), "", nullptr), kInstallOk);
    ASSERT_EQ(MacroFileWriter(engine).write(file.c_str()), 0);

    const auto r = runKyloom({"list", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0x0713\tCtrl+Alt+Shift+Pause\tPause all\t3\tMBPointer\n"
                     "0x0001\tLButton\t<NO MACRO NAME>\t0\tMBScreen\n");
}

TEST_F(KyloomListTest, DamagedFileListsWhatCameBeforeAndFails)
{
    std::ofstream out(file, std::ios::binary);
    out.write("\x08KYLOOM32\x00\x02", 11);
    const auto header = [](KyKey key, uint32_t lastIndex) {
        std::string h(16, '\0');
        h[2] = static_cast<char>(key);
        h[3] = static_cast<char>(key >> 8);
        for (int i = 0; i < 4; ++i)
            h[4 + static_cast<size_t>(i)] = static_cast<char>(lastIndex >> (8 * i));
        return h;
    };
    out << header(0x0141, 0) << '\x01' << 'a' << std::string(20, '\0');
    out << header(0x0142, 0x7FFFFFF0u) << '\0';
    out.close();
    const auto r = runKyloom({"list", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "0x0141\tCtrl+A\ta\t1\tMBScreen\n");
    EXPECT_NE(r.err.find("Invalid macro file format"), std::string::npos);
}

TEST_F(KyloomListTest, AnUnopenableFileIsNamedWithTheReason)
{
    const std::string absent = (dir / "missing.mac").string();
    const struct {
        std::vector<std::string> args;
        std::string path;
        const char *reason;
    } cases[] = {
        {{"play", absent}, absent, "No such file or directory"},
        {{"play", absent, "--fast"}, absent, "No such file or directory"},
        {{"list", absent}, absent, "No such file or directory"},
        {{"play", dir.string()}, dir.string(), "Is a directory"},
        {{"list", dir.string()}, dir.string(), "Is a directory"},
    };
    for (const auto &c : cases) {
        const auto r = runKyloom(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_EQ(r.err, "kyloom: Error opening macro file: " + c.path + ": " + c.reason + "\n");
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST_F(KyloomListTest, MissingFileAndWrongVersionFail)
{
    const auto missing = runKyloom({"list", (dir / "absent").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Error opening macro file"), std::string::npos);

    std::ofstream(file, std::ios::binary).write("\x08KYLOOM32\x01\x02", 11);
    const auto newer = runKyloom({"list", file});
    EXPECT_EQ(newer.status, 1);
    EXPECT_NE(newer.err.find("Wrong macro file version."), std::string::npos);
}

} // namespace
} // namespace orvane
