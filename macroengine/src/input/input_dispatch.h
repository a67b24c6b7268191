#pragma once

#include "core/engine_settings.h"
#include "core/hot_key_registry.h"
#include "input/input_request.h"
#include "kyloom32.h"

#include <functional>
#include <optional>
#include <unordered_map>

namespace orvane {

// Modifier values of a key code's high byte.
constexpr uint8_t kModCtrl = 1, kModAlt = 2, kModShift = 4;

// What the input thread needs to decide about a key without touching the engine, which the
// host's thread may hold for as long as a code hook runs.
struct InputSnapshot {
    EngineState state = EngineState::Idle;
    KyKey toggleRecordKey = 0x077A;
    KyKey pauseKey = 0x0013;
    KyKey cancelKey = 0x0003;
    bool cancelChecking = false;
    uint32_t ownWindow = 0;
    // The scrap macro and every table macro of this process, by key.
    std::unordered_map<KyKey, KyMacro> ownMacros;

    bool operator==(const InputSnapshot &) const = default;
};

// A key or mouse button reduced to a key code and whether this message triggers it.
struct InputKey {
    KyKey key = 0;
    bool trigger = false;
};

enum class InputSource { Keyboard, Mouse };

// The modifiers held, added to a virtual key unless it is a modifier key itself.
KyKey withHeldModifiers(uint8_t vk, uint8_t heldModifiers);

// A key message: the key with the held modifiers, triggering while it goes down (auto-repeat
// included). Ctrl+Break arrives with Ctrl held and must still match a bare Cancel key.
InputKey reduceKeyboard(uint8_t vk, uint8_t heldModifiers, bool down, KyKey cancelKey);

// A mouse message (0x200-0x209, or the non-client 0xA0-0xA9); nullopt for any other.
std::optional<InputKey> reduceMouse(uint32_t message, uint8_t heldModifiers);

struct InputPost {
    uint32_t window = 0;
    EngineRequest request;
};

struct InputDecision {
    bool swallow = false;
    std::optional<InputPost> post;
};

using RegistryLookup = std::function<std::optional<HotKeyEntry>(KyKey)>;

// The dispatch rules in their order: cancel key, pause key, toggle-record key, then hot keys,
// for a key seen by the process that installed the engine.
InputDecision dispatchInput(const InputSnapshot &snapshot, InputKey input, InputSource source,
                            const RegistryLookup &registry);

} // namespace orvane
