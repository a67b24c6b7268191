#pragma once

#include "input/input_platform.h"
#include "x11/x_injector_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace orvane {

// Captures the desktop's input with the RECORD extension: the context lives on a control
// connection of the installing thread, its data arrive on a connection of their own in a
// thread of their own, and a third connection answers that thread's questions (the active
// window, its corner, the keyboard map) while the data connection is busy recording.
class XRecordCapture : public RecordCapture {
public:
    XRecordCapture() = default;
    ~XRecordCapture() override;

    bool start(const CaptureSettings &settings) override;
    std::vector<CapturedEvent> stop() override;

private:
    static void intercept(XPointer self, XRecordInterceptData *data);
    void run();
    void take(const unsigned char *event);
    void takeKey(KeyCode keycode, bool down, Time time);
    void takeMouse(uint32_t message, int32_t x, int32_t y, Time time);
    uint8_t heldModifiers() const;
    void readInitialKeyboard();
    void closeAll();

    std::unique_ptr<XInjectorDisplay> m_control;
    std::unique_ptr<XInjectorDisplay> m_data;
    std::unique_ptr<XInjectorDisplay> m_query;
    XRecordContext m_context = 0;
    CaptureSettings m_settings;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_begun{false};

    // The capture thread's own while it runs.
    std::set<KeyCode> m_ctrl, m_alt, m_shift;
    bool m_numLock = false;
    std::mutex m_mutex;
    std::vector<CapturedEvent> m_events;
};

} // namespace orvane
