#pragma once

#include "kyloom32.h"

#include <cstdint>
#include <optional>

namespace orvane {

// Which key a press in the macro-key combo box makes the current key: the virtual key with the
// held modifiers (1 Ctrl, 2 Alt, 4 Shift). Nothing for a bare Shift, Ctrl or Alt, and, on a
// machine without a mouse, nothing for the keys that move through the dialog (Tab, Enter, Up,
// Down, Alt+Up, Alt+Down, Shift+Tab), which keep their normal meaning there.
std::optional<KyKey> CapturedMacroKey(uint8_t vk, uint8_t modifiers, bool mousePresent);

enum class TMouseAction { Press, Release, DoubleClick };

// Which key a mouse button makes the current key (1 left, 2 right, 4 middle): a left press
// only with a modifier held, any left double-click, any right or middle press or double-click.
// Nothing for a plain left press, which keeps its normal meaning, and for releases.
std::optional<KyKey> CapturedMouseKey(uint8_t buttonVk, uint8_t modifiers, TMouseAction action);

// Whether the release of the button is the control's to consume: those whose press it took.
bool ConsumesMouseRelease(uint8_t buttonVk, uint8_t modifiers);

} // namespace orvane
