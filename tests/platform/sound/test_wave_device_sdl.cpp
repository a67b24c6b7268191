// The recorder's wave device for real: SDL's "disk" audio driver stands in for a microphone
// (it reads raw samples from a file) and for a speaker, so a recording made through SDL's
// capture path can be compared sample by sample with what went in.
#include "app/media/recorder_session.h"
#include "app/platform/sound/wave_device_sdl.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Sets SDL's audio variables for one test and removes them afterwards.
class AudioEnvironment {
public:
    AudioEnvironment(const char *driver, const std::string &inputFile, const std::string &outputFile)
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILEIN", inputFile.c_str(), 1);
        setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
    }
    ~AudioEnvironment()
    {
        unsetenv("SDL_DISKAUDIOFILEIN");
        unsetenv("SDL_DISKAUDIOFILE");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
};

std::vector<std::int16_t> pattern(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<int>(i * 37 % 20000) - 10000);
    return samples;
}

bool waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class WaveDeviceSdlTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string programDir = dir.path().string() + "/";
    std::vector<std::int16_t> input = pattern(SdlWaveDevice::kRecordRate * 2);

    std::string writeInput()
    {
        const std::string path = dir.file("microphone.raw");
        TempDir::write(path, std::string(reinterpret_cast<const char *>(input.data()), input.size() * 2));
        return path;
    }
};

TEST_F(WaveDeviceSdlTest, RecordingThroughCaptureIsSavedAsTheFirstNumberedWave)
{
    AudioEnvironment audio("disk", writeInput(), dir.file("speaker.raw"));
    SdlWaveDevice device;
    std::atomic<int> notified{0};
    device.setNotify([&] { ++notified; });
    RecorderSession session(device, programDir, "");
    ASSERT_EQ(session.FormShow(), std::nullopt);
    ASSERT_EQ(session.Record(), std::nullopt);
    EXPECT_EQ(session.modeText(), "Recording");
    ASSERT_TRUE(waitFor([&] { return device.lengthMs() >= 300; }, 5s));
    ASSERT_EQ(session.Stop(), std::nullopt);
    EXPECT_EQ(session.modeText(), "Stopped");
    EXPECT_GE(notified.load(), 1);
    const RecorderSession::OkResult result = session.Ok();
    ASSERT_EQ(result.outcome, RecorderSession::OkOutcome::Ok);
    EXPECT_EQ(result.RecorderFileName, programDir + "waves/OV-1.wav");
    EXPECT_TRUE(result.RecordingPending);

    SF_INFO info{};
    SNDFILE *file = sf_open(result.RecorderFileName.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.samplerate, SdlWaveDevice::kRecordRate);
    EXPECT_EQ(info.channels, 1);
    ASSERT_GE(info.frames, SdlWaveDevice::kRecordRate * 3 / 10);
    std::vector<std::int16_t> recorded(static_cast<std::size_t>(info.frames));
    EXPECT_EQ(sf_readf_short(file, recorded.data(), info.frames), info.frames);
    sf_close(file);
    const std::size_t compared = std::min(recorded.size(), input.size());
    EXPECT_TRUE(
        std::equal(recorded.begin(), recorded.begin() + static_cast<std::ptrdiff_t>(compared), input.begin()))
        << "the recording differs from what the capture device delivered";
    // The temporary file stays the empty wave: a recording is only kept by OK.
    EXPECT_EQ(std::filesystem::file_size(programDir + "waves/temp.wav"), 44u);
}

TEST_F(WaveDeviceSdlTest, PlayingASavedWaveEndsWithANotification)
{
    AudioEnvironment audio("disk", writeInput(), dir.file("speaker.raw"));
    const std::string wave = dir.file("short.wav");
    {
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE *out = sf_open(wave.c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr);
        const std::vector<std::int16_t> tone = pattern(22050 / 5);
        sf_writef_short(out, tone.data(), static_cast<sf_count_t>(tone.size()));
        sf_close(out);
    }
    SdlWaveDevice device;
    std::atomic<int> notified{0};
    device.setNotify([&] { ++notified; });
    ASSERT_EQ(device.openFile(wave), std::nullopt);
    EXPECT_EQ(device.lengthMs(), 200);
    ASSERT_EQ(device.play(), std::nullopt);
    EXPECT_EQ(device.mode(), WaveMode::Playing);
    ASSERT_TRUE(waitFor([&] { return notified.load() > 0; }, 5s));
    EXPECT_EQ(device.mode(), WaveMode::Stopped);
    EXPECT_EQ(device.close(), std::nullopt);
    EXPECT_EQ(device.mode(), WaveMode::NotReady);
}

TEST_F(WaveDeviceSdlTest, NoAudioDeviceMakesRecordingNotReadyWithAClearText)
{
    AudioEnvironment audio("no-such-driver", dir.file("none.raw"), dir.file("none-out.raw"));
    SdlWaveDevice device;
    ASSERT_EQ(device.openNew(), std::nullopt);
    const WaveError error = device.record();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind("No sound recording device is ready: ", 0), 0u) << *error;
    EXPECT_EQ(device.mode(), WaveMode::NotReady);
    // Saving what there is still works; the device is only not ready to record.
    EXPECT_EQ(device.save(dir.file("empty.wav")), std::nullopt);
}

TEST_F(WaveDeviceSdlTest, DamagedFileIsAnErrorNotACrash)
{
    TempDir::write(dir.file("bad.wav"), "RIFF\x10\0\0\0WAVEjunkjunk");
    SdlWaveDevice device;
    const WaveError error = device.openFile(dir.file("bad.wav"));
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("bad.wav"), std::string::npos);
    EXPECT_EQ(device.mode(), WaveMode::NotReady);
    EXPECT_EQ(device.play(), std::string("The wave device is not open."));
}

} // namespace
} // namespace orvane
