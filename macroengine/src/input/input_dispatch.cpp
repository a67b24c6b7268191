#include "input/input_dispatch.h"

namespace orvane {

namespace {

constexpr uint8_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12, kVkCancel = 0x03;

InputDecision pass() { return {}; }

InputDecision swallow(std::optional<InputPost> post = std::nullopt) { return {true, post}; }

InputPost toOwn(const InputSnapshot &s, uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0)
{
    return {s.ownWindow, {message, wParam, lParam}};
}

bool recording(EngineState state)
{
    return state == EngineState::Recording || state == EngineState::RecordingPaused;
}

InputDecision cancelHandling(const InputSnapshot &s, InputKey input, InputSource source)
{
    if (source == InputSource::Mouse && !input.trigger)
        return pass();
    if (recording(s.state))
        return swallow(toOwn(s, kReqStopRecording, 1));
    if (s.state == EngineState::Playing)
        return swallow(toOwn(s, kReqStopPlayback));
    return pass();
}

InputDecision pauseHandling(const InputSnapshot &s, InputKey input)
{
    if (!input.trigger)
        return pass();
    if (s.state == EngineState::Recording)
        return swallow(toOwn(s, kReqPauseRecording));
    if (s.state == EngineState::RecordingPaused)
        return swallow(toOwn(s, kReqResumeRecording));
    return pass();
}

InputDecision toggleHandling(const InputSnapshot &s, InputKey input)
{
    if (!input.trigger || s.state == EngineState::Playing)
        return swallow();
    if (s.state == EngineState::Idle)
        return swallow(toOwn(s, kReqStartRecording));
    return swallow(toOwn(s, kReqStopRecording, 0));
}

InputDecision hotKeyHandling(const InputSnapshot &s, InputKey input, const RegistryLookup &registry)
{
    if (s.state != EngineState::Idle)
        return pass();
    if (auto own = s.ownMacros.find(input.key); own != s.ownMacros.end()) {
        if (!input.trigger)
            return swallow();
        return swallow(toOwn(s, kReqPlayMacro, 0, own->second));
    }
    const std::optional<HotKeyEntry> entry = registry ? registry(input.key) : std::nullopt;
    if (!entry)
        return pass();
    if (!input.trigger)
        return swallow();
    return swallow(InputPost{entry->owner, {kReqPlayMacro, 0, entry->macro}});
}

} // namespace

KyKey withHeldModifiers(uint8_t vk, uint8_t heldModifiers)
{
    if (vk == kVkShift || vk == kVkControl || vk == kVkMenu)
        return vk;
    return static_cast<KyKey>(vk | (heldModifiers & (kModCtrl | kModAlt | kModShift)) << 8);
}

InputKey reduceKeyboard(uint8_t vk, uint8_t heldModifiers, bool down, KyKey cancelKey)
{
    if (vk == kVkCancel && cancelKey == kVkCancel)
        return {kVkCancel, down};
    return {withHeldModifiers(vk, heldModifiers), down};
}

std::optional<InputKey> reduceMouse(uint32_t message, uint8_t heldModifiers)
{
    if (message >= 0xA0 && message <= 0xA9)
        message += 0x200 - 0xA0;
    uint8_t vk = 0;
    bool trigger = false;
    switch (message) {
    case 0x200: vk = 0xFF; break;
    case 0x201: vk = 0x01; break;
    case 0x202:
    case 0x203:
        vk = 0x01;
        trigger = true;
        break;
    case 0x204: vk = 0x02; break;
    case 0x205:
    case 0x206:
        vk = 0x02;
        trigger = true;
        break;
    case 0x207: vk = 0x04; break;
    case 0x208:
    case 0x209:
        vk = 0x04;
        trigger = true;
        break;
    default: return std::nullopt;
    }
    return InputKey{withHeldModifiers(vk, heldModifiers), trigger};
}

InputDecision dispatchInput(const InputSnapshot &snapshot, InputKey input, InputSource source,
                            const RegistryLookup &registry)
{
    if (snapshot.cancelChecking && input.key == snapshot.cancelKey)
        return cancelHandling(snapshot, input, source);
    if (input.key == snapshot.pauseKey)
        return pauseHandling(snapshot, input);
    if (input.key == snapshot.toggleRecordKey)
        return toggleHandling(snapshot, input);
    return hotKeyHandling(snapshot, input, registry);
}

} // namespace orvane
