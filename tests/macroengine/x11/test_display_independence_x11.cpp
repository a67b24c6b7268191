// kyloom bind on displays of the test's own: a server that goes away, and two displays at once.
#include "core/hot_key_registry.h"
#include "core/shared_segment.h"
#include "tests/macroengine/support/input_x11_fixture.h"
#include "tests/macroengine/support/private_xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

constexpr KyKey kBoundKey = 0x0078; // F9
constexpr KyKey kScrapKey = 0x077B;

class BindOnPrivateDisplays : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kyloom-displays-XXXXXX";
        runtime = mkdtemp(pattern);
        chmod(runtime.c_str(), 0700);
        const std::vector<FileEvent> events{{0x100, 0x5A, 1, 0, 0}, {0x101, 0x5A, 1, 5, 0}};
        macroFile = writeMacroFile(events, kBoundKey);
    }
    void TearDown() override
    {
        std::remove(macroFile.c_str());
        std::error_code ignored;
        fs::remove_all(runtime, ignored);
    }

    // How many registry entries hold `key`, read from the registry the binds share.
    size_t entriesWith(KyKey key) const
    {
        SharedSegment::Error error;
        auto segment = SharedSegment::open(runtime + "/Kyloom32SharedData", HotKeyRegistry::kBytes, error);
        if (!segment)
            return 0;
        HotKeyRegistry registry(*segment);
        size_t count = 0;
        for (size_t i = 0; i < HotKeyRegistry::kEntries; ++i)
            count += registry.entry(i).key == key;
        return count;
    }

    bool waitForEntries(KyKey key, size_t count) const
    {
        for (int i = 0; i < 500; ++i) {
            if (entriesWith(key) == count)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::string runtime;
    std::string macroFile;
};

// Window ids repeat across displays (each server hands its first client the same ids), so the
// registry must not take two binds on two displays for one owner.
TEST_F(BindOnPrivateDisplays, OneCleanExitLeavesTheOtherDisplaysKeys)
{
    PrivateXvfb first, second;
    ASSERT_TRUE(first && second);
    KyloomProcess a("bind", macroFile, first.display(), runtime);
    ASSERT_TRUE(waitForEntries(kBoundKey, 1)) << a.errors();
    KyloomProcess b("bind", macroFile, second.display(), runtime);
    ASSERT_TRUE(waitForEntries(kBoundKey, 2)) << b.errors();
    EXPECT_EQ(entriesWith(kScrapKey), 2u);

    a.signal(SIGTERM);
    const int status = a.waitFor(10);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << a.errors();
    EXPECT_EQ(entriesWith(kBoundKey), 1u) << "the other display's bind keeps its hot key";
    EXPECT_EQ(entriesWith(kScrapKey), 1u);

    b.signal(SIGTERM);
    EXPECT_EQ(b.waitFor(10), 0) << b.errors();
    EXPECT_EQ(entriesWith(kBoundKey), 0u);
    EXPECT_EQ(entriesWith(kScrapKey), 0u);
}

// The library never ends its host: it reports the loss, takes the engine down and gives its
// hot keys back; kyloom bind then ends with status 1 by its own decision.
TEST_F(BindOnPrivateDisplays, LostServerEndsBindWithAMessage)
{
    PrivateXvfb server;
    ASSERT_TRUE(server);
    KyloomProcess bind("bind", macroFile, server.display(), runtime);
    ASSERT_TRUE(waitForEntries(kBoundKey, 1)) << bind.errors();
    server.kill();
    const int status = bind.waitFor(10);
    ASSERT_NE(status, -1) << "bind ran on without its display";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(bind.errors().find(
                  "kyloom: Error activating keyboard hook: the connection to the X display was lost"),
              std::string::npos)
        << bind.errors();
    EXPECT_EQ(entriesWith(kBoundKey), 0u) << "its hot keys are given back";
    EXPECT_EQ(entriesWith(kScrapKey), 0u);
}

} // namespace
} // namespace orvane::test
