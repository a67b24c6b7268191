#include "x11/playback_x11_player.h"

#include "core/injection_stop.h"
#include "keys/vk_keysym.h"
#include "recording/playback_schedule.h"
#include "recording/recorder_events.h"
#include "x11/held_modifier_keys.h"
#include "x11/input_x11_keys.h"
#include "x11/x_injection_lease.h"
#include "x11/x_windows.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <algorithm>

namespace orvane {

namespace {

// How long a window that was asked to come forward is given to become the active one.
constexpr auto kActivationLimit = std::chrono::milliseconds(200);

// How often a wait looks whether a signal asked the playback to stop (a signal handler cannot
// wake a condition variable).
constexpr auto kStopCheck = std::chrono::milliseconds(20);

} // namespace

XPlayer::~XPlayer() { stop(); }

bool XPlayer::start(PlaybackJob job, std::function<void()> finished)
{
    stop();
    if (!m_display) {
        auto display = std::make_unique<XInjectorDisplay>();
        int event = 0, error = 0, major = 0, minor = 0;
        if (!*display || !XTestQueryExtension(display->get(), &event, &error, &major, &minor))
            return false;
        surviveConnectionLoss(display->get());
        m_display = std::move(display);
    }
    m_job = std::move(job);
    m_finished = std::move(finished);
    m_stop = false;
    m_paused = false;
    // Keys a killed earlier run left down would change every key this one presses.
    m_lease = std::make_unique<XInjectionLease>(m_display->get());
    m_thread = std::thread([this] { run(); });
    return true;
}

void XPlayer::pause()
{
    std::lock_guard lock(m_mutex);
    m_paused = true;
    m_changed.notify_all();
}

void XPlayer::resume()
{
    std::lock_guard lock(m_mutex);
    m_paused = false;
    m_changed.notify_all();
}

void XPlayer::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

// Waits for the event's time; a pause moves every later event on by its length. False when
// the playback is being stopped.
bool XPlayer::waitUntil(Clock::time_point &due)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_stop || injectionStopRequested())
            return false;
        if (m_paused) {
            const auto pausedAt = Clock::now();
            m_changed.wait_for(lock, kStopCheck);
            due += Clock::now() - pausedAt;
            continue;
        }
        if (Clock::now() >= due)
            return true;
        m_changed.wait_until(lock, std::min(due, Clock::now() + kStopCheck));
    }
}

// Modifiers still held from the hot key that started the playback would change every key the
// macro presses.
void XPlayer::releaseHeldModifiers()
{
    Display *d = m_display->get();
    const HeldModifierKeys held = heldModifierKeys(d);
    for (const auto *keys : {&held.ctrl, &held.alt, &held.shift})
        for (KeyCode code : *keys)
            XTestFakeKeyEvent(d, code, False, 0);
    XFlush(d);
}

// The event was recorded in another window: beep and bring that window forward. A window that
// no longer exists (a macro from an earlier session) cannot come forward, so it plays into
// whatever window is active, without a beep for every event.
void XPlayer::bringForward(Window window)
{
    Display *d = m_display->get();
    if (window == 0 || m_goneWindows.count(window) || activeWindow(d) == window)
        return;
    if (!windowExists(d, window)) {
        m_display->takeError();
        m_goneWindows.insert(window);
        return;
    }
    XBell(d, 0);
    activateWindow(d, window);
    const auto limit = Clock::now() + kActivationLimit;
    while (Clock::now() < limit && activeWindow(d) != window) {
        std::unique_lock lock(m_mutex);
        if (m_changed.wait_for(lock, std::chrono::milliseconds(5), [this] { return m_stop; }))
            return;
    }
}

void XPlayer::injectKey(const MacroEvent &event, bool down)
{
    Display *d = m_display->get();
    KeyCode keycode = keycodeForVk(d, static_cast<uint8_t>(event.paramL & 0xFF));
    if (keycode == 0) {
        // A key this keyboard map lacks: the scan code it was recorded with, if any.
        const uint32_t scan = (event.paramL >> 8) & 0xFF;
        if (scan == 0)
            return;
        keycode = static_cast<KeyCode>(scan + 8);
    }
    XTestFakeKeyEvent(d, keycode, down ? True : False, 0);
    if (down)
        m_heldKeys.insert(keycode);
    else
        m_heldKeys.erase(keycode);
}

void XPlayer::injectMouse(const MacroEvent &event, uint32_t message)
{
    Display *d = m_display->get();
    ScreenPoint origin;
    if (m_job.mouseOrigin == MBWindow)
        windowCorner(d, activeWindow(d), origin);
    else if (m_job.mouseOrigin == MBPointer)
        origin = m_job.start;
    const int x = static_cast<int32_t>(event.paramL) + origin.x;
    const int y = static_cast<int32_t>(event.paramH) + origin.y;
    XTestFakeMotionEvent(d, -1, x, y, 0);
    unsigned int button = 0;
    bool down = false;
    switch (message) {
    case kWmLButtonDown:
    case kWmLButtonDblClk:
        button = Button1;
        down = true;
        break;
    case kWmLButtonUp: button = Button1; break;
    case kWmRButtonDown:
    case kWmRButtonDblClk:
        button = Button3;
        down = true;
        break;
    case kWmRButtonUp: button = Button3; break;
    case kWmMButtonDown:
    case kWmMButtonDblClk:
        button = Button2;
        down = true;
        break;
    case kWmMButtonUp: button = Button2; break;
    default: return;
    }
    XTestFakeButtonEvent(d, button, down ? True : False, 0);
    if (down)
        m_heldButtons.insert(button);
    else
        m_heldButtons.erase(button);
}

void XPlayer::inject(const MacroEvent &event)
{
    const uint32_t message = clientMouseMessage(event.message);
    if (message == kWmKeyDown || message == kWmSysKeyDown)
        injectKey(event, true);
    else if (message == kWmKeyUp || message == kWmSysKeyUp)
        injectKey(event, false);
    else if (isMouseMessage(message))
        injectMouse(event, message);
    XFlush(m_display->get());
}

// Whatever ended the playback, nothing it pressed stays down.
void XPlayer::releaseEverything()
{
    Display *d = m_display->get();
    for (KeyCode keycode : m_heldKeys)
        XTestFakeKeyEvent(d, keycode, False, 0);
    for (unsigned int button : m_heldButtons)
        XTestFakeButtonEvent(d, button, False, 0);
    m_heldKeys.clear();
    m_heldButtons.clear();
    XSync(d, False);
    m_display->takeError();
}

void XPlayer::run()
{
    releaseHeldModifiers();
    m_goneWindows.clear();
    Clock::time_point due = Clock::now();
    bool completed = true;
    for (size_t p = 0; p < m_job.events.size(); ++p) {
        const MacroEvent &event = m_job.events[p];
        due += playbackDelay(m_job.events, p, m_job.fast);
        if (event.message == kTaskSwitchMarker) {
            // The user switched applications here while recording.
            Display *d = m_display->get();
            if (const Window next = nextApplicationWindow(d, activeWindow(d)))
                activateWindow(d, next);
            m_display->takeError();
            continue;
        }
        bringForward(event.window);
        if (!waitUntil(due)) {
            // A stop asked for by a signal ends the playback as its end would; the engine's
            // own stop needs no word back.
            completed = injectionStopRequested();
            break;
        }
        inject(event);
    }
    releaseEverything();
    m_lease.reset();
    if (completed)
        clearInjectionStop();
    if (completed && m_finished)
        m_finished();
}

} // namespace orvane
