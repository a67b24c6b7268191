#include "x11/recorder_x11_capture.h"

#include "input/input_dispatch.h"
#include "keys/vk_keysym.h"
#include "x11/held_modifier_keys.h"
#include "x11/input_x11_keys.h"
#include "x11/lock_keys.h"
#include "x11/x_windows.h"

#include <X11/XKBlib.h>
#include <X11/Xproto.h>
#include <poll.h>

#include <chrono>
#include <cstring>

namespace orvane {

namespace {

// How long a stopping capture waits for the server to hand over the last data.
constexpr auto kEndOfDataLimit = std::chrono::seconds(2);
// How long a starting capture waits for the server to confirm that it records.
constexpr auto kStartOfDataLimit = std::chrono::seconds(1);

uint16_t read16(const unsigned char *p)
{
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint32_t read32(const unsigned char *p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool isExtendedKey(uint8_t vk) { return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E; }

std::unique_ptr<XInjectorDisplay> openConnection()
{
    auto display = std::make_unique<XInjectorDisplay>();
    if (!*display)
        return nullptr;
    surviveConnectionLoss(display->get());
    return display;
}

} // namespace

XRecordCapture::~XRecordCapture()
{
    if (m_thread.joinable())
        stop();
    closeAll();
}

void XRecordCapture::closeAll()
{
    if (m_context && m_control) {
        XRecordFreeContext(m_control->get(), m_context);
        XSync(m_control->get(), False);
    }
    m_context = 0;
    m_data.reset();
    m_query.reset();
}

void XRecordCapture::readInitialKeyboard()
{
    HeldModifierKeys held = heldModifierKeys(m_query->get());
    m_ctrl = std::move(held.ctrl);
    m_alt = std::move(held.alt);
    m_shift = std::move(held.shift);
    m_numLock = (currentLockFlags() & kLockFlagNum) != 0;
}

bool XRecordCapture::start(const CaptureSettings &settings)
{
    if (m_thread.joinable())
        stop();
    if (!m_control)
        m_control = openConnection();
    m_data = openConnection();
    m_query = openConnection();
    if (!m_control || !m_data || !m_query) {
        closeAll();
        return false;
    }
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(m_control->get(), &major, &minor)) {
        closeAll();
        return false;
    }
    XRecordRange *range = XRecordAllocRange();
    if (!range) {
        closeAll();
        return false;
    }
    // Only what the recording can keep is asked for: no moves without mouse recording.
    range->device_events.first = KeyPress;
    range->device_events.last = MotionNotify;
    if (settings.excludedLow <= kWmMouseMove && settings.excludedHigh >= kWmMButtonDblClk)
        range->device_events.last = KeyRelease;
    else if (settings.excludedLow <= kWmMouseMove && settings.excludedHigh >= kWmMouseMove)
        range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    m_context = XRecordCreateContext(m_control->get(), 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(m_control->get(), False);
    if (!m_context || m_control->takeError()) {
        m_context = 0;
        closeAll();
        return false;
    }
    m_settings = settings;
    readInitialKeyboard();
    {
        std::lock_guard lock(m_mutex);
        m_events.clear();
    }
    m_stopping = false;
    m_ended = false;
    m_begun = false;
    if (!XRecordEnableContextAsync(m_data->get(), m_context, &XRecordCapture::intercept,
                                   reinterpret_cast<XPointer>(this))) {
        closeAll();
        return false;
    }
    m_thread = std::thread([this] { run(); });
    // Input that follows the start must be in the recording, so the start waits until the
    // server has begun to record.
    const auto limit = std::chrono::steady_clock::now() + kStartOfDataLimit;
    while (!m_begun && !m_ended && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

std::vector<CapturedEvent> XRecordCapture::stop()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        // The server hands the data it still holds to the data connection, then ends it.
        XRecordDisableContext(m_control->get(), m_context);
        XFlush(m_control->get());
        m_thread.join();
    }
    closeAll();
    std::lock_guard lock(m_mutex);
    std::vector<CapturedEvent> events;
    events.swap(m_events);
    return events;
}

void XRecordCapture::run()
{
    Display *d = m_data->get();
    std::chrono::steady_clock::time_point deadline{};
    while (!m_ended) {
        XRecordProcessReplies(d);
        if (m_ended)
            break;
        if (m_stopping) {
            const auto now = std::chrono::steady_clock::now();
            if (deadline == std::chrono::steady_clock::time_point{})
                deadline = now + kEndOfDataLimit;
            else if (now > deadline)
                break;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (poll(&fd, 1, 20) > 0 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL)))
            break;
    }
}

void XRecordCapture::intercept(XPointer self, XRecordInterceptData *data)
{
    auto *capture = reinterpret_cast<XRecordCapture *>(self);
    if (data->category == XRecordFromServer && data->data_len * 4 >= sizeof(xEvent))
        capture->take(data->data);
    else if (data->category == XRecordStartOfData)
        capture->m_begun = true;
    else if (data->category == XRecordEndOfData)
        capture->m_ended = true;
    XRecordFreeData(data);
}

void XRecordCapture::take(const unsigned char *event)
{
    const int type = event[0] & 0x7F;
    const uint8_t detail = event[1];
    const Time time = read32(event + 4);
    const auto x = static_cast<int16_t>(read16(event + 20));
    const auto y = static_cast<int16_t>(read16(event + 22));
    switch (type) {
    case KeyPress:
    case KeyRelease: takeKey(detail, type == KeyPress, time); break;
    case ButtonPress:
    case ButtonRelease: {
        const bool down = type == ButtonPress;
        const uint32_t base = detail == Button1   ? 0x201
                              : detail == Button3 ? 0x204
                              : detail == Button2 ? 0x207
                                                  : 0;
        if (base)
            takeMouse(down ? base : base + 1, x, y, time);
        break;
    }
    case MotionNotify: takeMouse(kWmMouseMove, x, y, time); break;
    default: break;
    }
}

uint8_t XRecordCapture::heldModifiers() const
{
    return static_cast<uint8_t>((m_ctrl.empty() ? 0 : kModCtrl) | (m_alt.empty() ? 0 : kModAlt) |
                                (m_shift.empty() ? 0 : kModShift));
}

void XRecordCapture::takeKey(KeyCode keycode, bool down, Time time)
{
    Display *d = m_query->get();
    const unsigned int state = (m_ctrl.empty() ? 0 : ControlMask) | (m_numLock ? numLockMask(d) : 0);
    const uint8_t vk = vkForKeyEvent(d, keycode, state);
    const uint8_t held = heldModifiers();
    // Alt turns keys into system keys, unless Ctrl is held too (AltGr, Ctrl+Alt shortcuts).
    const bool system = (!m_alt.empty() || vk == kVkMenu || vk == 0x79) && m_ctrl.empty();
    CapturedEvent captured;
    captured.event.message = down ? (system ? 0x104 : 0x100) : (system ? 0x105 : 0x101);
    captured.event.paramL = vk | static_cast<uint32_t>((keycode - 8) & 0xFF) << 8;
    captured.event.paramH = 1u | (isExtendedKey(vk) ? 0x8000u : 0u);
    captured.event.time = static_cast<uint32_t>(time);
    captured.event.window = static_cast<uint32_t>(activeWindow(d));
    captured.heldModifiers = held;
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(captured);
    }
    std::set<KeyCode> *modifier = vk == kVkControl ? &m_ctrl
                                  : vk == kVkMenu  ? &m_alt
                                  : vk == kVkShift ? &m_shift
                                                   : nullptr;
    if (modifier && down)
        modifier->insert(keycode);
    else if (modifier)
        modifier->erase(keycode);
    if (vk == kVkNumLock && down)
        m_numLock = !m_numLock;
}

void XRecordCapture::takeMouse(uint32_t message, int32_t x, int32_t y, Time time)
{
    if (message >= m_settings.excludedLow && message <= m_settings.excludedHigh)
        return;
    Display *d = m_query->get();
    CapturedEvent captured;
    const Window active = activeWindow(d);
    captured.event = {message, static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                      static_cast<uint32_t>(time), static_cast<uint32_t>(active)};
    captured.heldModifiers = heldModifiers();
    ScreenPoint origin;
    if (m_settings.mouseOrigin == MBWindow)
        windowCorner(d, active, origin);
    else if (m_settings.mouseOrigin == MBPointer)
        origin = m_settings.start;
    captured.originX = origin.x;
    captured.originY = origin.y;
    std::lock_guard lock(m_mutex);
    m_events.push_back(captured);
}

} // namespace orvane
