#pragma once

#include "core/engine.h"
#include "input/input_platform.h"
#include "recording/playback.h"
#include "recording/recorder.h"

#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace orvane {

// The moving part of the engine for one process: input capture and dispatch, recording,
// playback, and the requests that reach its message window. Requests from any thread are
// queued and handled on the installing thread, which drains them whenever it takes the
// engine's notifications.
class InputRuntime {
public:
    explicit InputRuntime(InputPlatform platform);
    ~InputRuntime();
    InputRuntime(const InputRuntime &) = delete;
    InputRuntime &operator=(const InputRuntime &) = delete;

    // The process's runtime over X11.
    static InputRuntime &instance();

    // Sets up capture for an engine that InstallHook just installed; false (after message 17)
    // when input cannot be watched at all.
    bool start(Engine &engine);
    // Ends capture, recording and playback before the engine tears down.
    void stop();
    bool running() const { return m_service != nullptr; }

    // Brings what the input thread knows up to date after a call changed the engine.
    void refresh(Engine &engine);

    // Queues a request for the installing thread; callable from any thread.
    void post(const EngineRequest &request);

    // Handles the queued requests; on the installing thread, with the engine lock held.
    void processRequests(Engine &engine);

    Recorder *recorder() { return m_recorder.get(); }
    Playback *playback() { return m_playback.get(); }
    bool watching(KyKey key) const { return m_service && m_service->watching(key); }
    bool requestsWaiting();

private:
    void handle(Engine &engine, const EngineRequest &request);
    void playRequested(Engine &engine, KyMacro macro);
    void reportRefused(const InputService::GrabReport &report);
    InputSnapshot snapshotOf(Engine &engine) const;
    std::vector<uint32_t> signatureOf(Engine &engine) const;

    InputPlatform m_platform;
    std::unique_ptr<InputEnvironment> m_environment;
    std::unique_ptr<RecordCapture> m_capture;
    std::unique_ptr<PlaybackDevice> m_player;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<Playback> m_playback;
    std::unique_ptr<InputService> m_service;
    InputSnapshot m_last;
    std::vector<uint32_t> m_lastSignature;
    bool m_reportedKeys = false;
    bool m_reportedButtons = false;
    bool m_processing = false;

    std::mutex m_queueMutex;
    std::deque<EngineRequest> m_queue;
    int m_wakeFd = -1;
};

// Hooks for the engine's exports.
bool inputStart(Engine &engine);
void inputStop();
void inputRefresh(Engine &engine) noexcept;
// Handles waiting requests on the calling (installing) thread; takes the engine lock itself.
void inputProcessRequests() noexcept;
bool inputRequestsWaiting() noexcept;

} // namespace orvane
