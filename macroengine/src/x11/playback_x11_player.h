#pragma once

#include "input/input_platform.h"
#include "x11/x_injection_lease.h"
#include "x11/x_injector_display.h"

#include <X11/Xlib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace orvane {

// Plays macro events through XTest on a connection and a thread of its own, with the recorded
// gaps kept against one start time so that waits do not add up their errors.
class XPlayer : public PlaybackDevice {
public:
    XPlayer() = default;
    ~XPlayer() override;

    bool start(PlaybackJob job, std::function<void()> finished) override;
    void pause() override;
    void resume() override;
    void stop() override;

private:
    using Clock = std::chrono::steady_clock;

    void run();
    bool waitUntil(Clock::time_point &due);
    void releaseHeldModifiers();
    void bringForward(Window window);
    void inject(const MacroEvent &event);
    void injectKey(const MacroEvent &event, bool down);
    void injectMouse(const MacroEvent &event, uint32_t message);
    void releaseEverything();

    std::unique_ptr<XInjectorDisplay> m_display;
    std::unique_ptr<XInjectionLease> m_lease; // while a playback runs
    PlaybackJob m_job;
    std::function<void()> m_finished;
    std::thread m_thread;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    bool m_paused = false;

    // The playing thread's own.
    std::set<KeyCode> m_heldKeys;
    std::set<unsigned int> m_heldButtons;
    std::set<Window> m_goneWindows;
};

} // namespace orvane
