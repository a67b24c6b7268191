// The real CD device over libcdio, against CUE/BIN images written by the test, with SDL's dummy
// audio driver: the table of contents and identity, playing to a notification, data tracks
// skipped, and the images that must come out "not ready" with a reason.
#include "app/platform/cd/cdio_cd_device.h"
#include "cd_image_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using namespace orvane;
using namespace orvane::test;
using namespace std::chrono_literals;

namespace {

class CdioDevice : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

    template <typename Pred>
    static bool waitFor(Pred pred, std::chrono::milliseconds limit = 5000ms)
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    TempDir dir;
};

} // namespace

TEST_F(CdioDevice, ImageTableOfContentsGivesTheDiscIdentity)
{
    const std::string cue = WriteCdImage(dir.path().string(), "disc", {{3}, {2}, {4}});
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, cue));
    ASSERT_FALSE(device.open());
    ASSERT_EQ(device.mode(), CDMode::Stopped) << device.notReadyReason();
    EXPECT_EQ(device.numberOfTracks(), 3);
    EXPECT_EQ(device.trackLength(1), 0x000300u) << "3 seconds, minutes in the lowest byte";
    EXPECT_EQ(device.trackLength(2), 0x000200u);
    EXPECT_EQ(device.discLength(), 0x000900u);
    EXPECT_EQ(device.trackStart(2), PackTmsf(2, 0));
    EXPECT_EQ(device.position(), PackTmsf(1, 0));
}

TEST_F(CdioDevice, PlayingATrackAloneEndsWithANotification)
{
    const std::string cue = WriteCdImage(dir.path().string(), "disc", {{1}, {1}});
    std::vector<int> started;
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, cue), [&](int t) { started.push_back(t); });
    ASSERT_FALSE(device.open());
    std::atomic<int> notified{0};
    device.setNotifyHandler([&] { ++notified; });
    device.play(device.trackStart(2), std::nullopt);
    EXPECT_EQ(device.mode(), CDMode::Playing);
    ASSERT_TRUE(waitFor([&] { return device.mode() == CDMode::Stopped; }));
    EXPECT_EQ(notified.load(), 1);
    EXPECT_TRUE(device.takeNotification());
    EXPECT_EQ(TmsfTrack(device.position()), 2);
    EXPECT_EQ(started, std::vector<int>({2}));
    EXPECT_GE(device.framesDelivered(), 44100u - 588u);
}

TEST_F(CdioDevice, DataTrackIsSkippedNotPlayed)
{
    const std::string cue = WriteCdImage(dir.path().string(), "mixed", {{1}, {2, false}, {1}});
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, cue));
    ASSERT_FALSE(device.open());
    ASSERT_EQ(device.numberOfTracks(), 3);
    device.play(std::nullopt, std::nullopt);
    ASSERT_TRUE(waitFor([&] { return device.mode() == CDMode::Stopped; }));
    // Two seconds of audio were heard: the two-second data track was passed over.
    EXPECT_LT(device.framesDelivered(), 2u * 44100u + 4096u);
    EXPECT_GE(device.framesDelivered(), 2u * 44100u - 588u);
}

TEST_F(CdioDevice, PauseHoldsThePositionAndEjectOpensTheDoorUntilLoadedAgain)
{
    const std::string cue = WriteCdImage(dir.path().string(), "disc", {{3}});
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, cue));
    ASSERT_FALSE(device.open());
    device.play(std::nullopt, std::nullopt);
    ASSERT_TRUE(waitFor([&] { return device.framesDelivered() > 0; }));
    device.pause();
    const uint32_t held = device.position();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(device.position(), held);
    device.eject();
    EXPECT_EQ(device.mode(), CDMode::Open);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(device.mode(), CDMode::Open) << "an image's door stays open";
    device.eject();
    ASSERT_TRUE(waitFor([&] { return device.mode() == CDMode::Stopped; }));
    device.close();
    EXPECT_EQ(device.mode(), CDMode::NotReady);
}

TEST_F(CdioDevice, BadSourcesAreNotReadyWithAReason)
{
    const std::string good = WriteCdImage(dir.path().string(), "good", {{1}});
    TempDir::write(dir.file("missing.cue"),
                   "FILE \"nowhere.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    TempDir::write(dir.file("garbage.cue"), "this is not a cue sheet\n\x01\x02\n");
    const struct {
        CdioSource::Kind kind;
        std::string path;
    } cases[] = {
        {CdioSource::Kind::Image, dir.file("missing.cue")},
        {CdioSource::Kind::Image, dir.file("garbage.cue")},
        {CdioSource::Kind::Image, dir.file("absent.cue")},
        {CdioSource::Kind::Drive, dir.file("no-drive")},
        {CdioSource::Kind::Drive, ""},
    };
    for (const auto &c : cases) {
        CdioCDDevice device(CdioSource(c.kind, c.path));
        EXPECT_FALSE(device.open()) << "no disc is not an open error: " << c.path;
        EXPECT_EQ(device.mode(), CDMode::NotReady) << c.path;
        EXPECT_FALSE(device.notReadyReason().empty()) << c.path;
        device.play(std::nullopt, std::nullopt);
        EXPECT_EQ(device.mode(), CDMode::NotReady);
    }
}

TEST_F(CdioDevice, EnvironmentNamesTheImage)
{
    const std::string cue = WriteCdImage(dir.path().string(), "env", {{1}});
    ::setenv("ORVANE_CD_DEVICE", cue.c_str(), 1);
    const CdioSource source = CdioSource::fromEnvironment();
    ::unsetenv("ORVANE_CD_DEVICE");
    EXPECT_EQ(source.kind(), CdioSource::Kind::Image);
    EXPECT_EQ(source.path(), cue);
}
