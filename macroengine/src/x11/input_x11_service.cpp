#include "x11/input_x11_service.h"

#include "core/display_loss.h"
#include "keys/vk_keysym.h"
#include "x11/input_x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>

namespace orvane {

namespace {

// How long the host waits for the server to answer a change of grabs.
constexpr auto kGrabAnswerLimit = std::chrono::seconds(2);

std::set<KyKey> keysToWatch(const InputSnapshot &snapshot)
{
    std::set<KyKey> keys;
    for (const auto &[key, macro] : snapshot.ownMacros)
        keys.insert(key);
    keys.insert(snapshot.toggleRecordKey);
    keys.insert(snapshot.pauseKey);
    if (snapshot.cancelChecking)
        keys.insert(snapshot.cancelKey);
    keys.erase(0);
    return keys;
}

uint32_t buttonMessage(unsigned int button, bool down)
{
    switch (button) {
    case Button1: return down ? 0x201 : 0x202;
    case Button3: return down ? 0x204 : 0x205;
    case Button2: return down ? 0x207 : 0x208;
    default: return 0;
    }
}

} // namespace

std::unique_ptr<XInputService> XInputService::create(Display *windowDisplay, Window messageWindow,
                                                     InputPlatform::RequestSink sink)
{
    if (!windowDisplay || messageWindow == 0)
        return nullptr;
    std::unique_ptr<XInputService> service(new XInputService(windowDisplay, messageWindow, std::move(sink)));
    if (!service->m_display || service->m_wakeFd < 0)
        return nullptr;
    service->m_thread = std::thread([raw = service.get()] { raw->run(); });
    return service;
}

XInputService::XInputService(Display *windowDisplay, Window messageWindow, InputPlatform::RequestSink sink)
    : m_windowDisplay(windowDisplay), m_messageWindow(messageWindow), m_sink(std::move(sink)),
      m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    Display *d = m_display.get();
    if (!d)
        return;
    surviveConnectionLoss(d);
    m_root = DefaultRootWindow(d);
    m_requestAtom = XInternAtom(d, kRequestAtomName, False);
    // Held keys then repeat as presses alone, so a held hot key keeps its grab and triggers
    // once per repeat, as the rules want.
    XkbSetDetectableAutoRepeat(d, True, nullptr);
    XSelectInput(d, m_root, NoEventMask);
    XSync(d, False);
}

XInputService::~XInputService()
{
    m_stop = true;
    wake();
    if (m_thread.joinable())
        m_thread.join();
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

void XInputService::wake()
{
    const uint64_t one = 1;
    if (m_wakeFd >= 0 && write(m_wakeFd, &one, sizeof one) < 0) {
        // Only an overflowing counter fails, and it is readable then anyway.
    }
}

InputService::GrabReport XInputService::update(const InputSnapshot &snapshot)
{
    std::unique_lock lock(m_mutex);
    std::set<KyKey> keys = keysToWatch(snapshot);
    const bool keysChanged = keys != m_pendingKeys;
    m_pending = snapshot;
    m_pendingKeys = std::move(keys);
    const uint64_t generation = ++m_generation;
    wake();
    if (!keysChanged)
        return {};
    if (!m_appliedChanged.wait_for(lock, kGrabAnswerLimit, [&] { return m_appliedGeneration >= generation; }))
        return {};
    return m_lastReport;
}

bool XInputService::watching(KyKey key) const
{
    std::lock_guard lock(m_mutex);
    return m_watched.count(key) != 0;
}

XInputService::GrabTarget XInputService::targetFor(KyKey key)
{
    Display *d = m_display.get();
    const uint8_t vk = static_cast<uint8_t>(key & 0xFF);
    GrabTarget target;
    target.modifiers = stateFromModifiers(d, static_cast<uint8_t>(key >> 8));
    target.variants = lockVariants(d);
    target.button = buttonForVk(vk);
    if (target.button)
        return target;
    target.keycode = keycodeForVk(d, vk);
    // Break sits on the Pause key's Ctrl level on PC keyboards.
    if (vk == kVkCancel && target.keycode &&
        XkbKeycodeToKeysym(d, static_cast<KeyCode>(target.keycode), 0, 0) != XK_Break)
        target.modifiers |= ControlMask;
    // The bare Cancel key matches whatever else is held (a playback may hold Shift), so it is
    // taken with Shift and Alt as well.
    if (key == kVkCancel) {
        std::vector<unsigned int> variants;
        for (unsigned int extra : {0u, unsigned(ShiftMask), stateFromModifiers(d, kModAlt),
                                   ShiftMask | stateFromModifiers(d, kModAlt)})
            for (unsigned int variant : target.variants)
                variants.push_back(variant | extra);
        target.variants = std::move(variants);
    }
    return target;
}

bool XInputService::grab(const GrabTarget &target)
{
    Display *d = m_display.get();
    if (!target.button && !target.keycode)
        return false;
    // An error still on its way (a request sent to a window that has gone) is no refusal.
    XSync(d, False);
    m_display.takeError();
    for (unsigned int variant : target.variants) {
        if (target.button)
            XGrabButton(d, target.button, target.modifiers | variant, m_root, False,
                        ButtonPressMask | ButtonReleaseMask, GrabModeSync, GrabModeAsync, None, None);
        else
            XGrabKey(d, static_cast<int>(target.keycode), target.modifiers | variant, m_root, False,
                     GrabModeAsync, GrabModeSync);
    }
    XSync(d, False);
    if (!m_display.takeError())
        return true;
    ungrab(target);
    return false;
}

void XInputService::ungrab(const GrabTarget &target)
{
    Display *d = m_display.get();
    for (unsigned int variant : target.variants) {
        if (target.button)
            XUngrabButton(d, target.button, target.modifiers | variant, m_root);
        else if (target.keycode)
            XUngrabKey(d, static_cast<int>(target.keycode), target.modifiers | variant, m_root);
    }
    XSync(d, False);
    m_display.takeError();
}

void XInputService::applyPending()
{
    std::set<KyKey> wanted;
    uint64_t generation = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_appliedGeneration == m_generation)
            return;
        m_snapshot = m_pending;
        wanted = m_pendingKeys;
        generation = m_generation;
    }
    for (auto it = m_grabbed.begin(); it != m_grabbed.end();) {
        if (wanted.count(it->first)) {
            ++it;
            continue;
        }
        ungrab(it->second);
        it = m_grabbed.erase(it);
    }
    GrabReport report;
    for (KyKey key : wanted) {
        if (m_grabbed.count(key))
            continue;
        const GrabTarget target = targetFor(key);
        if (grab(target))
            m_grabbed.emplace(key, target);
        else if (target.button)
            report.refusedButtons.push_back(key);
        else
            report.refusedKeys.push_back(key);
    }
    std::lock_guard lock(m_mutex);
    m_appliedGeneration = generation;
    m_lastReport = std::move(report);
    m_watched.clear();
    for (const auto &[key, target] : m_grabbed)
        m_watched.insert(key);
    m_appliedChanged.notify_all();
}

// A new keyboard map may move keys to other keycodes; those grabs are taken again. Most
// notices (another keyboard device taking over the same map) change nothing, and then the
// grabs stay untouched, so no key slips through while they would be renewed.
void XInputService::regrabAll()
{
    for (auto it = m_grabbed.begin(); it != m_grabbed.end();) {
        const GrabTarget target = targetFor(it->first);
        if (target == it->second) {
            ++it;
            continue;
        }
        ungrab(it->second);
        if (grab(target)) {
            it->second = target;
            ++it;
        } else {
            it = m_grabbed.erase(it);
        }
    }
    std::lock_guard lock(m_mutex);
    m_watched.clear();
    for (const auto &[key, target] : m_grabbed)
        m_watched.insert(key);
}

void XInputService::send(const InputPost &post)
{
    if (post.window == 0)
        return;
    Display *d = m_display.get();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = post.window;
    event.xclient.message_type = m_requestAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(post.request.message);
    event.xclient.data.l[1] = static_cast<long>(post.request.wParam);
    event.xclient.data.l[2] = static_cast<long>(post.request.lParam);
    XSendEvent(d, post.window, False, NoEventMask, &event);
    XFlush(d);
}

void XInputService::handleKey(XKeyEvent &event)
{
    Display *d = m_display.get();
    const bool down = event.type == KeyPress;
    const uint8_t vk = vkForKeyEvent(d, static_cast<KeyCode>(event.keycode), event.state);
    const InputKey input = reduceKeyboard(vk, modifiersFromState(d, event.state), down, m_snapshot.cancelKey);
    const InputDecision decision = dispatchInput(m_snapshot, input, InputSource::Keyboard, {});
    if (down && decision.swallow) {
        // The grab would hold the whole keyboard until the key is let go, and a macro the key
        // starts would type into it; so the key is taken and the keyboard let go at once.
        XAllowEvents(d, AsyncKeyboard, event.time);
        XUngrabKeyboard(d, CurrentTime);
    } else if (down) {
        XAllowEvents(d, ReplayKeyboard, event.time);
    }
    if (decision.post)
        send(*decision.post);
    XFlush(d);
}

void XInputService::handleButton(XButtonEvent &event)
{
    Display *d = m_display.get();
    const bool down = event.type == ButtonPress;
    const uint32_t message = buttonMessage(event.button, down);
    uint8_t modifiers = modifiersFromState(d, event.state);
    // The pointer stays frozen from the press until the press is decided, and meanwhile the
    // modifiers may be let go; the release belongs to the click its press began.
    if (!down && m_pressModifiers.count(event.button))
        modifiers = m_pressModifiers[event.button];
    const auto input = reduceMouse(message, modifiers);
    InputDecision decision;
    if (input)
        decision = dispatchInput(m_snapshot, *input, InputSource::Mouse, {});
    if (down && decision.swallow)
        m_pressModifiers[event.button] = modifiers;
    else
        m_pressModifiers.erase(event.button);
    if (down)
        XAllowEvents(d, decision.swallow ? AsyncPointer : ReplayPointer, event.time);
    if (decision.post)
        send(*decision.post);
    XFlush(d);
}

void XInputService::handleInput(XEvent &event)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease: handleKey(event.xkey); break;
    case ButtonPress:
    case ButtonRelease: handleButton(event.xbutton); break;
    case MappingNotify:
        XRefreshKeyboardMapping(&event.xmapping);
        if (event.xmapping.request != MappingPointer)
            regrabAll();
        break;
    default: break;
    }
}

void XInputService::handleWindowEvent(const XEvent &event)
{
    if (event.type != ClientMessage || event.xclient.window != m_messageWindow ||
        event.xclient.message_type != m_requestAtom || event.xclient.format != 32)
        return;
    const auto message = static_cast<uint32_t>(event.xclient.data.l[0]);
    if (message < kReqStartRecording || message > kReqTaskSwitch)
        return;
    m_sink({message, static_cast<uint32_t>(event.xclient.data.l[1]),
            static_cast<uint32_t>(event.xclient.data.l[2])});
}

void XInputService::run()
{
    Display *d = m_display.get();
    // The message window's connection only ever receives; the host's thread made the window
    // and leaves the connection to this thread until the service ends.
    bool connected = true;
    while (!m_stop) {
        applyPending();
        while (connected && XPending(d)) {
            XEvent event;
            XNextEvent(d, &event);
            handleInput(event);
        }
        while (connected && XPending(m_windowDisplay)) {
            XEvent event;
            XNextEvent(m_windowDisplay, &event);
            handleWindowEvent(event);
        }
        pollfd fds[3] = {{m_wakeFd, POLLIN, 0},
                         {connected ? ConnectionNumber(d) : -1, POLLIN, 0},
                         {connected ? ConnectionNumber(m_windowDisplay) : -1, POLLIN, 0}};
        // No timeout: every reason to wake (an X event, a request, a change of grabs, the
        // end of the service) makes one of the three readable, so the thread sleeps at rest.
        if (poll(fds, 3, -1) < 0)
            continue;
        if (connected && ((fds[1].revents | fds[2].revents) & (POLLHUP | POLLERR | POLLNVAL))) {
            connected = false;
            noteDisplayLost();
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            if (read(m_wakeFd, &count, sizeof count) < 0) {
                // Another reader cannot exist; EAGAIN only means the wake was consumed.
            }
        }
    }
    if (connected) {
        for (const auto &[key, target] : m_grabbed)
            ungrab(target);
    }
    m_grabbed.clear();
}

} // namespace orvane
