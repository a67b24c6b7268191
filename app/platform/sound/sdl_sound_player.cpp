#include "app/platform/sound/sdl_sound_player.h"

#include "app/platform/sound/sample_converter.h"
#include "app/platform/sound/sdl_audio_output.h"
#include "app/platform/sound/silent_audio_output.h"
#include "app/platform/sound/tone_generator.h"

#include <cstdio>
#include <cstdlib>

namespace orvane {
namespace {

SoundMode modeOf(SoundFlags flags)
{
    if (!(flags & sndAsync))
        return SoundMode::Sync;
    return (flags & sndNoStop) ? SoundMode::AsyncNoStop : SoundMode::Async;
}

// A synchronous caller waits for the sound's length plus this much before giving up on a
// device that has stopped pulling samples.
constexpr auto kSyncGrace = std::chrono::milliseconds(2000);

} // namespace

SdlSoundPlayer::SdlSoundPlayer(const Clock &clock, std::string logPath) : m_log(clock, std::move(logPath)) {}

std::unique_ptr<SdlSoundPlayer> SdlSoundPlayer::fromEnvironment(const Clock &clock)
{
    const char *path = std::getenv("ORVANE_SOUND_LOG");
    return std::make_unique<SdlSoundPlayer>(clock, path ? path : "");
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    m_voice.stop();
    m_output.reset();
}

OutputFormat SdlSoundPlayer::openOutput()
{
    std::lock_guard lock(m_outputMutex);
    if (!m_output) {
        std::string error;
        m_output = SdlAudioOutput::open(m_voice, error);
        m_hasDevice = m_output != nullptr;
        if (!m_output) {
            std::fprintf(stderr, "orvane: no sound output (%s); sounds will be silent\n", error.c_str());
            m_output = std::make_unique<SilentAudioOutput>(m_voice);
        }
    }
    return m_output->format();
}

bool SdlSoundPlayer::hasDevice()
{
    openOutput();
    std::lock_guard lock(m_outputMutex);
    return m_hasDevice;
}

bool SdlSoundPlayer::play(const std::string &fileName, SoundFlags flags)
{
    const SoundKind kind = fileName.empty() ? SoundKind::Default : SoundKind::File;
    return perform({kind, fileName, flags}, [&]() -> DecodeResult {
        if (fileName.empty())
            return std::string("no sound named");
        return WaveDecoder::decodeFile(fileName);
    });
}

bool SdlSoundPlayer::play(const SoundImage &image, SoundFlags flags)
{
    return perform({SoundKind::Snippet, image.name, flags},
                   [&] { return WaveDecoder::decodeImage(image.bytes); });
}

bool SdlSoundPlayer::perform(const Request &request, const std::function<DecodeResult()> &decode)
{
    const SoundMode mode = modeOf(request.flags);
    std::unique_lock lock(m_requestMutex);
    if ((request.flags & sndNoStop) && m_voice.busy()) {
        m_log.write(request.kind, request.name, mode, SoundOutcome::Skipped);
        return false;
    }
    const OutputFormat format = openOutput();
    DecodeResult decoded = decode();
    std::optional<std::vector<float>> samples;
    if (auto *sound = std::get_if<DecodedSound>(&decoded))
        samples = SampleConverter::convert(*sound, format);

    SoundOutcome outcome = SoundOutcome::Played;
    if (!samples) {
        if (request.flags & sndNoDefault) {
            m_log.write(request.kind, request.name, mode, SoundOutcome::Skipped);
            return false;
        }
        samples = ToneGenerator::defaultSound(format);
        outcome = SoundOutcome::Default;
    }
    m_log.write(request.kind, request.name, mode, outcome);
    const Started started = start(std::move(*samples), format);
    // The wait of a synchronous request happens outside the lock, so that another thread's
    // request can still cut the sound off.
    lock.unlock();
    if (mode == SoundMode::Sync)
        waitUntilDone(started);
    return true;
}

SdlSoundPlayer::Started SdlSoundPlayer::start(std::vector<float> samples, OutputFormat format)
{
    const auto frames = samples.size() / static_cast<std::size_t>(format.channels);
    const auto length = std::chrono::milliseconds(frames * 1000 / static_cast<std::size_t>(format.rate));
    const std::uint64_t id = m_voice.start(std::move(samples));
    m_latestId = id;
    return {id, length};
}

void SdlSoundPlayer::waitUntilDone(const Started &started)
{
    if (!m_voice.waitUntilDone(started.id, started.length + kSyncGrace)) {
        std::fprintf(stderr, "orvane: the sound output stalled; sound cut off\n");
        m_voice.stop();
    }
}

void SdlSoundPlayer::stop()
{
    m_voice.stop();
}

bool SdlSoundPlayer::MessageBeep(unsigned type)
{
    std::unique_lock lock(m_requestMutex);
    const OutputFormat format = openOutput();
    m_log.write(SoundKind::Beep, std::to_string(type), SoundMode::Async, SoundOutcome::Played);
    start(ToneGenerator::alert(type, format), format);
    return true;
}

bool SdlSoundPlayer::isPlaying() const
{
    return m_voice.busy();
}

std::optional<SoundVoice::SteadyTime> SdlSoundPlayer::latestFirstSampleTime() const
{
    return m_voice.firstSampleTime(m_latestId);
}

} // namespace orvane
