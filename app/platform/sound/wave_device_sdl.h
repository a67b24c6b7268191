#pragma once
// The recorder's wave device over SDL2 audio and libsndfile. The element lives in memory as
// 16-bit samples; playing and recording each open their own SDL device for the time they run
// (playback through SDL's default output, recording through its default capture device), so
// the program's sound player is never disturbed. Without a capture device a recording fails
// with a clear text and the mode reads "Not ready" until the next command succeeds.
#include "app/platform/wave_device.h"

#include "app/platform/sound/sdl_api.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace orvane {

class SdlWaveDevice : public WaveDevice {
public:
    // New recordings: 22050 frames per second, mono, 16 bits.
    static constexpr int kRecordRate = 22050;
    static constexpr int kRecordChannels = 1;
    // Nothing longer than this is held in memory: about 24 minutes of CD-quality stereo.
    static constexpr std::size_t kMaxSamples = 128u * 1024u * 1024u;

    SdlWaveDevice() = default;
    ~SdlWaveDevice() override;
    SdlWaveDevice(const SdlWaveDevice &) = delete;
    SdlWaveDevice &operator=(const SdlWaveDevice &) = delete;

    WaveError openFile(const std::string &path) override;
    WaveError openNew() override;
    WaveError record() override;
    WaveError play() override;
    WaveError stop() override;
    WaveError seekToStart() override;
    WaveError save(const std::string &path) override;
    WaveError close() override;
    WaveMode mode() const override;
    std::int64_t lengthMs() const override;
    void setNotify(std::function<void()> notify) override;

private:
    WaveError ensureAudio();
    SDL_AudioDeviceID openStream(int isCapture, SDL_AudioCallback callback, std::string &error);
    // Closes the running play or recording; true when one was running.
    bool endStreams();
    void notifyEnd();
    static void playCallback(void *user, Uint8 *stream, int len);
    static void captureCallback(void *user, Uint8 *stream, int len);

    mutable std::mutex m_mutex; // the element, the position and the mode, shared with SDL's thread
    std::vector<std::int16_t> m_samples;
    std::size_t m_position = 0; // in frames
    int m_rate = kRecordRate;
    int m_channels = kRecordChannels;
    bool m_open = false;
    bool m_notReady = false;
    WaveMode m_mode = WaveMode::NotReady;
    std::function<void()> m_notify;

    const SdlApi *m_sdl = nullptr; // SDL, once its audio has been started for this device
    SDL_AudioDeviceID m_playStream = 0;
    SDL_AudioDeviceID m_captureStream = 0;
};

} // namespace orvane
