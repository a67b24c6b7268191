#pragma once

#include <cstdint>
#include <string>

namespace orvane {

enum class KeyActionKind : uint8_t {
    Down,      // key `vk` goes down
    Up,        // key `vk` comes up
    PressVk,   // key `vk` goes down and up, `repeat` times
    PressChar, // the key that types `character` goes down and up, `repeat` times
    Message,   // show `text`, or message `messageId` of the table, with the caption "SendKeys"
};

// One step of typing a key string; the parser turns a string into a list of these and the
// injector carries them out in order.
struct KeyAction {
    KeyActionKind kind = KeyActionKind::Down;
    uint8_t vk = 0;
    char32_t character = 0;
    int32_t repeat = 1;
    uint16_t messageId = 0;
    std::string text;

    bool operator==(const KeyAction &) const = default;

    static KeyAction down(uint8_t vk) { return {KeyActionKind::Down, vk, 0, 1, 0, {}}; }
    static KeyAction up(uint8_t vk) { return {KeyActionKind::Up, vk, 0, 1, 0, {}}; }
    static KeyAction pressVk(uint8_t vk, int32_t repeat = 1)
    {
        return {KeyActionKind::PressVk, vk, 0, repeat, 0, {}};
    }
    static KeyAction pressChar(char32_t c, int32_t repeat = 1)
    {
        return {KeyActionKind::PressChar, 0, c, repeat, 0, {}};
    }
    static KeyAction message(std::string text)
    {
        return {KeyActionKind::Message, 0, 0, 1, 0, std::move(text)};
    }
    static KeyAction tableMessage(uint16_t id) { return {KeyActionKind::Message, 0, 0, 1, id, {}}; }
};

} // namespace orvane
