#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// The virtual key of a braced key name ("ENTER", "F5", "PGDN", ...). The name must already be
// in upper case; the language upper-cases the braced text before it looks it up.
std::optional<uint8_t> vkForKeyName(std::u32string_view name);

} // namespace orvane
