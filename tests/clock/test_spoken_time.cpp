// The announcer with the real player and the built-in snippets, on SDL's dummy driver: what
// the sound log shows and how long the caller is held.
#include "app/clock/voice_announcer.h"
#include "app/platform/sound/sdl_sound_player.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace orvane;
using Steady = std::chrono::steady_clock;

namespace {

std::vector<std::string> logColumns(const std::string &path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        out.push_back(line.substr(line.find('\t') + 1));
    return out;
}

} // namespace

TEST(SpokenTime, SevenOhFiveWithAWaveAfterIsLoggedInOrderAndTakesItsTime)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const auto dir = std::filesystem::temp_directory_path() / ("orvane-voice-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string log = (dir / "sound.log").string();
    const std::string missingWave = (dir / "gone.wav").string();
    ManualClock clock(std::chrono::sys_days{std::chrono::year{2026} / 12 / 8});
    {
        SdlSoundPlayer player(clock, log);
        VoiceAnnouncer announcer(player);
        player.hasDevice();
        const auto start = Steady::now();
        EXPECT_TRUE(announcer.Announce(7, 5, false, {true, 5, true, 2, missingWave}));
        // Three snippets of at least 0.3 s each, then the default sound for the missing wave.
        EXPECT_GE(Steady::now() - start, std::chrono::milliseconds(1000));
        EXPECT_FALSE(player.isPlaying());
    }
    EXPECT_EQ(logColumns(log), (std::vector<std::string>{
                                   "snippet\tWAVEFILE_7\tsync\tplayed",
                                   "snippet\tWAVEFILE_0\tsync\tplayed",
                                   "snippet\tWAVEFILE_5\tsync\tplayed",
                                   "file\t" + missingWave + "\tsync\tdefault",
                               }));
    std::filesystem::remove_all(dir);
}
