#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The characters of a key string. Text is read as UTF-8; a byte that does not begin a valid
// UTF-8 sequence stands for the Latin-1 character of that value, so 8-bit text written for the
// original single-byte interface still types what it says.
std::u32string decodeKeyString(std::string_view bytes);

} // namespace orvane
