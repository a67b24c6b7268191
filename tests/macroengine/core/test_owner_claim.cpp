#include "core/owner_claim.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace orvane {
namespace {

using test::EngineTest;

TEST(OwnerClaim, AliveWhileHeld)
{
    const std::string prefix = test::uniqueSegmentName();
    EXPECT_FALSE(OwnerClaim::isAlive(prefix, 42));
    {
        auto claim = OwnerClaim::claim(prefix, 42);
        ASSERT_TRUE(claim);
        EXPECT_TRUE(OwnerClaim::isAlive(prefix, 42));
        EXPECT_FALSE(OwnerClaim::isAlive(prefix, 43));
    }
    EXPECT_FALSE(OwnerClaim::isAlive(prefix, 42));
}

// A process that dies without cleaning up (no destructors run) still lets its claim go.
TEST(OwnerClaim, CrashedProcessIsSeenDead)
{
    const std::string prefix = test::uniqueSegmentName();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        auto claim = OwnerClaim::claim(prefix, 7).release();
        const char ok = claim ? 1 : 0;
        if (write(ready[1], &ok, 1) != 1 || !claim)
            _exit(3);
        pause();
        _exit(0);
    }
    char ok = 0;
    const bool told = read(ready[0], &ok, 1) == 1;
    if (!told || ok != 1) {
        // The claim could not be made (no usable /dev/shm): the child goes, and the test fails.
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        close(ready[0]);
        close(ready[1]);
        FAIL() << "the child could not claim the id";
    }
    EXPECT_TRUE(OwnerClaim::isAlive(prefix, 7));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_FALSE(OwnerClaim::isAlive(prefix, 7));
    auto reclaimed = OwnerClaim::claim(prefix, 7);
    EXPECT_TRUE(reclaimed) << "the id can be claimed again";
    EXPECT_TRUE(OwnerClaim::isAlive(prefix, 7));
    close(ready[0]);
    close(ready[1]);
}

TEST_F(EngineTest, InstallReleasesKeysOfEndedProcessesOnly)
{
    leaveEntriesOfDeadOwner(0x900001, 3);
    auto living = OwnerClaim::claim(segmentName, 0x900002);
    {
        SharedSegment::Error error;
        auto segment = SharedSegment::open(segmentName, HotKeyRegistry::kBytes, error);
        ASSERT_TRUE(segment);
        HotKeyRegistry(*segment).registerKey(0x0641, 0x900002, 5);
    }
    ASSERT_TRUE(install());
    HotKeyRegistry &registry = *engine.registry();
    EXPECT_FALSE(registry.find(0x0300)) << "the ended owner's keys are free again";
    EXPECT_EQ(registry.find(0x0641)->owner, 0x900002u) << "a living owner keeps its key";
    EXPECT_EQ(registry.usedCount(), 2u);
}

TEST_F(EngineTest, FullRegistryMakesRoomFromEndedProcesses)
{
    ASSERT_TRUE(install());
    // Another process ends after filling the registry.
    {
        auto claim = OwnerClaim::claim(segmentName, 0x900003);
        leaveEntriesOfDeadOwner(0x900003, HotKeyRegistry::kEntries - 1);
        EXPECT_EQ(engine.registry()->usedCount(), HotKeyRegistry::kEntries);
    }
    EXPECT_EQ(engine.installMacro(0x0120, engine.scrap(), "a", nullptr), kInstallOk);
    EXPECT_TRUE(reports.take().empty());
    EXPECT_EQ(engine.registry()->usedCount(), 2u);
}

} // namespace
} // namespace orvane
