#pragma once
// Whole-file saves that never leave a half-written file behind: the data goes to a temporary
// file in the same folder, is flushed to disk, and then takes the old file's place in one rename.
#include <string>
#include <string_view>

namespace orvane {

// False when any step fails; the old file is then untouched and the temporary file removed.
bool WriteFileAtomically(const std::string &path, std::string_view data);

} // namespace orvane
