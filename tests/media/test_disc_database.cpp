// The disc database file, byte by byte: new discs, look-ups, write-back, damaged files.
#include "app/media/disc_database.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvane;

namespace {

constexpr std::size_t kRecord = 2264;

int32_t intAt(const std::string &bytes, std::size_t offset)
{
    int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

std::string nameAt(const std::string &bytes, std::size_t offset)
{
    return bytes.substr(offset + 1, static_cast<unsigned char>(bytes[offset]));
}

} // namespace

TEST(DiscDatabase, FirstDiscCreatesTheFileWithOneDefaultRecord)
{
    TempDir dir;
    TDiscDatabase db(dir.file("CDNAME32.REC"));
    const DiscLookUp r = db.LookUp({12, 0x00203004, 0x00102D2A});
    ASSERT_FALSE(r.error);
    EXPECT_TRUE(r.appended);
    const std::string bytes = TempDir::read(dir.file("CDNAME32.REC"));
    ASSERT_EQ(bytes.size(), kRecord);
    EXPECT_EQ(intAt(bytes, 0), 12);
    EXPECT_EQ(intAt(bytes, 4), 0x00203004);
    EXPECT_EQ(intAt(bytes, 8), 0x00102D2A);
    EXPECT_EQ(nameAt(bytes, 12), "Unknown");
    EXPECT_EQ(nameAt(bytes, 63), "Untitled 1");
    EXPECT_EQ(nameAt(bytes, 63 + 51 * 11), "Untitled 12");
    EXPECT_EQ(bytes[63 + 51 * 12], 0) << "track 13 has no name";
    // Character bytes after a name are zero in a new record, and so is the padding byte.
    EXPECT_EQ(bytes.substr(12 + 1 + 7, 43), std::string(43, '\0'));
    EXPECT_EQ(bytes[2103], 0);
    for (std::size_t k = 0; k < 40; ++k)
        EXPECT_EQ(intAt(bytes, 2104 + 4 * k), -1);
}

TEST(DiscDatabase, SameDiscAgainIsFoundAndACurrentDiscDoesNotReadTheFile)
{
    TempDir dir;
    const std::string path = dir.file("CDNAME32.REC");
    TDiscDatabase db(path);
    ASSERT_TRUE(db.LookUp({3, 1, 2}).appended);
    db.current().setName(0, "Kept");
    ASSERT_FALSE(db.WriteBack());
    ASSERT_TRUE(db.LookUp({4, 1, 2}).appended);
    const DiscLookUp again = db.LookUp({3, 1, 2});
    EXPECT_FALSE(again.appended);
    EXPECT_EQ(db.current().name(0), "Kept");
    EXPECT_EQ(db.currentRecordNumber(), 0);
    // While current, a damaged file is not even looked at.
    TempDir::write(path, "x");
    EXPECT_TRUE(db.LookUp({3, 1, 2}).alreadyCurrent);
    EXPECT_EQ(db.current().name(0), "Kept");
}

TEST(DiscDatabase, NewDiscIsAppendedAndWriteBackLeavesTheOthersAlone)
{
    TempDir dir;
    const std::string path = dir.file("CDNAME32.REC");
    {
        TDiscDatabase first(path);
        for (int k = 1; k <= 3; ++k)
            first.LookUp({k, k, k});
    }
    const std::string before = TempDir::read(path);
    TDiscDatabase db(path);
    ASSERT_TRUE(db.LookUp({9, 9, 9}).appended);
    EXPECT_EQ(db.currentRecordNumber(), 3);
    db.current().setName(2, std::string(60, 'n'));
    db.current().PlayList[0] = 2;
    db.current().PlayList[1] = 0;
    ASSERT_FALSE(db.WriteBack());
    const std::string after = TempDir::read(path);
    ASSERT_EQ(after.size(), 4 * kRecord);
    EXPECT_EQ(after.substr(0, 3 * kRecord), before);
    EXPECT_EQ(nameAt(after, 3 * kRecord + 63 + 51), std::string(50, 'n')) << "cut to 50";
    EXPECT_EQ(intAt(after, 3 * kRecord + 2104), 2);
    EXPECT_EQ(intAt(after, 3 * kRecord + 2108), 0);
    EXPECT_EQ(intAt(after, 3 * kRecord + 2112), -1);
}

TEST(DiscDatabase, PartialLastRecordIsKeptAsideAndSaidOnce)
{
    TempDir dir;
    const std::string path = dir.file("CDNAME32.REC");
    {
        TDiscDatabase first(path);
        first.LookUp({1, 1, 1});
    }
    std::string bytes = TempDir::read(path);
    const std::string tail(1000, 'T');
    TempDir::write(path, bytes + tail);

    TDiscDatabase db(path);
    const DiscLookUp found = db.LookUp({1, 1, 1});
    EXPECT_FALSE(found.appended);
    EXPECT_TRUE(found.warning);
    EXPECT_EQ(TempDir::read(path).size(), kRecord + 1000) << "a look-up leaves the damaged tail alone";

    TDiscDatabase other(path);
    const DiscLookUp added = other.LookUp({2, 2, 2});
    ASSERT_FALSE(added.error);
    EXPECT_TRUE(added.warning);
    EXPECT_EQ(other.currentRecordNumber(), 1);
    EXPECT_EQ(TempDir::read(path).size(), 2 * kRecord);
    EXPECT_EQ(TempDir::read(path + ".partial"), tail);
    EXPECT_FALSE(other.LookUp({3, 3, 3}).warning) << "said once";
}

TEST(DiscDatabase, DamagedFieldsAreReadSafely)
{
    TDiscRecord r = TDiscRecord::newDisc(5, 1, 1);
    r.Names[1].len = 200; // more than the area holds
    r.PlayList[0] = 7;    // beyond the disc
    r.PlayList[1] = 0;
    EXPECT_EQ(r.name(1).size(), 50u);
    EXPECT_EQ(r.playListTrack(1), 0);
    EXPECT_EQ(r.playListTrack(2), 1);
    EXPECT_EQ(TDiscRecord::newDisc(99, 1, 1).namedTracks(), 40);
    EXPECT_EQ(TDiscRecord::newDisc(-3, 1, 1).namedTracks(), 0);
}

TEST(DiscDatabase, UnopenableFileIsAnErrorAndKeepsTheRecord)
{
    TempDir dir;
    // A file where the folder should be: no one, root included, can create the database there.
    TempDir::write(dir.file("plain"), "x");
    TDiscDatabase db(dir.file("plain") + "/CDNAME32.REC");
    const DiscLookUp r = db.LookUp({1, 2, 3});
    ASSERT_TRUE(r.error);
    EXPECT_NE(r.error->find("I/O error"), std::string::npos);
    EXPECT_EQ(db.currentRecordNumber(), -1);
    EXPECT_FALSE(db.WriteBack()) << "nothing current, nothing written";
}

TEST(StoredText, NamesKeepWindows1252AndUtf8)
{
    TDiscRecord r = TDiscRecord::cleared();
    r.setName(1, "Caf\xC3\xA9 \xE2\x82\xAC"); // é and € fit the single-byte code page
    EXPECT_EQ(r.Names[1].str(), "Caf\xE9 \x80");
    EXPECT_EQ(r.name(1), "Caf\xC3\xA9 \xE2\x82\xAC");
    r.setName(2, "\xE6\x97\xA5\xE6\x9C\xAC"); // CJK does not: stored as UTF-8
    EXPECT_EQ(r.Names[2].str(), "\xE6\x97\xA5\xE6\x9C\xAC");
    std::string longCjk;
    for (int i = 0; i < 20; ++i)
        longCjk += "\xE6\x97\xA5";
    r.setName(3, longCjk);
    EXPECT_EQ(r.Names[3].len, 48) << "never split a character";
}
