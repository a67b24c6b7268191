#pragma once

#include "key_strings/key_string_action.h"
#include "key_strings/key_string_layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The key actions that type a text literally (SendText): every character is typed as itself,
// the key-string language's own characters (+ ^ % ~ braces, parentheses) included, with Shift
// held for the characters on the Shift level of their key.
struct TextActions {
    std::vector<KeyAction> actions;
    // The characters no key of the layout can type, in the order met.
    std::u32string untypable;
};

TextActions textActions(std::u32string_view text, const KeyStringLayout &layout);

// Drops modifier presses that change nothing, so that fewer events reach the server: Shift
// released and pressed again at once stays down (a run of capitals keeps Shift down), and a
// modifier pressed while it is already down is neither pressed nor released again until its
// outermost release. The keys typed and the modifiers held with each are
// unchanged.
std::vector<KeyAction> coalesceModifiers(const std::vector<KeyAction> &actions);

} // namespace orvane
