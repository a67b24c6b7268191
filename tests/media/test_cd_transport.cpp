// Positions, lengths and the transport under the CD device: the arithmetic the disc identity
// and the player depend on, and data tracks that must never be played.
#include "app/platform/cd_transport.h"
#include "app/platform/fake/fake_cd_device.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(CDToc, PackedFormsPutTheirFirstFieldInTheLowestByte)
{
    struct Case {
        int32_t frames;
        uint32_t msf;
    };
    const Case cases[] = {
        {0, 0x000000},
        {74, 0x4A0000},
        {75, 0x000100},
        {60 * 75 + 2 * 75 + 3, 0x030201},
        {72 * 60 * 75, 0x000048},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PackMsf(c.frames), c.msf) << c.frames;
        EXPECT_EQ(PackTmsf(5, c.frames), (c.msf << 8) | 5u) << c.frames;
    }
}

TEST(CDToc, TrackLengthsStartsAndPositions)
{
    const CDTableOfContents toc = FakeCDDevice::disc({3, 61, 2});
    EXPECT_EQ(toc.trackLengthMsf(2), PackMsf(61 * 75));
    EXPECT_EQ(toc.trackLengthMsf(3), PackMsf(2 * 75));
    EXPECT_EQ(toc.discLengthMsf(), PackMsf(66 * 75));
    EXPECT_EQ(toc.trackStartTmsf(2), 2u);
    EXPECT_EQ(toc.tmsfAt(3 * 75 + 61 * 75 - 1), PackTmsf(2, 61 * 75 - 1));
    EXPECT_EQ(toc.lsnOf(PackTmsf(2, 75)), 4 * 75);
    EXPECT_EQ(toc.lsnOf(PackTmsf(9, 0)), toc.leadoutLsn);
    EXPECT_EQ(toc.trackLengthMsf(0), 0u);
    EXPECT_EQ(toc.trackLengthMsf(4), 0u);
}

TEST(CDTransport, DataTracksAreSkipped)
{
    FakeCDDevice device;
    device.insertDisc(FakeCDDevice::disc({1, 1, 1}, {2}));
    ASSERT_FALSE(device.open());
    device.play(std::nullopt, std::nullopt);
    device.playFrames(76);
    EXPECT_EQ(TmsfTrack(device.position()), 3) << "track 2 holds data";
    device.playToEnd();
    EXPECT_EQ(device.mode(), CDMode::Stopped);
    EXPECT_TRUE(device.takeNotification());
    EXPECT_FALSE(device.takeNotification());
    // A play of the data track alone ends at once.
    device.play(device.trackStart(2), device.trackStart(3));
    EXPECT_EQ(device.mode(), CDMode::Stopped);
    EXPECT_TRUE(device.takeNotification());
}

TEST(CDTransport, PreviousGoesToTheTrackStartThenBackATrack)
{
    CDTransport t;
    t.insert(FakeCDDevice::disc({3, 3, 3}));
    t.seek(3 * 75 + 150);
    t.previous();
    EXPECT_EQ(t.position(), PackTmsf(2, 0));
    t.previous();
    EXPECT_EQ(t.position(), PackTmsf(1, 0));
    t.next();
    t.next();
    t.next();
    EXPECT_EQ(TmsfTrack(t.position()), 3);
}

TEST(CDTransport, HeadJumpsChangeTheGenerationSoReadAheadIsDropped)
{
    CDTransport t;
    t.insert(FakeCDDevice::disc({3, 3}));
    t.play(std::nullopt, std::nullopt);
    const uint64_t g = t.generation();
    t.heardUpTo(10);
    EXPECT_EQ(t.generation(), g);
    t.pause();
    t.resume();
    EXPECT_EQ(t.generation(), g) << "resuming keeps what was read ahead";
    t.next();
    EXPECT_NE(t.generation(), g);
}
