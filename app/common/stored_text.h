#pragma once
// Texts in the program's record files. Older files hold them in Windows-1252 ("ANSI"); texts
// with characters that code page lacks are stored as UTF-8. In memory every text is UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// A stored text as UTF-8: valid UTF-8 is taken as it is, anything else is read as Windows-1252.
std::string DecodeStoredText(std::string_view stored);

// A UTF-8 text as it is stored, at most `maxBytes` bytes, never cut inside a character:
// Windows-1252 when every character fits and those bytes read back as the same text, so that
// older files stay as older versions wrote them, and UTF-8 otherwise. Bytes that are not valid
// UTF-8 are stored as they are.
std::string EncodeStoredText(std::string_view utf8, std::size_t maxBytes);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);

} // namespace orvane
