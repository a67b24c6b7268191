#include "app/platform/sound/sdl_sound_player.h"

#include "app/platform/sound/silent_audio_output.h"
#include "app/platform/sound/wave_decoder.h"

#include "sound_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>

using namespace orvane;
using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

namespace {

// Every test runs SDL's dummy driver, which consumes sound at real speed and plays nothing.
class SdlSoundPlayerTest : public testing::Test {
protected:
    SdlSoundPlayerTest() : m_driver("SDL_AUDIODRIVER", "dummy"), m_clock(std::chrono::sys_days{}) {}

    std::unique_ptr<SdlSoundPlayer> makePlayer()
    {
        return std::make_unique<SdlSoundPlayer>(m_clock, m_dir.file("sound.log"));
    }
    // The log lines without their time column.
    std::vector<std::string> logged() const
    {
        std::vector<std::string> out;
        for (const std::string &line : SoundScratch::lines(m_dir.file("sound.log")))
            out.push_back(line.substr(line.find('\t') + 1));
        return out;
    }
    static bool becomesIdleWithin(const SoundPlayer &player, std::chrono::milliseconds limit)
    {
        const auto end = Steady::now() + limit;
        while (Steady::now() < end) {
            if (!player.isPlaying())
                return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    static std::vector<std::uint8_t> snippetBytes(const std::string &name)
    {
        const std::string text = SoundScratch::read(snippetPath(name));
        return {text.begin(), text.end()};
    }

    EnvGuard m_driver;
    SoundScratch m_dir;
    ManualClock m_clock;
};

std::chrono::milliseconds since(Steady::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start);
}

} // namespace

TEST_F(SdlSoundPlayerTest, SyncReturnsOnlyWhenTheWholeSoundHasPlayed)
{
    auto player = makePlayer();
    const std::string tone = m_dir.tone("tone.wav", 0.4);
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(tone, sndSync));
    EXPECT_GE(since(start), 350ms);
    EXPECT_LT(since(start), 2500ms);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(logged(), std::vector<std::string>{"file\t" + tone + "\tsync\tplayed"});
}

TEST_F(SdlSoundPlayerTest, AsyncReturnsAtOnceWhileTheSoundPlaysOn)
{
    auto player = makePlayer();
    const std::string tone = m_dir.tone("tone.wav", 1.0, 44100, 2);
    player->hasDevice(); // the device opens on first use; keep that out of the measurement
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(tone, sndAsync));
    EXPECT_LT(since(start), 300ms);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_TRUE(becomesIdleWithin(*player, 3s));
    EXPECT_GE(since(start), 900ms);
    EXPECT_EQ(logged(), std::vector<std::string>{"file\t" + tone + "\tasync\tplayed"});
}

TEST_F(SdlSoundPlayerTest, ALaterRequestCutsOffTheSoundPlaying)
{
    auto player = makePlayer();
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(m_dir.tone("long.wav", 4.0), sndAsync));
    EXPECT_TRUE(player->play(m_dir.tone("short.wav", 0.2), sndAsync));
    EXPECT_TRUE(becomesIdleWithin(*player, 2s));
    EXPECT_LT(since(start), 2s);
}

TEST_F(SdlSoundPlayerTest, NoStopIsSkippedWhileASoundPlaysAndLeavesThatSoundAlone)
{
    auto player = makePlayer();
    const std::string bell = m_dir.tone("bell.wav", 0.2);
    EXPECT_TRUE(player->play(m_dir.tone("long.wav", 3.0), sndAsync));
    EXPECT_FALSE(player->play(bell, sndAsync | sndNoStop));
    EXPECT_TRUE(player->isPlaying());
    player->stop();
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(player->play(bell, sndAsync | sndNoStop));
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "file\t" + bell + "\tasync-nostop\tskipped");
    EXPECT_EQ(lines[2], "file\t" + bell + "\tasync-nostop\tplayed");
}

TEST_F(SdlSoundPlayerTest, AnUnplayableFileGivesTheDefaultSoundUnlessNoDefaultIsAsked)
{
    auto player = makePlayer();
    const std::string corrupt =
        m_dir.writeText("corrupt.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    const std::string missing = m_dir.file("missing.wav");

    auto start = Steady::now();
    EXPECT_TRUE(player->play(corrupt, sndSync));
    EXPECT_GE(since(start), 150ms); // the default sound takes its time like any other
    EXPECT_TRUE(player->play(missing, sndAsync));
    EXPECT_TRUE(player->isPlaying());
    player->stop();

    start = Steady::now();
    EXPECT_FALSE(player->play(corrupt, sndSync | sndNoDefault));
    EXPECT_FALSE(player->play(missing, sndAsync | sndNoDefault));
    EXPECT_LT(since(start), 100ms);
    EXPECT_FALSE(player->isPlaying());

    EXPECT_EQ(logged(), (std::vector<std::string>{
                            "file\t" + corrupt + "\tsync\tdefault",
                            "file\t" + missing + "\tasync\tdefault",
                            "file\t" + corrupt + "\tsync\tskipped",
                            "file\t" + missing + "\tasync\tskipped",
                        }));
}

TEST_F(SdlSoundPlayerTest, AnEmptyNameAsksForTheDefaultSoundItself)
{
    auto player = makePlayer();
    EXPECT_TRUE(player->play(std::string(), sndAsync));
    EXPECT_TRUE(player->isPlaying());
    EXPECT_FALSE(player->play(std::string(), sndAsync | sndNoDefault | sndNoStop));
    EXPECT_EQ(logged(),
              (std::vector<std::string>{"default\t\tasync\tdefault", "default\t\tasync-nostop\tskipped"}));
}

TEST_F(SdlSoundPlayerTest, ASnippetPlaysFromMemoryAtItsOwnLength)
{
    auto player = makePlayer();
    const auto bytes = snippetBytes("WAVEFILE_OCLOCK");
    ASSERT_FALSE(bytes.empty());
    player->hasDevice();
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(SoundImage{"WAVEFILE_OCLOCK", bytes}, sndSync | sndNoDefault));
    // The snippet lasts 0.6 s at 11025 Hz; the device plays it at 44.1 kHz or its own rate.
    EXPECT_GE(since(start), 500ms);
    EXPECT_LT(since(start), 2500ms);
    EXPECT_FALSE(player->play(SoundImage{"WAVEFILE_99", {}}, sndSync | sndNoDefault));
    EXPECT_EQ(logged(), (std::vector<std::string>{"snippet\tWAVEFILE_OCLOCK\tsync\tplayed",
                                                  "snippet\tWAVEFILE_99\tsync\tskipped"}));
}

TEST_F(SdlSoundPlayerTest, MessageBeepPlaysAnAlertAndIsLogged)
{
    auto player = makePlayer();
    EXPECT_TRUE(player->MessageBeep(beepOk));
    EXPECT_TRUE(player->isPlaying());
    EXPECT_TRUE(player->MessageBeep(beepSimple));
    EXPECT_EQ(logged(),
              (std::vector<std::string>{"beep\t0\tasync\tplayed", "beep\t4294967295\tasync\tplayed"}));
}

TEST_F(SdlSoundPlayerTest, ASynchronousCallerIsReleasedWhenAnotherThreadCutsItsSoundOff)
{
    auto player = makePlayer();
    const std::string tone = m_dir.tone("long.wav", 4.0);
    player->hasDevice(); // opened here, so SDL's per-thread state stays on this thread
    Steady::time_point returned;
    const auto start = Steady::now();
    std::thread caller([&] {
        player->play(tone, sndSync);
        returned = Steady::now();
    });
    std::this_thread::sleep_for(300ms);
    player->stop();
    caller.join();
    EXPECT_LT(returned - start, 2s);
}

TEST_F(SdlSoundPlayerTest, ThePlayerCanGoAwayInTheMiddleOfASound)
{
    auto player = makePlayer();
    EXPECT_TRUE(player->play(m_dir.tone("long.wav", 3.0), sndAsync));
    const auto start = Steady::now();
    player.reset();
    EXPECT_LT(since(start), 1s);
}

TEST_F(SdlSoundPlayerTest, WithoutAnAudioDeviceSoundsAreSilentButBehaveTheSame)
{
    EnvGuard broken("SDL_AUDIODRIVER", "no-such-driver");
    auto player = makePlayer();
    const std::string tone = m_dir.tone("tone.wav", 0.3);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(player->hasDevice());
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(tone, sndSync));
    EXPECT_GE(since(start), 250ms);
    EXPECT_TRUE(player->play(tone, sndAsync));
    EXPECT_FALSE(player->play(tone, sndAsync | sndNoStop));
    EXPECT_TRUE(player->MessageBeep(beepOk));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no sound output"), std::string::npos);
    EXPECT_EQ(err.find("no sound output"), err.rfind("no sound output"));
    // Nothing was heard, and the log says so.
    EXPECT_EQ(logged(), (std::vector<std::string>{
                            "file\t" + tone + "\tsync\tsilent", "file\t" + tone + "\tasync\tsilent",
                            "file\t" + tone + "\tasync-nostop\tskipped", "beep\t0\tasync\tsilent"}));
}

struct IdleCase {
    const char *name;
    const char *driver;
};

class SdlSoundPlayerIdleTest : public SdlSoundPlayerTest, public testing::WithParamInterface<IdleCase> {
protected:
    static bool closesWithin(const SdlSoundPlayer &player, std::chrono::milliseconds limit)
    {
        const auto end = Steady::now() + limit;
        while (Steady::now() < end) {
            if (!player.outputOpen())
                return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
};

TEST_P(SdlSoundPlayerIdleTest, TheOutputClosesAtRestAndOpensAgainForTheNextSound)
{
    EnvGuard driver("SDL_AUDIODRIVER", GetParam().driver);
    testing::internal::CaptureStderr();
    SdlSoundPlayer player(m_clock, m_dir.file("sound.log"), {}, 300ms);
    const std::string tone = m_dir.tone("tone.wav", 0.4);
    EXPECT_TRUE(player.play(tone, sndAsync));
    EXPECT_TRUE(player.outputOpen());
    // Not while the sound plays, nor right after it.
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(player.outputOpen());
    EXPECT_TRUE(closesWithin(player, 2s));
    // The next sound opens it again and plays whole, its start not lost to the opening.
    const auto start = Steady::now();
    EXPECT_TRUE(player.play(tone, sndSync));
    EXPECT_GE(since(start), 350ms);
    const auto first = player.latestFirstSampleTime();
    ASSERT_TRUE(first.has_value());
    EXPECT_LT(*first - start, 200ms);
    EXPECT_TRUE(closesWithin(player, 2s));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(logged().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Outputs, SdlSoundPlayerIdleTest,
                         testing::Values(IdleCase{"Device", "dummy"}, IdleCase{"NoDevice", "no-such-driver"}),
                         [](const testing::TestParamInfo<IdleCase> &info) { return info.param.name; });

TEST_F(SdlSoundPlayerTest, TheEnvironmentNamesTheLogAndOpeningTheDeviceIsNoRequest)
{
    const std::string path = m_dir.file("from-env.log");
    EnvGuard log("ORVANE_SOUND_LOG", path.c_str());
    auto player = SdlSoundPlayer::fromEnvironment(m_clock);
    EXPECT_TRUE(player->hasDevice()); // the dummy driver counts as a device
    EXPECT_FALSE(std::filesystem::exists(path));
    player->MessageBeep(beepQuestion);
    const auto lines = SoundScratch::lines(path);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].find('\t')), "\tbeep\t32\tasync\tplayed");
}

TEST_F(SdlSoundPlayerTest, TheFirstSamplesOfARequestReachTheDeviceWithinAFewBuffers)
{
    auto player = makePlayer();
    player->hasDevice();
    const auto bytes = snippetBytes("WAVEFILE_7");
    ASSERT_FALSE(bytes.empty());
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(SoundImage{"WAVEFILE_7", bytes}, sndSync));
    const auto first = player->latestFirstSampleTime();
    ASSERT_TRUE(first.has_value());
    EXPECT_GE(*first, start);
    EXPECT_LT(*first - start, 200ms);
}

TEST_F(SdlSoundPlayerTest, OpeningTheDeviceLeavesInterruptAndTerminateToTheProgram)
{
    EnvGuard noOverride("SDL_NO_SIGNAL_HANDLERS", nullptr);
    auto player = makePlayer();
    ASSERT_TRUE(player->hasDevice());
    for (int sig : {SIGINT, SIGTERM}) {
        struct sigaction current {};
        sigaction(sig, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << "signal " << sig;
    }
}

TEST_F(SdlSoundPlayerTest, ALongFileStartsAtOnceAndIsReadWhilePlaying)
{
    auto player = makePlayer();
    const std::string song = m_dir.tone("song.wav", 120.0, 44100, 2); // 21 MB of samples
    player->hasDevice();
    // Reading the whole file first is what the request must not wait for; timed here, on this
    // machine, to compare with.
    auto start = Steady::now();
    ASSERT_TRUE(std::holds_alternative<DecodedSound>(WaveDecoder::decodeFile(song)));
    const auto wholeRead = since(start);
    start = Steady::now();
    EXPECT_TRUE(player->play(song, sndAsync));
    EXPECT_LT(since(start) * 4, wholeRead);
    EXPECT_TRUE(player->isPlaying());
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(player->isPlaying());
    const auto cut = Steady::now();
    EXPECT_TRUE(player->play(m_dir.tone("bell.wav", 0.1), sndAsync)); // ends the reading too
    EXPECT_LT(since(cut) * 4, wholeRead);
    EXPECT_TRUE(becomesIdleWithin(*player, 2s));
}

TEST_F(SdlSoundPlayerTest, AFileReadInPiecesStillPlaysToItsFullLength)
{
    auto player = makePlayer();
    // Longer than the amount kept queued ahead, at a rate that needs resampling.
    const std::string tone = m_dir.tone("long.wav", 6.5, 22050, 1);
    const auto start = Steady::now();
    EXPECT_TRUE(player->play(tone, sndSync));
    // SDL's dummy driver waits a whole number of milliseconds per 11.6 ms buffer, so it runs
    // about 5% fast: 6.5 s take some 6.2 s. One lost half-second piece would end it by 5.7 s.
    EXPECT_GE(since(start), 5900ms);
    EXPECT_LT(since(start), 9000ms);
    EXPECT_FALSE(player->isPlaying());
}

namespace {

// A device the test can unplug: it plays (silently, at real speed) until told it is lost.
class UnpluggableOutput : public SilentAudioOutput {
public:
    UnpluggableOutput(SoundVoice &voice, bool &unplugged) : SilentAudioOutput(voice), m_unplugged(unplugged)
    {}
    bool lost() const override { return m_unplugged; }

private:
    bool &m_unplugged;
};

} // namespace

TEST_F(SdlSoundPlayerTest, AnUnpluggedDeviceIsReplacedAtTheNextRequest)
{
    bool unplugged = false;
    int opened = 0;
    SdlSoundPlayer player(m_clock, "",
                          [&](SoundVoice &voice, const std::optional<OutputFormat> &,
                              std::string &) -> std::unique_ptr<AudioOutput> {
                              ++opened;
                              unplugged = false;
                              return std::make_unique<UnpluggableOutput>(voice, unplugged);
                          });
    const std::string bell = m_dir.tone("bell.wav", 0.1);
    EXPECT_TRUE(player.play(bell, sndAsync));
    EXPECT_TRUE(player.play(bell, sndAsync));
    EXPECT_EQ(opened, 1);
    unplugged = true;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(player.play(bell, sndSync));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("the sound device has gone"), std::string::npos);
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(player.hasDevice());
}

TEST_F(SdlSoundPlayerTest, WhenNoDeviceCanBeOpenedTheReasonIsGivenOnceAndSoundsGoOnSilently)
{
    int tries = 0;
    SdlSoundPlayer player(m_clock, "",
                          [&](SoundVoice &, const std::optional<OutputFormat> &,
                              std::string &error) -> std::unique_ptr<AudioOutput> {
                              ++tries;
                              error = "the test has no device";
                              return nullptr;
                          });
    testing::internal::CaptureStderr();
    const auto start = Steady::now();
    EXPECT_TRUE(player.play(m_dir.tone("tone.wav", 0.3), sndSync));
    EXPECT_GE(since(start), 250ms);
    EXPECT_TRUE(player.MessageBeep(beepOk));
    EXPECT_FALSE(player.hasDevice());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "orvane: no sound output (the test has no device); sounds will be silent\n");
    EXPECT_EQ(tries, 1);
}

namespace {

// A device that takes half a second to close, as a real one may take a few buffers.
class SlowClosingOutput : public SilentAudioOutput {
public:
    using SilentAudioOutput::SilentAudioOutput;
    ~SlowClosingOutput() override { std::this_thread::sleep_for(500ms); }
};

} // namespace

TEST_F(SdlSoundPlayerTest, ASoundAskedForWhileTheIdleDeviceClosesDoesNotWaitForTheClosing)
{
    std::atomic<int> opened = 0;
    SdlSoundPlayer player(
        m_clock, "",
        [&](SoundVoice &voice, const std::optional<OutputFormat> &,
            std::string &) -> std::unique_ptr<AudioOutput> {
            ++opened;
            return std::make_unique<SlowClosingOutput>(voice);
        },
        50ms);
    const std::string bell = m_dir.tone("bell.wav", 0.05);
    EXPECT_TRUE(player.play(bell, sndAsync));
    const auto limit = Steady::now() + 2s;
    while (player.outputOpen() && Steady::now() < limit)
        std::this_thread::sleep_for(2ms);
    ASSERT_FALSE(player.outputOpen());
    // The first device is closing now; the next sound opens another one at once.
    const auto start = Steady::now();
    EXPECT_TRUE(player.play(bell, sndAsync));
    EXPECT_LT(since(start), 250ms);
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(player.play(bell, sndSync));
    EXPECT_LT(since(start), 400ms);
}
