#pragma once
// Whole-file saves that never leave a half-written file behind: the data goes to a temporary
// file in the same folder ("<name>.XXXXXX"), is flushed to disk, takes the old file's place in
// one rename, and the folder is flushed so that the new name survives a power cut too.
#include <string>
#include <string_view>

namespace orvane {

enum class ExistingFile {
    // A file the user made read-only is left as it is (the write fails), and the new file gets
    // the old one's permissions.
    Respect,
    // The old file was kept elsewhere and is of no account: the new one is an ordinary 0644
    // file whatever the old one's permissions were.
    Supersede,
};

// False when any step fails; the old file is then untouched and the temporary file removed.
bool WriteFileAtomically(const std::string &path, std::string_view data,
                         ExistingFile existing = ExistingFile::Respect);

// Removes the temporaries that a save of `path` left behind when it was killed: regular files
// of ours beside it named as WriteFileAtomically names them (the name, a dot and six letters or
// digits). Nothing else is touched. Call it only where no save of `path` can be under way (at
// start-up, before the first save). Returns how many were removed.
int RemoveStaleTemporaries(const std::string &path);

} // namespace orvane
