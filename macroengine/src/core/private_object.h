#pragma once

#include <string>
#include <sys/stat.h>

namespace orvane {

// The engine's small shared objects (the hot-key registry, its owner markers, the record of
// borrowed keycodes) live where only this user can create names: in $XDG_RUNTIME_DIR, a folder
// of the user's own with mode 0700, as plain files. Only without $XDG_RUNTIME_DIR do they fall
// back to POSIX shared-memory names in /dev/shm, where any local user may create a name first;
// that is why every object found is checked before it is trusted.
//
// A name is either a path with a folder ("/run/user/1000/Kyloom32SharedData"), opened as a
// file without following a symbolic link, or a shared-memory name with a single leading slash
// ("/Kyloom32SharedData.1000").
namespace private_object {

// The folder for this user's objects: $XDG_RUNTIME_DIR when it is set, else "" (the
// shared-memory names). A folder that is not this user's own with mode 0700 is refused: `ok`
// is false and `why` says what is wrong with it.
struct Folder {
    bool ok = true;
    std::string path; // empty: shared-memory names
    std::string why;
};
Folder runtimeFolder();

// The name of an object called `base` ("Kyloom32SharedData") for this user: "<folder>/base"
// in the runtime folder, else "/base.<uid>"; `why` is set and the result empty when the
// runtime folder cannot be used.
std::string nameFor(const std::string &base, std::string &why);

// open(2) or shm_open(3) of `name` with `flags` (O_CLOEXEC and, for files, O_NOFOLLOW added).
int open(const std::string &name, int flags, mode_t mode);
int unlink(const std::string &name);

// Whether an object is fit to be trusted: a regular file of this user that nobody else may
// read or write. Otherwise `why` names the owner, the mode or the kind that is wrong.
bool isPrivate(const struct stat &st, std::string &why);

// "<name>: <why>" for messages.
std::string describe(const std::string &name, const std::string &why);

} // namespace private_object
} // namespace orvane
