#pragma once

#include "input/input_platform.h"
#include "x11/x_injector_display.h"

#include <X11/Xlib.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace orvane {

// The X11 input service: passive grabs of this process's hot keys and steering keys (every
// lock-key variant), taken synchronously so that a key the rules pass on is replayed to the
// application; requests to message windows as client messages; and the requests that reach
// this process's "MacroWin" window. All X work happens on one thread of its own.
class XInputService : public InputService {
public:
    // nullptr when there is no display or no message window connection.
    static std::unique_ptr<XInputService> create(Display *windowDisplay, Window messageWindow,
                                                 InputPlatform::RequestSink sink);
    ~XInputService() override;

    GrabReport update(const InputSnapshot &snapshot) override;
    bool watching(KyKey key) const override;

private:
    XInputService(Display *windowDisplay, Window messageWindow, InputPlatform::RequestSink sink);

    // What one key's grab holds: a button or a keycode with its modifiers, under every
    // lock-key variant.
    struct GrabTarget {
        unsigned int button = 0;
        unsigned int keycode = 0;
        unsigned int modifiers = 0;
        std::vector<unsigned int> variants;
        bool operator==(const GrabTarget &) const = default;
    };

    void run();
    void applyPending();
    GrabTarget targetFor(KyKey key);
    bool grab(const GrabTarget &target);
    void ungrab(const GrabTarget &target);
    void regrabAll();
    void handleInput(XEvent &event);
    void handleKey(XKeyEvent &event);
    void handleButton(XButtonEvent &event);
    void handleWindowEvent(const XEvent &event);
    void send(const InputPost &post);
    void wake();

    XInjectorDisplay m_display;
    Display *m_windowDisplay;
    Window m_messageWindow;
    Window m_root = 0;
    Atom m_requestAtom = 0;
    InputPlatform::RequestSink m_sink;
    int m_wakeFd = -1;
    std::atomic<bool> m_stop{false};

    // Shared with the host's thread.
    mutable std::mutex m_mutex;
    std::condition_variable m_appliedChanged;
    InputSnapshot m_pending;
    std::set<KyKey> m_pendingKeys;
    uint64_t m_generation = 0;
    uint64_t m_appliedGeneration = 0;
    GrabReport m_lastReport;
    std::set<KyKey> m_watched;

    // The service thread's own.
    InputSnapshot m_snapshot;
    std::map<KyKey, GrabTarget> m_grabbed;
    std::map<unsigned int, uint8_t> m_pressModifiers; // of the buttons whose press was taken
    std::thread m_thread;
};

// The atom of the client messages that carry requests between message windows.
inline constexpr const char *kRequestAtomName = "_KYLOOM32_REQUEST";

} // namespace orvane
