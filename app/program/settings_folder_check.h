#pragma once
// Whether the folders the save points write to can take the files, asked once at start so that
// the user learns it while changes can still be copied elsewhere, not at the end of the session.
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The first folder of `folders` (each with a trailing '/') that cannot be written, with the
// reason; nothing when every one can. A folder that does not exist yet is judged by the nearest
// existing one above it, where it would be created.
struct UnwritableFolder {
    std::string folder;
    std::string reason;
};
std::optional<UnwritableFolder> FindUnwritableFolder(const std::vector<std::string> &folders);

// The start-up message for an unwritable folder.
std::string UnwritableFolderMessage(const UnwritableFolder &folder);

} // namespace orvane
