#include "core/hot_key_registry.h"
#include "core/shared_segment.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : name(test::uniqueSegmentName())
    {
        SharedSegment::Error error;
        segment = SharedSegment::open(name, HotKeyRegistry::kBytes, error);
    }
    ~RegistryTest() override { shm_unlink(name.c_str()); }
    // Without a segment (no usable /dev/shm) every test fails here instead of crashing.
    void SetUp() override { ASSERT_TRUE(segment) << "no registry segment " << name; }

    std::string name;
    std::unique_ptr<SharedSegment> segment;
};

TEST_F(RegistryTest, NewSegmentIsZeroedAndPrivate)
{
    ASSERT_TRUE(segment);
    for (size_t i = 0; i < HotKeyRegistry::kBytes; ++i)
        ASSERT_EQ(segment->data()[i], 0) << i;
    struct stat st {};
    const int fd = shm_open(name.c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(fstat(fd, &st), 0);
    close(fd);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 3072);
}

TEST_F(RegistryTest, EntriesAreTwelveLittleEndianBytes)
{
    HotKeyRegistry registry(*segment);
    ASSERT_TRUE(registry.registerKey(0x0120, 0x04000001, 0x11223344));
    const uint8_t expected[12] = {0x20, 0x01, 0, 0, 0x01, 0, 0, 0x04, 0x44, 0x33, 0x22, 0x11};
    EXPECT_EQ(std::memcmp(segment->data(), expected, sizeof expected), 0);
}

TEST_F(RegistryTest, RegisterReusesTheOwnersEntryAndKeepsOwnersApart)
{
    HotKeyRegistry registry(*segment);
    ASSERT_TRUE(registry.registerKey(0x0120, 1, 10));
    ASSERT_TRUE(registry.registerKey(0x0120, 1, 11));
    EXPECT_EQ(registry.usedCount(), 1u);
    EXPECT_EQ(registry.entry(0).macro, 11u);
    ASSERT_TRUE(registry.registerKey(0x0120, 2, 20));
    EXPECT_EQ(registry.usedCount(), 2u);
    EXPECT_EQ(registry.find(0x0120)->owner, 1u) << "the first entry in order wins";
}

TEST_F(RegistryTest, FreedEntryIsTakenFirst)
{
    HotKeyRegistry registry(*segment);
    registry.registerKey(0x0141, 1, 10);
    registry.registerKey(0x0142, 1, 11);
    registry.unregisterKey(0x0141, 1);
    registry.registerKey(0x0143, 1, 12);
    EXPECT_EQ(registry.entry(0).key, 0x0143);
    EXPECT_EQ(registry.entry(1).key, 0x0142);
}

TEST_F(RegistryTest, OnlyTheOwnerUnregistersOrRekeys)
{
    HotKeyRegistry registry(*segment);
    registry.registerKey(0x0141, 1, 10);
    registry.unregisterKey(0x0141, 2);
    EXPECT_EQ(registry.usedCount(), 1u);
    EXPECT_FALSE(registry.rekey(10, 2, 0x0142));
    EXPECT_TRUE(registry.rekey(10, 1, 0x0142));
    EXPECT_FALSE(registry.find(0x0141));
    EXPECT_EQ(registry.find(0x0142)->macro, 10u);
    EXPECT_FALSE(registry.rekey(99, 1, 0x0143)) << "no entry for that macro";
}

TEST_F(RegistryTest, UnregisterOwnerLeavesOthers)
{
    HotKeyRegistry registry(*segment);
    registry.registerKey(0x0141, 1, 10);
    registry.registerKey(0x0142, 2, 20);
    registry.registerKey(0x0143, 1, 11);
    registry.unregisterOwner(1);
    EXPECT_EQ(registry.usedCount(), 1u);
    EXPECT_EQ(registry.find(0x0142)->owner, 2u);
}

TEST_F(RegistryTest, KeyZeroIsNeverEntered)
{
    HotKeyRegistry registry(*segment);
    EXPECT_TRUE(registry.registerKey(0, 1, 10));
    EXPECT_EQ(registry.usedCount(), 0u);
    EXPECT_FALSE(registry.find(0));
}

TEST_F(RegistryTest, FullAfter256Keys)
{
    HotKeyRegistry registry(*segment);
    for (uint16_t i = 0; i < 256; ++i)
        ASSERT_TRUE(registry.registerKey(static_cast<KyKey>(0x100 + i), 1, i + 1u));
    EXPECT_FALSE(registry.registerKey(0x0041, 1, 999));
    EXPECT_TRUE(registry.registerKey(0x0100, 1, 1000)) << "an owner's existing key still updates";
}

TEST_F(RegistryTest, TwoMappingsShareEntries)
{
    SharedSegment::Error error;
    auto second = SharedSegment::open(name, HotKeyRegistry::kBytes, error);
    ASSERT_TRUE(second);
    HotKeyRegistry a(*segment), b(*second);
    a.registerKey(0x0141, 1, 10);
    EXPECT_EQ(b.find(0x0141)->macro, 10u);
}

// Four processes claim 64 keys each at the same time; every claim must land in an entry of its
// own, none lost and none torn.
TEST_F(RegistryTest, ProcessesFillingAtOnceNeverShareAnEntry)
{
    constexpr int kProcesses = 4, kKeysEach = 64;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        if (pid < 0)
            break;
        if (pid == 0) {
            // A mapping of its own, so its lock is a lock of its own open description.
            SharedSegment::Error error;
            auto own = SharedSegment::open(name, HotKeyRegistry::kBytes, error);
            if (!own)
                _exit(2);
            HotKeyRegistry registry(*own);
            const uint32_t owner = 100u + static_cast<uint32_t>(p);
            for (int k = 0; k < kKeysEach; ++k) {
                if (!registry.registerKey(static_cast<KyKey>(0x0100 + k), owner,
                                          owner * 1000 + static_cast<uint32_t>(k)))
                    _exit(3);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    // Every child is waited for before anything is asserted, so none is left behind.
    for (pid_t pid : children) {
        int status = 0;
        EXPECT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    ASSERT_EQ(children.size(), static_cast<size_t>(kProcesses)) << "fork failed";
    HotKeyRegistry registry(*segment);
    std::set<std::pair<uint32_t, KyKey>> claims;
    for (size_t i = 0; i < HotKeyRegistry::kEntries; ++i) {
        const HotKeyEntry e = registry.entry(i);
        ASSERT_NE(e.key, 0) << "entry " << i << " left free";
        ASSERT_EQ(e.macro, e.owner * 1000 + (e.key - 0x0100u)) << "torn entry " << i;
        claims.insert({e.owner, e.key});
    }
    EXPECT_EQ(claims.size(), 256u);
    EXPECT_FALSE(registry.registerKey(0x0041, 1, 1));
}

class ForeignSegmentTest : public ::testing::Test {
protected:
    ForeignSegmentTest() : name(test::uniqueSegmentName()) {}
    ~ForeignSegmentTest() override { shm_unlink(name.c_str()); }

    void makeSegment(mode_t mode, off_t size)
    {
        const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(fchmod(fd, mode), 0);
        ASSERT_EQ(ftruncate(fd, size), 0);
        close(fd);
    }

    std::string name;
};

TEST_F(ForeignSegmentTest, SegmentOthersCanReadIsRefused)
{
    makeSegment(0644, 3072);
    SharedSegment::Error error;
    EXPECT_FALSE(SharedSegment::open(name, HotKeyRegistry::kBytes, error));
    EXPECT_EQ(error, SharedSegment::Error::CannotCreate);
}

TEST_F(ForeignSegmentTest, SegmentGroupCanWriteIsRefused)
{
    makeSegment(0620, 3072);
    SharedSegment::Error error;
    EXPECT_FALSE(SharedSegment::open(name, HotKeyRegistry::kBytes, error));
}

TEST_F(ForeignSegmentTest, SegmentOfAnotherSizeIsRefused)
{
    makeSegment(0600, 16);
    SharedSegment::Error error;
    EXPECT_FALSE(SharedSegment::open(name, HotKeyRegistry::kBytes, error));
}

TEST_F(ForeignSegmentTest, EmptySegmentOfThisUserIsSizedAndUsed)
{
    makeSegment(0600, 0);
    SharedSegment::Error error;
    auto segment = SharedSegment::open(name, HotKeyRegistry::kBytes, error);
    ASSERT_TRUE(segment);
    EXPECT_EQ(error, SharedSegment::Error::Ok);
    EXPECT_EQ(segment->size(), 3072u);
}

} // namespace
} // namespace orvane
