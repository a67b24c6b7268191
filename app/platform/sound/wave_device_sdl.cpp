#include "app/platform/sound/wave_device_sdl.h"

#include "app/platform/sound/sdl_audio_subsystem.h"

#include "app/platform/sound/sndfile_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

constexpr const char *kNotOpen = "The wave device is not open.";

} // namespace

SdlWaveDevice::~SdlWaveDevice()
{
    endStreams();
    if (m_sdl)
        releaseSdlAudio();
}

WaveError SdlWaveDevice::ensureAudio()
{
    if (m_sdl)
        return std::nullopt;
    std::string error;
    m_sdl = acquireSdlAudio(error);
    if (!m_sdl)
        return "No sound device is available: " + error;
    return std::nullopt;
}

SDL_AudioDeviceID SdlWaveDevice::openStream(int isCapture, SDL_AudioCallback callback, std::string &error)
{
    SDL_AudioSpec want{};
    want.freq = m_rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(m_channels);
    want.samples = 1024;
    want.callback = callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No format changes allowed: SDL converts between the element's format and the hardware's.
    const SDL_AudioDeviceID id = m_sdl->OpenAudioDevice(nullptr, isCapture, &want, &have, 0);
    if (id == 0)
        error = m_sdl->GetError();
    return id;
}

bool SdlWaveDevice::endStreams()
{
    // SDL_CloseAudioDevice waits for a callback in progress, and the callbacks take m_mutex:
    // so the streams are closed without holding it.
    SDL_AudioDeviceID play = 0, capture = 0;
    {
        std::lock_guard lock(m_mutex);
        std::swap(play, m_playStream);
        std::swap(capture, m_captureStream);
    }
    if (play != 0)
        m_sdl->CloseAudioDevice(play);
    if (capture != 0)
        m_sdl->CloseAudioDevice(capture);
    std::lock_guard lock(m_mutex);
    const bool wasRunning = m_mode == WaveMode::Playing || m_mode == WaveMode::Recording;
    if (m_open)
        m_mode = WaveMode::Stopped;
    return wasRunning;
}

void SdlWaveDevice::notifyEnd()
{
    std::function<void()> notify;
    {
        std::lock_guard lock(m_mutex);
        notify = m_notify;
    }
    if (notify)
        notify();
}

WaveError SdlWaveDevice::openFile(const std::string &path)
{
    close();
    std::string error;
    const SndfileApi *sf = loadSndfile(error);
    if (!sf)
        return "Cannot open the wave file " + path + ": " + error;
    SF_INFO info{};
    SNDFILE *file = sf->open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return "Cannot open the wave file " + path + ": " + sf->strerror(nullptr);
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 || info.samplerate > 384000) {
        sf->close(file);
        return "The file " + path + " is not a wave the recorder can play.";
    }
    if (info.frames < 0 || static_cast<std::uint64_t>(info.frames) * info.channels > kMaxSamples) {
        sf->close(file);
        return "The file " + path + " is too long for the recorder.";
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t got = sf->readf_short(file, samples.data(), info.frames);
    sf->close(file);
    samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) * info.channels);
    std::lock_guard lock(m_mutex);
    m_samples = std::move(samples);
    m_rate = info.samplerate;
    m_channels = info.channels;
    m_position = 0;
    m_open = true;
    m_notReady = false;
    m_mode = WaveMode::Stopped;
    return std::nullopt;
}

WaveError SdlWaveDevice::openNew()
{
    close();
    std::lock_guard lock(m_mutex);
    m_samples.clear();
    m_rate = kRecordRate;
    m_channels = kRecordChannels;
    m_position = 0;
    m_open = true;
    m_notReady = false;
    m_mode = WaveMode::Stopped;
    return std::nullopt;
}

WaveError SdlWaveDevice::record()
{
    if (!m_open)
        return kNotOpen;
    if (endStreams())
        notifyEnd();
    auto failed = [this](const std::string &why) -> WaveError {
        std::lock_guard lock(m_mutex);
        m_notReady = true;
        return "No sound recording device is ready: " + why;
    };
    if (auto error = ensureAudio())
        return failed(*error);
    {
        std::lock_guard lock(m_mutex);
        m_samples.resize(m_position * static_cast<std::size_t>(m_channels));
        m_mode = WaveMode::Recording;
        m_notReady = false;
    }
    std::string error;
    const SDL_AudioDeviceID id = openStream(1, &SdlWaveDevice::captureCallback, error);
    if (id == 0) {
        std::lock_guard lock(m_mutex);
        m_mode = WaveMode::Stopped;
        m_notReady = true;
        return "No sound recording device is ready: " + error;
    }
    {
        std::lock_guard lock(m_mutex);
        m_captureStream = id;
    }
    m_sdl->PauseAudioDevice(id, 0);
    return std::nullopt;
}

WaveError SdlWaveDevice::play()
{
    if (!m_open)
        return kNotOpen;
    if (endStreams())
        notifyEnd();
    if (auto error = ensureAudio())
        return error;
    {
        std::lock_guard lock(m_mutex);
        const std::size_t frames = m_samples.size() / static_cast<std::size_t>(m_channels);
        if (m_position >= frames)
            m_position = 0;
        if (frames == 0) {
            m_mode = WaveMode::Stopped;
            m_notReady = false;
        } else {
            m_mode = WaveMode::Playing;
        }
    }
    if (mode() == WaveMode::Stopped) {
        // Nothing to play: the command has ended at once.
        notifyEnd();
        return std::nullopt;
    }
    std::string error;
    const SDL_AudioDeviceID id = openStream(0, &SdlWaveDevice::playCallback, error);
    if (id == 0) {
        std::lock_guard lock(m_mutex);
        m_mode = WaveMode::Stopped;
        return "No sound output device is ready: " + error;
    }
    {
        std::lock_guard lock(m_mutex);
        m_playStream = id;
        m_notReady = false;
    }
    m_sdl->PauseAudioDevice(id, 0);
    return std::nullopt;
}

WaveError SdlWaveDevice::stop()
{
    if (!m_open)
        return kNotOpen;
    if (endStreams())
        notifyEnd();
    return std::nullopt;
}

WaveError SdlWaveDevice::seekToStart()
{
    if (!m_open)
        return kNotOpen;
    if (endStreams())
        notifyEnd();
    std::lock_guard lock(m_mutex);
    m_position = 0;
    return std::nullopt;
}

WaveError SdlWaveDevice::save(const std::string &path)
{
    if (!m_open)
        return kNotOpen;
    if (endStreams())
        notifyEnd();
    std::string error;
    const SndfileApi *sf = loadSndfile(error);
    if (!sf)
        return "Cannot create file " + path + ": " + error;
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        return "Cannot create file " + path;
    fchmod(fd, 0644);
    SF_INFO info{};
    std::vector<std::int16_t> samples;
    {
        std::lock_guard lock(m_mutex);
        info.samplerate = m_rate;
        info.channels = m_channels;
        samples = m_samples;
    }
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf->open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (file == nullptr) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return "Cannot create file " + path + ": " + sf->strerror(nullptr);
    }
    const sf_count_t frames =
        static_cast<sf_count_t>(samples.size() / static_cast<std::size_t>(info.channels));
    const bool written = sf->writef_short(file, samples.data(), frames) == frames;
    sf->write_sync(file);
    const bool closed = sf->close(file) == 0;
    if (!written || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return "Cannot write file " + path;
    }
    return std::nullopt;
}

WaveError SdlWaveDevice::close()
{
    if (endStreams())
        notifyEnd();
    std::lock_guard lock(m_mutex);
    m_samples.clear();
    m_samples.shrink_to_fit();
    m_position = 0;
    m_open = false;
    m_notReady = false;
    m_mode = WaveMode::NotReady;
    return std::nullopt;
}

WaveMode SdlWaveDevice::mode() const
{
    std::lock_guard lock(m_mutex);
    if (!m_open || m_notReady)
        return WaveMode::NotReady;
    return m_mode;
}

std::int64_t SdlWaveDevice::lengthMs() const
{
    std::lock_guard lock(m_mutex);
    if (!m_open || m_rate <= 0)
        return 0;
    const auto frames = static_cast<std::int64_t>(m_samples.size() / static_cast<std::size_t>(m_channels));
    return frames * 1000 / m_rate;
}

void SdlWaveDevice::setNotify(std::function<void()> notify)
{
    std::lock_guard lock(m_mutex);
    m_notify = std::move(notify);
}

void SdlWaveDevice::playCallback(void *user, Uint8 *stream, int len)
{
    auto *self = static_cast<SdlWaveDevice *>(user);
    auto *out = reinterpret_cast<std::int16_t *>(stream);
    const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(std::int16_t);
    bool ended = false;
    std::size_t copied = 0;
    {
        std::lock_guard lock(self->m_mutex);
        if (self->m_mode == WaveMode::Playing) {
            const auto channels = static_cast<std::size_t>(self->m_channels);
            const std::size_t from = self->m_position * channels;
            copied = std::min(wanted, self->m_samples.size() - std::min(from, self->m_samples.size()));
            copied -= copied % channels;
            std::copy_n(self->m_samples.begin() + static_cast<std::ptrdiff_t>(from), copied, out);
            self->m_position += copied / channels;
            if (from + copied >= self->m_samples.size()) {
                self->m_mode = WaveMode::Stopped;
                ended = true;
            }
        }
    }
    std::fill(out + copied, out + wanted, std::int16_t{0});
    if (ended)
        self->notifyEnd();
}

void SdlWaveDevice::captureCallback(void *user, Uint8 *stream, int len)
{
    auto *self = static_cast<SdlWaveDevice *>(user);
    const auto *in = reinterpret_cast<const std::int16_t *>(stream);
    const std::size_t count = static_cast<std::size_t>(len) / sizeof(std::int16_t);
    bool ended = false;
    {
        std::lock_guard lock(self->m_mutex);
        if (self->m_mode != WaveMode::Recording)
            return;
        const std::size_t room = kMaxSamples - std::min(kMaxSamples, self->m_samples.size());
        const std::size_t taken = std::min(count, room);
        self->m_samples.insert(self->m_samples.end(), in, in + taken);
        self->m_position = self->m_samples.size() / static_cast<std::size_t>(self->m_channels);
        if (taken < count) {
            // The element is full: the recording ends here, as if Stop had been pressed.
            self->m_mode = WaveMode::Stopped;
            ended = true;
        }
    }
    if (ended)
        self->notifyEnd();
}

} // namespace orvane
