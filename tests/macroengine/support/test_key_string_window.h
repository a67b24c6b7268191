#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::test {

// One key event as the receiving window saw it.
struct ReceivedKey {
    KeySym keysym;
    unsigned int state;
    bool synthetic; // sent with XSendEvent rather than typed
};

// A small top-level window on a connection of its own that takes the focus and logs, on a
// thread of its own, every key press it gets, read through its own copy of the keyboard map
// as any client would read it.
class KeyStringWindow {
public:
    explicit KeyStringWindow(const std::string &title, bool takeFocus = true);
    ~KeyStringWindow();
    KeyStringWindow(const KeyStringWindow &) = delete;
    KeyStringWindow &operator=(const KeyStringWindow &) = delete;

    Window id() const { return m_window; }

    // Waits until `count` presses of keys other than modifiers have arrived or `limit` has
    // passed, then a little more
    // for any that should not have come; returns what arrived.
    std::vector<ReceivedKey> waitForKeys(size_t count,
                                         std::chrono::milliseconds limit = std::chrono::seconds(5));

    // The characters typed, in order; keys that type none as "⟨Name⟩", modifiers left out.
    std::u32string typedText(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5));

    void clear();

private:
    void readEvents();

    Display *m_display = nullptr;
    Window m_window = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<ReceivedKey> m_keys;
    size_t m_typed = 0;
    std::thread m_reader;
};

// Whether the focus of the default display is `window`.
bool focusIs(Window window);

} // namespace orvane::test
