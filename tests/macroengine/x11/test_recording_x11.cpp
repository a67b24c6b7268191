// Recording through the RECORD extension, steered by the toggle-record, pause and cancel keys.
#include "tests/macroengine/support/input_x11_fixture.h"

#include <X11/keysym.h>

namespace orvane::test {
namespace {

// The virtual keys and messages of the events the scrap macro holds.
struct Recorded {
    uint32_t message;
    uint32_t vk; // low byte of paramL for keys, x for the mouse
    uint32_t y;
    bool operator==(const Recorded &) const = default;
};

std::vector<Recorded> scrapEvents()
{
    // The scrap macro is read back through a file: the only way the interface hands out events.
    const std::string path = "/tmp/kyloom-scrap-" + std::to_string(getpid()) + ".mac";
    KyMacro scrap = GetScrapMacro();
    std::vector<Recorded> out;
    if (InstallMacro(0x0641, scrap, "copy", nullptr) != 0)
        return out;
    WriteMacros(path.c_str());
    InstallMacro(0x0641, 0, nullptr, nullptr);
    std::FILE *file = std::fopen(path.c_str(), "rb");
    unsigned char header[11 + 16 + 1];
    if (std::fread(header, 1, sizeof header, file) == sizeof header) {
        unsigned char name[256];
        if (std::fread(name, 1, header[27], file) == header[27]) {
            unsigned char e[20];
            while (std::fread(e, 1, 20, file) == 20) {
                auto at = [&](int i) {
                    return uint32_t(e[i]) | uint32_t(e[i + 1]) << 8 | uint32_t(e[i + 2]) << 16 |
                           uint32_t(e[i + 3]) << 24;
                };
                const bool key = at(0) < 0x200;
                out.push_back({at(0), key ? (at(4) & 0xFF) : at(4), key ? 0 : at(8)});
            }
        }
    }
    std::fclose(file);
    std::remove(path.c_str());
    return out;
}

bool stateIs(uint8_t state)
{
    return pumpUntil([state] { return GetMacroState() == state; });
}

const std::vector<KeySym> kToggleModifiers{XK_Control_L, XK_Alt_L, XK_Shift_L};

TEST(RecordingX11, ToggleKeyRecordsOnlyTheKeysTypedBetween)
{
    Reports reports;
    EngineSession session(1, RMIgnore);
    ASSERT_TRUE(session.ok());
    TargetWindow target;
    FakeUser user;
    user.tap(XK_F11, kToggleModifiers);
    ASSERT_TRUE(stateIs(1));
    user.tap(XK_a);
    user.tap(XK_b, {XK_Shift_L});
    user.tap(XK_F11, kToggleModifiers);
    ASSERT_TRUE(stateIs(0));
    EXPECT_EQ(scrapEvents(), (std::vector<Recorded>{{0x100, 0x41, 0},
                                                    {0x101, 0x41, 0},
                                                    {0x100, 0x10, 0},
                                                    {0x100, 0x42, 0},
                                                    {0x101, 0x42, 0},
                                                    {0x101, 0x10, 0}}));
    EXPECT_TRUE(reports.take().empty());
    // The steering keys never reached the application either.
    for (KeySym k : target.pressedKeys())
        EXPECT_NE(k, XK_F11);
}

TEST(RecordingX11, CancelKeyDiscardsTheRecording)
{
    EngineSession session(1, RMIgnore, MBWindow, 1);
    ASSERT_TRUE(session.ok());
    FakeUser user;
    RecordingOn();
    ASSERT_EQ(GetMacroState(), 1);
    user.tap(XK_a);
    user.tap(XK_Pause, {XK_Control_L}); // Ctrl+Break
    ASSERT_TRUE(stateIs(0));
    EXPECT_TRUE(scrapEvents().empty());
}

TEST(RecordingX11, PauseKeyLeavesAGapInTheRecording)
{
    EngineSession session(1, RMIgnore);
    ASSERT_TRUE(session.ok());
    FakeUser user;
    RecordingOn();
    user.tap(XK_a);
    user.tap(XK_Pause);
    ASSERT_TRUE(stateIs(3));
    user.tap(XK_b);
    user.tap(XK_Pause);
    ASSERT_TRUE(stateIs(1));
    user.tap(XK_c);
    RecordingOff();
    EXPECT_EQ(scrapEvents(), (std::vector<Recorded>{
                                 {0x100, 0x41, 0}, {0x101, 0x41, 0}, {0x100, 0x43, 0}, {0x101, 0x43, 0}}));
}

TEST(RecordingX11, MouseRecordingModes)
{
    for (uint8_t mode : {RMIgnore, RMClicksAndDrags, RMAll}) {
        EngineSession session(1, mode, MBScreen);
        ASSERT_TRUE(session.ok());
        FakeUser user;
        user.moveTo(10, 10);
        RecordingOn();
        user.moveTo(50, 60);
        user.click(Button1);
        RecordingOff();
        const std::vector<Recorded> events = scrapEvents();
        if (mode == RMIgnore) {
            EXPECT_TRUE(events.empty());
        } else if (mode == RMClicksAndDrags) {
            EXPECT_EQ(events, (std::vector<Recorded>{{0x201, 50, 60}, {0x202, 50, 60}}));
        } else {
            ASSERT_EQ(events.size(), 3u);
            EXPECT_EQ(events[0], (Recorded{0x200, 50, 60}));
        }
    }
}

TEST(RecordingX11, WindowOriginClickPlaysAtTheSameSpotOfTheWindowActiveAtPlayback)
{
    EngineSession session(1, RMClicksAndDrags, MBWindow);
    ASSERT_TRUE(session.ok());
    FakeUser user;
    {
        TargetWindow first(100, 80);
        RecordingOn();
        user.moveTo(110, 100);
        user.click(Button1);
        RecordingOff();
        EXPECT_EQ(scrapEvents(), (std::vector<Recorded>{{0x201, 10, 20}, {0x202, 10, 20}}));
        EXPECT_EQ(first.clicks().size(), 1u);
    }
    TargetWindow second(300, 250);
    PlaybackScrap();
    ASSERT_TRUE(stateIs(0));
    const auto clicks = second.clicks();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].x, 10);
    EXPECT_EQ(clicks[0].y, 20);
}

} // namespace
} // namespace orvane::test
