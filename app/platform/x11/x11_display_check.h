#pragma once
// Whether an X display can be reached, asked before any toolkit opens one: a toolkit that cannot
// connect aborts the process, while the clock must end with a clear message instead.
#include <optional>
#include <string>

namespace orvane {

// Nothing when the display named by `displayName` (the DISPLAY value) accepts a connection;
// otherwise what is wrong, in words for the user.
std::optional<std::string> X11DisplayProblem(const std::string &displayName);

} // namespace orvane
