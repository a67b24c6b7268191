#pragma once

#include <optional>
#include <string>

namespace orvane {

// True when the path names an existing folder; a file, a broken link or nothing at all is false.
bool FolderExists(const std::string &path);

// Makes the folder and every missing parent, parents first. One trailing '/' is dropped and the
// root does nothing. Returns nullopt when the folder exists afterwards, otherwise a sentence
// naming the folder that could not be made and why, ready to show the user.
std::optional<std::string> MakeFolderPath(const std::string &path);

} // namespace orvane
