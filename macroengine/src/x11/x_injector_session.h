#pragma once

#include "x11/inject_wait.h"

#include <string_view>

namespace orvane {

enum class InjectStatus { Done, NoDisplay, NoXTest, NoFocus };

// Types a key string into whatever window has the focus (SendKeys). When the display or its
// XTEST extension is missing the problem is reported with the caption "SendKeys" and nothing
// is typed.
InjectStatus sendKeyString(std::string_view keys, InjectWait wait);

// Sends each character of `text` that a key of the keyboard map types to the focus window as
// a key event of its own (SendText); characters no key types are skipped.
InjectStatus sendTextString(std::string_view text);

} // namespace orvane
