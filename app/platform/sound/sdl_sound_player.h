#pragma once
// The sound player over SDL2 audio and libsndfile. The device is opened on the first request
// and closed again when nothing has played for a few seconds, so that a clock at rest has no
// audio thread waking to render silence; the next request opens it again. Without a device
// every sound is silence (said once on stderr, logged as "silent") and the calls behave as they
// would with a device, synchronous sounds taking their time. Long files play while a reader
// thread decodes them. Safe to call from any thread; a synchronous request blocks only its
// caller.
#include "app/common/clock.h"
#include "app/platform/sound/audio_output.h"
#include "app/platform/sound/sample_converter.h"
#include "app/platform/sound/sound_log.h"
#include "app/platform/sound/sound_voice.h"
#include "app/platform/sound/wave_reader.h"
#include "app/platform/sound_player.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace orvane {

class SdlSoundPlayer : public SoundPlayer {
public:
    // Opens the sound device for `voice`, in `format` when one is given (the format of the
    // earlier opening, for which sound may already be prepared); none, with the reason in
    // `error`, when there is none.
    using DeviceOpener = std::function<std::unique_ptr<AudioOutput>(
        SoundVoice &voice, const std::optional<OutputFormat> &format, std::string &error)>;

    // How long the device stays open after the last sound has ended.
    static constexpr std::chrono::milliseconds kIdleClose{5000};

    // `logPath` names the sound log; empty keeps none. `openDevice` defaults to SDL's default
    // device.
    SdlSoundPlayer(const Clock &clock, std::string logPath, DeviceOpener openDevice = {},
                   std::chrono::milliseconds idleClose = kIdleClose);
    // The log from ORVANE_SOUND_LOG.
    static std::unique_ptr<SdlSoundPlayer> fromEnvironment(const Clock &clock);
    ~SdlSoundPlayer() override;

    bool play(const std::string &fileName, SoundFlags flags) override;
    bool play(const SoundImage &image, SoundFlags flags) override;
    void stop() override;
    bool MessageBeep(unsigned type) override;
    bool isPlaying() const override;

    // Whether sounds reach a real device; opens the output if it is closed.
    bool hasDevice();
    // Whether an output (device or silent stand-in) is open now.
    bool outputOpen() const;
    // Whether an output closed for rest is still going away (its device's thread ending).
    bool outputClosing() const;
    // When the audio thread handed out the first samples of the latest sound (for measuring
    // how long a request takes to be heard).
    std::optional<SoundVoice::SteadyTime> latestFirstSampleTime() const;

private:
    struct Request {
        SoundKind kind;
        std::string_view name;
        SoundFlags flags;
        bool whole; // decode it all now: the bytes are gone when the call returns
    };
    // A sound ready to start: its first samples, and for a long file the rest to come.
    struct Prepared {
        std::vector<float> samples;
        std::chrono::milliseconds length{0};
        std::unique_ptr<WaveReader> rest;
        std::optional<SampleConverter> converter;
    };

    bool perform(const Request &request, const std::function<WaveReaderResult()> &open);
    std::optional<Prepared> prepare(WaveReaderResult opened, OutputFormat format, bool whole);
    // The format sound is prepared in: that of the open output, or of the last one, which a
    // new opening keeps; only the very first request has to open the device to learn it.
    OutputFormat outputFormat();
    // Opens the output if it is closed (or lost); true when it is a real device.
    bool openOutput();
    std::uint64_t start(Prepared sound, OutputFormat format);
    void waitUntilDone(std::uint64_t id, std::chrono::milliseconds length);
    // The idle closer's thread: closes the output once nothing has played for m_idleClose.
    void closeWhenIdle(std::stop_token stop);
    struct IdleCheck {
        std::optional<std::chrono::milliseconds> wait; // none: the output is closed
        std::unique_ptr<AudioOutput> closing;          // silenced, for the caller to close
    };
    // Takes the output away if it is idle; else the time still to wait.
    IdleCheck closeIfIdle();

    SoundLog m_log;
    SoundVoice m_voice;
    std::mutex m_requestMutex;
    DeviceOpener m_openDevice;
    bool m_holdsSdlAudio = false;
    std::chrono::milliseconds m_idleClose;
    mutable std::mutex m_outputMutex;
    bool m_hasDevice = false;
    bool m_silenceReported = false;
    std::optional<OutputFormat> m_lastFormat;
    bool m_closing = false; // an idle output is being closed, outside the request lock
    std::condition_variable m_closed;
    std::chrono::steady_clock::time_point m_lastSound; // guarded by m_requestMutex
    std::atomic<std::uint64_t> m_latestId{0};
    std::jthread m_reader; // decodes the rest of a long file while it plays
    // Declared last: the output's thread reads m_voice, so it must stop first.
    std::unique_ptr<AudioOutput> m_output;
    std::mutex m_closerMutex;
    std::condition_variable_any m_closerWake;
    std::jthread m_closer;
};

} // namespace orvane
