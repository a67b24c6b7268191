#pragma once

#include "x11/inject_wait.h"

#include <string_view>

namespace orvane {

enum class InjectStatus { Done, NoDisplay, NoXTest, NoFocus, Untypable };

// Types a key string into whatever window has the focus (SendKeys). When the display or its
// XTEST extension is missing the problem is reported with the caption "SendKeys" and nothing
// is typed.
InjectStatus sendKeyString(std::string_view keys, InjectWait wait);

// Types every character of `text` literally into the window that has the focus (SendText),
// through XTest like SendKeys, borrowing spare keycodes for characters the keyboard map
// lacks. No display, no XTEST, no focus window and characters no key can type are reported
// with the caption "SendText".
InjectStatus sendTextString(std::string_view text);

} // namespace orvane
