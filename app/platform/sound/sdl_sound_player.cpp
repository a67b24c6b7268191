#include "app/platform/sound/sdl_sound_player.h"

#include "app/platform/sound/sdl_audio_output.h"
#include "app/platform/sound/sdl_audio_subsystem.h"
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

// SDL keeps per-thread error state that only its own threads free on exit; a thread of ours
// that may have called into SDL frees it before it ends. Nothing to do when SDL never loaded.
void cleanUpSdlThreadState()
{
    if (const SdlApi *sdl = loadedSdl())
        sdl->TLSCleanup();
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(const Clock &clock, std::string logPath, DeviceOpener openDevice,
                               std::chrono::milliseconds idleClose)
    : m_log(clock, std::move(logPath)),
      m_openDevice(openDevice ? std::move(openDevice) : DeviceOpener(&SdlAudioOutput::open)),
      m_holdsSdlAudio(!openDevice), m_idleClose(idleClose),
      m_closer([this](std::stop_token stop) { closeWhenIdle(stop); })
{}

std::unique_ptr<SdlSoundPlayer> SdlSoundPlayer::fromEnvironment(const Clock &clock)
{
    const char *path = std::getenv("ORVANE_SOUND_LOG");
    return std::make_unique<SdlSoundPlayer>(clock, path ? path : "");
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    m_closer.request_stop();
    if (m_closer.joinable())
        m_closer.join();
    m_voice.stop();
    if (m_reader.joinable())
        m_reader.join();
    m_output.reset();
    std::lock_guard lock(m_outputMutex);
    if (m_holdsSdlAudio && m_lastFormat)
        releaseSdlAudio();
}

OutputFormat SdlSoundPlayer::outputFormat()
{
    {
        std::lock_guard lock(m_outputMutex);
        if (m_lastFormat)
            return *m_lastFormat;
    }
    openOutput();
    std::lock_guard lock(m_outputMutex);
    return *m_lastFormat;
}

bool SdlSoundPlayer::openOutput()
{
    {
        std::unique_lock lock(m_outputMutex);
        if (m_output && m_hasDevice && m_output->lost()) {
            std::fprintf(stderr, "orvane: the sound device has gone; opening the default one again\n");
            m_output.reset();
        }
        if (m_output)
            return m_hasDevice;
        std::string error;
        m_output = m_openDevice(m_voice, m_lastFormat, error);
        if (!m_output && m_closing) {
            // Some drivers allow one output device at a time: wait for the idle one to go.
            m_closed.wait_for(lock, std::chrono::seconds(2), [this] { return !m_closing; });
            m_output = m_openDevice(m_voice, m_lastFormat, error);
        }
        m_hasDevice = m_output != nullptr;
        if (!m_output) {
            if (!m_silenceReported)
                std::fprintf(stderr, "orvane: no sound output (%s); sounds will be silent\n", error.c_str());
            m_silenceReported = true;
            m_output = std::make_unique<SilentAudioOutput>(m_voice, m_lastFormat.value_or(OutputFormat{}));
        }
        if (!m_lastFormat && m_hasDevice && m_holdsSdlAudio) {
            // SDL's audio driver stays loaded while the device is closed, so that opening it
            // again after a rest costs only the device itself.
            std::string ignored;
            acquireSdlAudio(ignored);
        } else if (!m_lastFormat) {
            m_holdsSdlAudio = false;
        }
        if (!m_lastFormat)
            m_lastFormat = m_output->format();
        m_lastSound = std::chrono::steady_clock::now();
    }
    // Taken once so that the closer cannot miss this between looking and starting to wait.
    {
        std::lock_guard closer(m_closerMutex);
    }
    m_closerWake.notify_all();
    return m_hasDevice;
}

bool SdlSoundPlayer::hasDevice()
{
    std::lock_guard request(m_requestMutex);
    openOutput();
    std::lock_guard lock(m_outputMutex);
    return m_hasDevice;
}

bool SdlSoundPlayer::outputOpen() const
{
    std::lock_guard lock(m_outputMutex);
    return m_output != nullptr;
}

bool SdlSoundPlayer::outputClosing() const
{
    std::lock_guard lock(m_outputMutex);
    return m_closing;
}

void SdlSoundPlayer::closeWhenIdle(std::stop_token stop)
{
    std::unique_lock lock(m_closerMutex);
    while (!stop.stop_requested()) {
        lock.unlock();
        IdleCheck check = closeIfIdle();
        // Closing a device waits for its thread, which can take two or three buffers. It
        // happens outside the request lock, so that a sound asked for meanwhile opens a new
        // device at once instead of waiting for the old one to go.
        if (check.closing) {
            check.closing.reset();
            {
                std::lock_guard output(m_outputMutex);
                m_closing = false;
            }
            m_closed.notify_all();
        }
        lock.lock();
        // Closed (or never opened): nothing to do until an output opens; no wake-ups at rest.
        if (!check.wait)
            m_closerWake.wait(lock, stop, [this] { return outputOpen(); });
        else
            m_closerWake.wait_for(lock, stop, *check.wait, [] { return false; });
    }
    cleanUpSdlThreadState();
}

SdlSoundPlayer::IdleCheck SdlSoundPlayer::closeIfIdle()
{
    using namespace std::chrono;
    std::lock_guard request(m_requestMutex);
    if (!outputOpen())
        return {};
    const auto now = steady_clock::now();
    if (m_voice.busy())
        m_lastSound = now;
    // The end of a sound is noticed at the latest one check later; checks come every second
    // at most, and only while the output is open (its own thread wakes far more often).
    const auto idle = duration_cast<milliseconds>(now - m_lastSound);
    if (idle < m_idleClose)
        return {std::min<milliseconds>(m_idleClose - idle, milliseconds(1000)), nullptr};
    if (m_reader.joinable())
        m_reader.join();
    IdleCheck check;
    {
        std::lock_guard lock(m_outputMutex);
        check.closing = std::move(m_output);
        m_closing = true;
    }
    // Silenced before the lock goes, so that it never takes samples of the next sound.
    check.closing->quiet();
    return check;
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
    std::optional<SampleConverter> converter =
        SampleConverter::create((*reader)->rate(), (*reader)->channels(), format);
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
    const OutputFormat format = outputFormat();
    std::optional<Prepared> sound = prepare(open(), format, request.whole);
    bool fallback = false;
    if (!sound) {
        if (request.flags & sndNoDefault) {
            m_log.write(request.kind, request.name, mode, SoundOutcome::Skipped);
            return false;
        }
        std::vector<float> tone = ToneGenerator::defaultSound(format);
        const auto length = lengthOf(tone.size(), format);
        sound = Prepared{std::move(tone), length, nullptr, std::nullopt};
        fallback = true;
    }
    const auto length = sound->length;
    // The sound is in place before a closed device opens, so that its very first buffer
    // carries it rather than a buffer of silence.
    const std::uint64_t id = start(std::move(*sound), format);
    const bool heard = openOutput();
    m_log.write(request.kind, request.name, mode,
                fallback ? SoundOutcome::Default
                : heard  ? SoundOutcome::Played
                         : SoundOutcome::Silent);
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
    m_lastSound = std::chrono::steady_clock::now();
    // The previous reader sees its sound cut off and ends; joining it here keeps one at most.
    if (m_reader.joinable())
        m_reader.join();
    if (more) {
        m_reader = std::jthread([this, id, format, reader = std::move(sound.rest),
                                 converter = std::move(*sound.converter)]() mutable {
            feedRest(m_voice, id, *reader, converter, format);
            cleanUpSdlThreadState();
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

void SdlSoundPlayer::stop() { m_voice.stop(); }

bool SdlSoundPlayer::MessageBeep(unsigned type)
{
    std::unique_lock lock(m_requestMutex);
    const OutputFormat format = outputFormat();
    std::vector<float> tone = ToneGenerator::alert(type, format);
    const auto length = lengthOf(tone.size(), format);
    start(Prepared{std::move(tone), length, nullptr, std::nullopt}, format);
    const bool heard = openOutput();
    m_log.write(SoundKind::Beep, std::to_string(type), SoundMode::Async,
                heard ? SoundOutcome::Played : SoundOutcome::Silent);
    return true;
}

bool SdlSoundPlayer::isPlaying() const { return m_voice.busy(); }

std::optional<SoundVoice::SteadyTime> SdlSoundPlayer::latestFirstSampleTime() const
{
    return m_voice.firstSampleTime(m_latestId);
}

} // namespace orvane
