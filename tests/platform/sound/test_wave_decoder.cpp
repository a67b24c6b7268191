#include "app/platform/sound/wave_decoder.h"

#include "sound_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <future>

using namespace orvane;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string &path)
{
    const std::string text = SoundScratch::read(path);
    return {text.begin(), text.end()};
}

std::string errorOf(const DecodeResult &r)
{
    const auto *e = std::get_if<std::string>(&r);
    return e ? *e : std::string();
}

} // namespace

TEST(WaveDecoder, ReadsA16BitStereoFileAtItsOwnRateAndLength)
{
    SoundScratch dir;
    const auto result = WaveDecoder::decodeFile(dir.tone("tone.wav", 0.5, 22050, 2));
    const auto *sound = std::get_if<DecodedSound>(&result);
    ASSERT_NE(sound, nullptr) << errorOf(result);
    EXPECT_EQ(sound->rate, 22050);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->frames(), 11025u);
    const auto peak = *std::max_element(sound->samples.begin(), sound->samples.end());
    EXPECT_NEAR(peak, 0.25f, 0.01f);
}

TEST(WaveDecoder, ReadsAnEightBitSnippetFileAndTheSameBytesFromMemoryAlike)
{
    const std::string path = snippetPath("WAVEFILE_7");
    const auto fromFile = WaveDecoder::decodeFile(path);
    const auto bytes = bytesOf(path);
    const auto fromMemory = WaveDecoder::decodeImage(bytes);
    const auto *a = std::get_if<DecodedSound>(&fromFile);
    const auto *b = std::get_if<DecodedSound>(&fromMemory);
    ASSERT_NE(a, nullptr) << errorOf(fromFile);
    ASSERT_NE(b, nullptr) << errorOf(fromMemory);
    EXPECT_EQ(a->rate, 11025);
    EXPECT_EQ(a->channels, 1);
    EXPECT_GT(a->frames(), 1000u);
    EXPECT_EQ(a->samples, b->samples);
}

TEST(WaveDecoder, RefusesWhatIsNotSoundWithAReason)
{
    SoundScratch dir;
    const std::string text = dir.writeText("notes.wav", "this is not a wave file at all, only text");
    const std::string empty = dir.writeText("empty.wav", "");
    EXPECT_FALSE(errorOf(WaveDecoder::decodeFile(text)).empty());
    EXPECT_FALSE(errorOf(WaveDecoder::decodeFile(empty)).empty());
    EXPECT_EQ(errorOf(WaveDecoder::decodeFile(dir.file("missing.wav"))), "no such file");
    EXPECT_EQ(errorOf(WaveDecoder::decodeFile("")), "no such file");
    EXPECT_EQ(errorOf(WaveDecoder::decodeFile(dir.file(""))), "not a regular file");
}

TEST(WaveDecoder, RefusesCorruptAndTruncatedImages)
{
    auto bytes = bytesOf(snippetPath("WAVEFILE_7"));
    ASSERT_GT(bytes.size(), 44u);
    // Only the RIFF header and the start of the format chunk: no sound data follows.
    const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + 20);
    EXPECT_FALSE(errorOf(WaveDecoder::decodeImage(truncated)).empty());
    // A broken format chunk: the channel count is zero.
    auto broken = bytes;
    broken[22] = 0;
    broken[23] = 0;
    EXPECT_FALSE(errorOf(WaveDecoder::decodeImage(broken)).empty());
    EXPECT_EQ(errorOf(WaveDecoder::decodeImage({})), "empty image");
}

TEST(WaveDecoder, AFifoIsRefusedWithoutWaitingForAWriter)
{
    SoundScratch dir;
    const std::string fifo = dir.file("pipe.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto pending = std::async(std::launch::async, [&] { return WaveDecoder::decodeFile(fifo); });
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(errorOf(pending.get()), "not a regular file");
}

TEST(WaveDecoder, AHeaderClaimingMoreDataThanThereIsGivesWhatIsThere)
{
    SoundScratch dir;
    std::string bytes = SoundScratch::read(dir.tone("short.wav", 0.1));
    ASSERT_GT(bytes.size(), 44u);
    // The data chunk's size field (bytes 40..43 of a plain 16-bit PCM header): about 2 GB.
    ASSERT_EQ(bytes.substr(36, 4), "data");
    bytes[40] = '\xf0';
    bytes[41] = '\xff';
    bytes[42] = '\xff';
    bytes[43] = '\x7f';
    const auto result = WaveDecoder::decodeFile(dir.writeText("liar.wav", bytes));
    const auto *sound = std::get_if<DecodedSound>(&result);
    ASSERT_NE(sound, nullptr) << errorOf(result);
    EXPECT_EQ(sound->frames(), 2205u);
}
