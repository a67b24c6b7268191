#include "recording/recorder_events.h"

#include "input/input_dispatch.h"

#include <algorithm>
#include <new>

namespace orvane {

namespace {

bool isKeyDown(uint32_t message) { return message == kWmKeyDown || message == kWmSysKeyDown; }
bool isKeyUp(uint32_t message) { return message == kWmKeyUp || message == kWmSysKeyUp; }

bool hasRoom(const MacroRecord &scrap) { return static_cast<size_t>(scrap.lastIndex + 1) < scrap.capacity(); }

void growIfFull(MacroRecord &scrap)
{
    if (hasRoom(scrap))
        return;
    try {
        scrap.ensureCapacity(scrap.capacity() + kRecordingGrowth);
    } catch (const std::bad_alloc &) {
        // The event is dropped below; recording goes on and may find memory later.
    }
}

// Only key messages are compared with the steering keys: a mouse event's coordinates are no
// key, and comparing them would drop every event at x = 19 + 256k as if it were Pause.
bool isSteeringKey(const CapturedEvent &captured, const RecordFilter &filter)
{
    if (!isKeyMessage(captured.event.message))
        return false;
    const KyKey key =
        withHeldModifiers(static_cast<uint8_t>(captured.event.paramL & 0xFF), captured.heldModifiers);
    return key == filter.toggleRecordKey || key == filter.pauseKey;
}

} // namespace

uint32_t clientMouseMessage(uint32_t message)
{
    return message >= 0xA0 && message <= 0xA9 ? message + 0x160 : message;
}

bool isMouseMessage(uint32_t message)
{
    message = clientMouseMessage(message);
    return message >= kWmMouseMove && message <= kWmMButtonDblClk;
}

bool isKeyMessage(uint32_t message) { return isKeyDown(message) || isKeyUp(message); }

bool appendRecordedEvent(MacroRecord &scrap, const CapturedEvent &captured, const RecordFilter &filter)
{
    growIfFull(scrap);
    if (!hasRoom(scrap))
        return false;
    const uint32_t message = clientMouseMessage(captured.event.message);
    if (message >= filter.excludedLow && message <= filter.excludedHigh)
        return false;
    if (isSteeringKey(captured, filter))
        return false;
    MacroEvent event = captured.event;
    if (isMouseMessage(message)) {
        event.paramL = static_cast<uint32_t>(static_cast<int32_t>(event.paramL) - captured.originX);
        event.paramH = static_cast<uint32_t>(static_cast<int32_t>(event.paramH) - captured.originY);
    }
    scrap.lastIndex += 1;
    scrap.events[static_cast<size_t>(scrap.lastIndex)] = event;
    return true;
}

size_t eventsBeforeToggleKey(const std::vector<CapturedEvent> &events, KyKey toggleRecordKey)
{
    for (size_t i = events.size(); i-- > 0;) {
        const MacroEvent &e = events[i].event;
        if (isKeyDown(e.message) && withHeldModifiers(static_cast<uint8_t>(e.paramL & 0xFF),
                                                      events[i].heldModifiers) == toggleRecordKey)
            return i;
    }
    return events.size();
}

void trimRecording(MacroRecord &recording)
{
    int32_t n = recording.lastIndex;
    if (n < 0)
        return;
    auto &e = recording.events;
    int32_t f = n;
    for (int32_t i = 0; i <= n; ++i) {
        if (isKeyDown(e[static_cast<size_t>(i)].message)) {
            f = i;
            break;
        }
    }
    for (int32_t k = f; k >= 0; --k) {
        if (isKeyUp(e[static_cast<size_t>(k)].message)) {
            std::move(e.begin() + k + 1, e.begin() + n + 1, e.begin());
            n = n - k - 1;
            break;
        }
    }
    int32_t u = 0;
    for (int32_t i = n; i >= 0; --i) {
        if (isKeyUp(e[static_cast<size_t>(i)].message)) {
            u = i;
            break;
        }
    }
    for (int32_t j = u; j <= n; ++j) {
        if (isKeyDown(e[static_cast<size_t>(j)].message)) {
            n = j - 1;
            break;
        }
    }
    recording.lastIndex = n;
}

} // namespace orvane
