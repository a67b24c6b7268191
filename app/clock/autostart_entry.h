#pragma once
// The desktop's own way of starting a program with the session: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/orvane.desktop. It mirrors the run line of Win.ini, which the
// desktop does not read.
#include <optional>
#include <string>

namespace orvane {

// Where the entry lives ($XDG_CONFIG_HOME, default ~/.config, then autostart/orvane.desktop).
std::string AutostartEntryPath();

// The entry's text for starting `execPath`, quoted as desktop entries require.
std::string AutostartEntryText(const std::string &execPath);

// Makes the entry exist (written atomically) or vanish. Returns "Unable to write to <path>"
// when the folder or the file cannot be written or the file cannot be removed.
std::optional<std::string> SyncAutostartEntry(bool present, const std::string &execPath);

} // namespace orvane
