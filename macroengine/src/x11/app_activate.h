#pragma once

#include <string_view>

namespace orvane {

// AppActivate: brings the top-level window whose title is exactly `title` to the front, on a
// connection of its own; true when such a window was found and asked to come forward. No
// such window is no error; no display is reported with the caption "AppActivate".
bool activateWindowByTitle(std::string_view title);

} // namespace orvane
