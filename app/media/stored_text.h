#pragma once
// Names in the disc database are single-byte text as older versions wrote it (Windows-1252).
// Reading: valid UTF-8 stays UTF-8, anything else is taken as Windows-1252. Writing:
// Windows-1252 when every character fits, UTF-8 otherwise; cut to a byte limit without ever
// splitting a character.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

std::string StoredToUtf8(std::string_view stored);
std::string Utf8ToStored(std::string_view utf8, std::size_t maxBytes);

} // namespace orvane
