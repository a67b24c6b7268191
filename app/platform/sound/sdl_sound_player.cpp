#include "app/platform/sound/sdl_sound_player.h"

#include "app/platform/sound/sdl_audio_output.h"
#include "app/platform/sound/silent_audio_output.h"
#include "app/platform/sound/tone_generator.h"

#include <SDL2/SDL.h>

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

std::chrono::milliseconds lengthOf(std::size_t samples, OutputFormat format)
{
    const auto frames = samples / static_cast<std::size_t>(format.channels);
    return std::chrono::milliseconds(frames * 1000 / static_cast<std::size_t>(format.rate));
}

// A synchronous caller waits for the sound's length plus this much before giving up on a
// device that has stopped pulling samples.
constexpr auto kSyncGrace = std::chrono::milliseconds(2000);
// Files are read half a second at a time and kept at most five seconds ahead of the device.
constexpr double kPieceSeconds = 0.5;
constexpr double kAheadSeconds = 5.0;

// Runs on the reader thread: feeds the rest of a long file to sound `id` until it has all
// been read or the sound is no longer playing.
void feedRest(SoundVoice &voice, std::uint64_t id, WaveReader &reader, SampleConverter &converter,
              OutputFormat format)
{
    const auto pieceFrames = static_cast<std::size_t>(kPieceSeconds * reader.rate());
    const auto room = static_cast<std::size_t>(kAheadSeconds * format.rate * format.channels);
    while (voice.waitForRoom(id, room)) {
        const DecodedSound piece = reader.read(pieceFrames);
        if (piece.samples.empty()) {
            voice.append(id, converter.finish());
            voice.finish(id);
            return;
        }
        if (!voice.append(id, converter.push(piece.samples)))
            return;
    }
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(const Clock &clock, std::string logPath, DeviceOpener openDevice)
    : m_log(clock, std::move(logPath)),
      m_openDevice(openDevice ? std::move(openDevice) : DeviceOpener(&SdlAudioOutput::open))
{
}

std::unique_ptr<SdlSoundPlayer> SdlSoundPlayer::fromEnvironment(const Clock &clock)
{
    const char *path = std::getenv("ORVANE_SOUND_LOG");
    return std::make_unique<SdlSoundPlayer>(clock, path ? path : "");
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    m_voice.stop();
    if (m_reader.joinable())
        m_reader.join();
    m_output.reset();
}

OutputFormat SdlSoundPlayer::openOutput()
{
    std::lock_guard lock(m_outputMutex);
    if (m_output && m_hasDevice && m_output->lost()) {
        std::fprintf(stderr, "orvane: the sound device has gone; opening the default one again\n");
        m_output.reset();
    }
    if (!m_output) {
        std::string error;
        m_output = m_openDevice(m_voice, error);
        m_hasDevice = m_output != nullptr;
        if (!m_output) {
            if (!m_silenceReported)
                std::fprintf(stderr, "orvane: no sound output (%s); sounds will be silent\n", error.c_str());
            m_silenceReported = true;
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
    return perform({kind, fileName, flags, false}, [&]() -> WaveReaderResult {
        if (fileName.empty())
            return std::string("no sound named");
        return WaveReader::openFile(fileName);
    });
}

bool SdlSoundPlayer::play(const SoundImage &image, SoundFlags flags)
{
    return perform({SoundKind::Snippet, image.name, flags, true},
                   [&] { return WaveReader::openImage(image.bytes); });
}

std::optional<SdlSoundPlayer::Prepared> SdlSoundPlayer::prepare(WaveReaderResult opened, OutputFormat format,
                                                                bool whole)
{
    auto *reader = std::get_if<std::unique_ptr<WaveReader>>(&opened);
    if (!reader)
        return std::nullopt;
    std::optional<SampleConverter> converter = SampleConverter::create((*reader)->rate(), (*reader)->channels(), format);
    if (!converter)
        return std::nullopt;
    Prepared sound;
    const auto pieceFrames = static_cast<std::size_t>(kPieceSeconds * (*reader)->rate());
    for (;;) {
        const DecodedSound piece = (*reader)->read(pieceFrames);
        if (piece.samples.empty())
            break;
        const std::vector<float> converted = converter->push(piece.samples);
        sound.samples.insert(sound.samples.end(), converted.begin(), converted.end());
        if (!whole) {
            sound.length = std::chrono::milliseconds((*reader)->frames() * 1000 / (*reader)->rate());
            sound.rest = std::move(*reader);
            sound.converter = std::move(converter);
            return sound;
        }
    }
    const std::vector<float> tail = converter->finish();
    sound.samples.insert(sound.samples.end(), tail.begin(), tail.end());
    if (sound.samples.empty())
        return std::nullopt;
    sound.length = lengthOf(sound.samples.size(), format);
    return sound;
}

bool SdlSoundPlayer::perform(const Request &request, const std::function<WaveReaderResult()> &open)
{
    const SoundMode mode = modeOf(request.flags);
    std::unique_lock lock(m_requestMutex);
    if ((request.flags & sndNoStop) && m_voice.busy()) {
        m_log.write(request.kind, request.name, mode, SoundOutcome::Skipped);
        return false;
    }
    const OutputFormat format = openOutput();
    std::optional<Prepared> sound = prepare(open(), format, request.whole);
    SoundOutcome outcome = SoundOutcome::Played;
    if (!sound) {
        if (request.flags & sndNoDefault) {
            m_log.write(request.kind, request.name, mode, SoundOutcome::Skipped);
            return false;
        }
        std::vector<float> tone = ToneGenerator::defaultSound(format);
        const auto length = lengthOf(tone.size(), format);
        sound = Prepared{std::move(tone), length, nullptr, std::nullopt};
        outcome = SoundOutcome::Default;
    }
    m_log.write(request.kind, request.name, mode, outcome);
    const auto length = sound->length;
    const std::uint64_t id = start(std::move(*sound), format);
    // The wait of a synchronous request happens outside the lock, so that another thread's
    // request can still cut the sound off.
    lock.unlock();
    if (mode == SoundMode::Sync)
        waitUntilDone(id, length);
    return true;
}

std::uint64_t SdlSoundPlayer::start(Prepared sound, OutputFormat format)
{
    const bool more = sound.rest != nullptr;
    const std::uint64_t id = m_voice.start(std::move(sound.samples), !more);
    m_latestId = id;
    // The previous reader sees its sound cut off and ends; joining it here keeps one at most.
    if (m_reader.joinable())
        m_reader.join();
    if (more) {
        m_reader = std::jthread([this, id, format, reader = std::move(sound.rest),
                                 converter = std::move(*sound.converter)]() mutable {
            feedRest(m_voice, id, *reader, converter, format);
            // SDL keeps per-thread error state that only its own threads free on exit.
            SDL_TLSCleanup();
        });
    }
    return id;
}

void SdlSoundPlayer::waitUntilDone(std::uint64_t id, std::chrono::milliseconds length)
{
    if (!m_voice.waitUntilDone(id, length + kSyncGrace)) {
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
    std::vector<float> tone = ToneGenerator::alert(type, format);
    const auto length = lengthOf(tone.size(), format);
    start(Prepared{std::move(tone), length, nullptr, std::nullopt}, format);
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
