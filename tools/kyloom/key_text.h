#pragma once

#include "kyloom32.h"

#include <string>

namespace orvane {

// The library's name for a key, as GetKeyName writes it ("Ctrl+Space").
std::string keyText(KyKey key);

// A key as "0x" and four hex digits.
std::string keyCodeText(KyKey key);

} // namespace orvane
