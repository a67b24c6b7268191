#pragma once
// The launcher's pages: the "*.tab" files of its directory, named without their extension.
#include <string>
#include <vector>

namespace orvane {

// The name up to the first '.' of every file in `directory` whose name ends in ".tab" (any
// letter case), sorted. A missing or unreadable directory, or "NONE", gives an empty list.
std::vector<std::string> ListLauncherPages(const std::string &directory);

} // namespace orvane
