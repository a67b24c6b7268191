#include "macro_files/macro_file_reader.h"
#include "macro_files/macro_file_writer.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void hook() {}

class MacroFileTest : public test::EngineTest {
protected:
    MacroFileTest()
    {
        dir = fs::temp_directory_path() / ("kyloom-files-" + std::to_string(getpid()));
        fs::create_directories(dir);
        path = (dir / "macros.kym").string();
        EXPECT_TRUE(install());
    }
    ~MacroFileTest() override { fs::remove_all(dir); }

    uint8_t save() { return MacroFileWriter(engine).write(path.c_str()); }
    uint8_t load(bool append = false) { return MacroFileReader(engine).read(path.c_str(), append); }

    Bytes fileBytes() const
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void writeBytes(const Bytes &bytes) const
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes start(uint8_t lo = 0x00, uint8_t hi = 0x02)
    {
        return {0x08, 'K', 'Y', 'L', 'O', 'O', 'M', '3', '2', lo, hi};
    }
    // One entry: header with key and last index, a name, then `events` events of 20 bytes.
    static Bytes entry(KyKey key, int32_t lastIndex, const std::string &name, int events, uint8_t fill = 0x11)
    {
        const auto n = static_cast<uint32_t>(lastIndex);
        Bytes b = {0x08,
                   0,
                   static_cast<uint8_t>(key),
                   static_cast<uint8_t>(key >> 8),
                   static_cast<uint8_t>(n),
                   static_cast<uint8_t>(n >> 8),
                   static_cast<uint8_t>(n >> 16),
                   static_cast<uint8_t>(n >> 24),
                   MBWindow,
                   0,
                   0,
                   0,
                   0,
                   0,
                   0,
                   0};
        b.push_back(static_cast<uint8_t>(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        b.insert(b.end(), static_cast<size_t>(events) * 20, fill);
        return b;
    }
    static Bytes join(std::initializer_list<Bytes> parts)
    {
        Bytes all;
        for (const Bytes &p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    }

    fs::path dir;
    std::string path;
};

TEST_F(MacroFileTest, WrittenFileIsByteExact)
{
    recordIntoScrap(1, 0x10);
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "Hello", nullptr), kInstallOk);
    engine.record(engine.macroByKey(0x0120))->name = "Hello   ";
    ASSERT_EQ(save(), 0);
    const Bytes expected =
        join({start(),
              {0x10, 0, 0x20, 0x01, 0, 0, 0, 0, MBPointer, 0, 0, 0, 0, 0, 0, 0, 5, 'H', 'e', 'l', 'l', 'o'},
              {0x00, 0x01, 0, 0, 0x41, 0, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 77, 0, 0, 0}});
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_STREQ(engine.macroName(engine.macroByKey(0x0120)), "Hello") << "saving trims the stored name";
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(MacroFileTest, LongNamesAreCutTo60)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), std::string(70, 'n').c_str(), nullptr), kInstallOk);
    ASSERT_EQ(save(), 0);
    EXPECT_EQ(fileBytes()[11 + 16], 60);
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(std::string(engine.macroName(engine.macroByKey(0x0141))), std::string(60, 'n'));
}

TEST_F(MacroFileTest, RoundTripKeepsMacrosInSlotOrderWithoutHooksOrScrap)
{
    recordIntoScrap(3, 0x08);
    ASSERT_EQ(engine.installMacro(0x0241, engine.scrap(), "First", nullptr), kInstallOk);
    recordIntoScrap(40, 0x30);
    ASSERT_EQ(engine.installMacro(0x0142, engine.scrap(), "", nullptr), kInstallOk);
    ASSERT_EQ(engine.installMacro(0x0120, engine.scrap(), "Hooked", &hook), kInstallOk);
    recordIntoScrap(0);
    ASSERT_EQ(engine.installMacro(0x0443, engine.scrap(), "Empty", nullptr), kInstallOk);
    ASSERT_EQ(save(), 0);

    uint32_t otherWindow = 0x900001;
    Engine fresh(platform(segmentName, &otherWindow));
    ASSERT_TRUE(fresh.installHook(0, true, true, RMIgnore, MBScreen, false));
    ASSERT_EQ(MacroFileReader(fresh).read(path.c_str(), false), 0);
    EXPECT_TRUE(reports.take().empty());

    const KyKey keys[] = {0x0241, 0x0142, 0x0443};
    for (size_t slot = 0; slot < 3; ++slot) {
        const MacroRecord &want = *engine.record(engine.macroByKey(keys[slot]));
        const MacroRecord &got = *fresh.record(fresh.macroByIndex(static_cast<int32_t>(slot)));
        EXPECT_EQ(got.key, keys[slot]);
        EXPECT_EQ(got.flags, want.flags);
        EXPECT_EQ(got.mouseOrigin, want.mouseOrigin);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.codeHook, nullptr);
        ASSERT_EQ(got.lastIndex, want.lastIndex);
        for (int i = 0; i <= got.lastIndex; ++i)
            EXPECT_EQ(std::memcmp(&got.events[i], &want.events[i], 20), 0) << i;
    }
    EXPECT_EQ(fresh.macroByKey(0x0120), 0u) << "the hooked macro was not saved";
    EXPECT_EQ(fresh.macroByIndex(3), 0u);
}

TEST_F(MacroFileTest, HeaderOnlyFileEmptiesTable)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    writeBytes(start());
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(engine.macroByKey(0x0141), 0u);
    EXPECT_TRUE(reports.take().empty());
}

TEST_F(MacroFileTest, NewerVersionIsRefusedAndTableKept)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "a", nullptr), kInstallOk);
    writeBytes(join({start(0x01, 0x02), entry(0x0142, 0, "b", 1)}));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Wrong macro file version."});
    EXPECT_NE(engine.macroByKey(0x0141), 0u);
    EXPECT_EQ(engine.macroByKey(0x0142), 0u);
}

TEST_F(MacroFileTest, OlderVersionsAreRead)
{
    writeBytes(join({start(0x00, 0x00), entry(0x0142, 0, "b", 1)}));
    EXPECT_EQ(load(), 0);
    EXPECT_NE(engine.macroByKey(0x0142), 0u);
}

TEST_F(MacroFileTest, WrongSignatureIsInvalidFormat)
{
    Bytes bytes = start();
    bytes[1] = 'k';
    writeBytes(bytes);
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Invalid macro file format"});
}

TEST_F(MacroFileTest, ShortFileIsAReadError)
{
    writeBytes({0x08, 'K', 'Y'});
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error reading macro file"});
}

TEST_F(MacroFileTest, LaterEntryWithSameKeyWins)
{
    writeBytes(join({start(), entry(0x0141, 0, "one", 1, 0x01), entry(0x0141, 1, "two", 2, 0x02)}));
    EXPECT_EQ(load(), 0);
    const KyMacro m = engine.macroByKey(0x0141);
    EXPECT_STREQ(engine.macroName(m), "two");
    EXPECT_EQ(engine.macroByIndex(0), m);
    EXPECT_EQ(engine.macroByIndex(1), 0u);
}

TEST_F(MacroFileTest, AppendKeepsTableAndReplacesSameKey)
{
    ASSERT_EQ(engine.installMacro(0x0141, engine.scrap(), "kept", nullptr), kInstallOk);
    ASSERT_EQ(engine.installMacro(0x0142, engine.scrap(), "old", nullptr), kInstallOk);
    writeBytes(join({start(), entry(0x0142, 0, "new", 1), entry(0x0143, 0, "added", 1)}));
    EXPECT_EQ(load(true), 0);
    EXPECT_STREQ(engine.macroName(engine.macroByKey(0x0141)), "kept");
    EXPECT_STREQ(engine.macroName(engine.macroByKey(0x0142)), "new");
    EXPECT_STREQ(engine.macroName(engine.macroByKey(0x0143)), "added");
}

TEST_F(MacroFileTest, TruncatedEntryKeepsEarlierOnes)
{
    Bytes bytes = join({start(), entry(0x0141, 0, "whole", 1), entry(0x0142, 4, "cut", 5)});
    bytes.resize(bytes.size() - 7);
    writeBytes(bytes);
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(reports.take(), std::vector<std::string>{"Error reading macro file"});
    EXPECT_NE(engine.macroByKey(0x0141), 0u);
    EXPECT_EQ(engine.macroByKey(0x0142), 0u);
}

TEST_F(MacroFileTest, AbsurdEventCountsAreRefusedWithoutAllocating)
{
    for (int32_t lastIndex : {0x7FFFFFFE, -2, static_cast<int32_t>(0x80000000)}) {
        writeBytes(join({start(), entry(0x0141, 0, "ok", 1), entry(0x0142, lastIndex, "bad", 2)}));
        EXPECT_EQ(load(), 0);
        EXPECT_EQ(reports.take(), std::vector<std::string>{"Invalid macro file format"}) << lastIndex;
        EXPECT_NE(engine.macroByKey(0x0141), 0u);
        EXPECT_EQ(engine.macroByKey(0x0142), 0u);
        EXPECT_LT(engine.record(engine.scrap())->capacity(), 100u);
    }
}

TEST_F(MacroFileTest, StagingGrowsAndScrapKeepsKeyAndName)
{
    char scrapName[] = "Scratch";
    engine.setMacroName(engine.scrap(), scrapName);
    writeBytes(join({start(), entry(0x0141, 99, "big", 100, 0x5A)}));
    EXPECT_EQ(load(), 0);
    EXPECT_TRUE(reports.take().empty());
    const MacroRecord &scrap = *engine.record(engine.scrap());
    EXPECT_EQ(scrap.key, 0x077B);
    EXPECT_EQ(scrap.name, "Scratch");
    EXPECT_EQ(scrap.lastIndex, 99) << "the scrap macro holds the last entry read";
    EXPECT_GE(scrap.capacity(), 100u);
    EXPECT_EQ(scrap.events[99].window, 0x5A5A5A5Au);
    EXPECT_EQ(engine.record(engine.macroByKey(0x0141))->lastIndex, 99);
    EXPECT_EQ(engine.registry()->find(0x077B)->macro, engine.scrap());
}

TEST_F(MacroFileTest, StoredCodeHookIsNeverTaken)
{
    Bytes bytes = join({start(), entry(0x0141, 0, "x", 1)});
    bytes[11 + 12] = 0x78; // a code-hook address in the stored header
    bytes[11 + 13] = 0x56;
    writeBytes(bytes);
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(engine.macroCodeHook(engine.macroByKey(0x0141)), nullptr);
    EXPECT_EQ(engine.record(engine.scrap())->codeHook, nullptr);
}

TEST_F(MacroFileTest, MissingFileAndUncreatableFileAreReported)
{
    EXPECT_EQ(MacroFileReader(engine).read((dir / "none").c_str(), false), 0xFF);
    EXPECT_EQ(MacroFileWriter(engine).write((dir / "no-dir" / "x").c_str()), 0xFF);
    EXPECT_EQ(MacroFileReader(engine).read(nullptr, false), 0xFF);
    EXPECT_EQ(reports.take(),
              (std::vector<std::string>{"Error opening macro file", "Error creating macro file",
                                        "Error opening macro file"}));
}

TEST_F(MacroFileTest, FileNamesAreCutTo128Characters)
{
    const std::string base = dir.string() + "/";
    const std::string cut = base + std::string(128 - base.size(), 'f');
    const std::string longer = cut + "-ignored";
    EXPECT_EQ(MacroFileWriter(engine).write(longer.c_str()), 0);
    EXPECT_TRUE(fs::exists(cut));
    EXPECT_FALSE(fs::exists(longer));
}

TEST_F(MacroFileTest, BusyEngineNeitherReadsNorWrites)
{
    writeBytes(start());
    engine.setState(EngineState::Playing);
    EXPECT_EQ(save(), 0xFF);
    EXPECT_EQ(load(), 0xFF);
    engine.setState(EngineState::Idle);
    EXPECT_EQ(reports.take(), std::vector<std::string>(2, "Can't perform this operation now"));
    EXPECT_EQ(fileBytes(), start());
}

TEST_F(MacroFileTest, ReadingBeforeInstallHasNoStagingRecord)
{
    writeBytes(join({start(), entry(0x0141, 0, "x", 1)}));
    uint32_t otherWindow = 0x900002;
    Engine bare(platform(segmentName, &otherWindow));
    EXPECT_EQ(MacroFileReader(bare).read(path.c_str(), false), 0);
    EXPECT_EQ(reports.take(),
              std::vector<std::string>{"A valid macro handle must be obtained from InstallHook"});
}

} // namespace
} // namespace orvane
