#pragma once
// The real CD device: libcdio for the disc (a drive or a CUE/BIN image) and the CD player's own
// SDL2 stream for the sound. One worker thread does everything that may wait on the drive
// (opening, the table of contents, reading ahead up to two seconds of audio, the tray), so the
// calls the player makes on the user-interface thread only look at state and never block.
#include "app/platform/cd/cd_audio_stream.h"
#include "app/platform/cd/cdio_source.h"
#include "app/platform/cd_device.h"
#include "app/platform/cd_transport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane {

class CdioCDDevice : public CDDevice {
public:
    // `onPlay` hears the first track of every play command (for the sound log).
    explicit CdioCDDevice(CdioSource source, std::function<void(int track)> onPlay = {});
    ~CdioCDDevice() override;
    CdioCDDevice(const CdioCDDevice &) = delete;
    CdioCDDevice &operator=(const CdioCDDevice &) = delete;

    std::optional<std::string> open() override;
    void close() override;
    bool isOpen() const override;
    CDMode mode() override;
    std::string notReadyReason() const override;
    uint32_t position() override;
    int numberOfTracks() override;
    uint32_t discLength() override;
    uint32_t trackLength(int track) override;
    uint32_t trackStart(int track) override;
    void play(std::optional<uint32_t> from, std::optional<uint32_t> to) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seekToStart() override;
    void seek(uint32_t tmsf) override;
    void next() override;
    void previous() override;
    void eject() override;
    bool takeNotification() override;
    void setNotifyHandler(std::function<void()> handler) override;

    // Stereo frames of disc audio handed to the sound output so far (for the benchmark).
    uint64_t framesDelivered() const { return m_delivered.load(); }
    // Whether sound goes to an audio device (false: the device keeps time without one).
    bool hasAudioOutput() const;

private:
    enum class Request { None, Load, Unload, Eject, CloseTray };
    struct Chunk {
        int32_t lsn;
        std::vector<int16_t> samples; // empty: the end of the play
    };

    void worker();
    void serveRequest(std::unique_lock<std::mutex> &lock);
    void checkDisc(std::unique_lock<std::mutex> &lock);
    bool readAhead(std::unique_lock<std::mutex> &lock);
    void keepTimeWithoutDevice(std::unique_lock<std::mutex> &lock);
    void render(int16_t *out, int frames);
    // Runs a transport command under the lock and wakes the worker.
    template <typename F>
    void command(F &&f);

    CdioSource m_source;
    std::function<void(int)> m_onPlay;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_loaded;
    std::thread m_thread;
    bool m_quit = false;
    bool m_open = false;
    Request m_request = Request::None;
    bool m_loadDone = false;
    std::string m_reason;
    CDTransport m_transport;
    std::chrono::steady_clock::time_point m_lastCheck{};

    std::deque<Chunk> m_ring;
    int m_offset = 0; // frames of the front chunk already handed out
    uint64_t m_readGeneration = ~0ull;
    int32_t m_readPos = 0;
    int32_t m_readEnd = 0;
    bool m_readDone = false;

    std::unique_ptr<CdAudioStream> m_stream;
    bool m_streamTried = false;
    std::chrono::steady_clock::time_point m_lastTime{};
    std::atomic<uint64_t> m_delivered{0};
    std::function<void()> m_handler;
};

} // namespace orvane
