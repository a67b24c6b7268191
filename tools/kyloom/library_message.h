#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The text of message `id` of the library's table, as LoadMsg gives it.
std::string libraryMessage(uint16_t id);

// Why the macro file at `path` cannot be read ("Error opening macro file: PATH: REASON", the
// reason from the system), or an empty text when it can be opened. The library's own message
// names neither the file nor the reason, and a user with a typo in the path needs both.
std::string macroFileOpenProblem(const std::string &path);

} // namespace orvane
