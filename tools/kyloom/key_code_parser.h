#pragma once

#include "kyloom32.h"

#include <optional>
#include <string>

namespace orvane {

// A key given on the command line: decimal ("288"), hex ("0x0120") or a name as GetKeyName
// writes it ("Ctrl+Space", compared without regard to case). Names are looked up in the
// possible macro keys first, then among all key codes with their modifiers.
std::optional<KyKey> parseKeyCode(const std::string &text);

} // namespace orvane
