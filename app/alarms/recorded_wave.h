#pragma once
// Waves the program recorded itself are named "OV-<number>.wav"; they belong to the alarm or
// setting that uses them and go with it.
#include <string>

namespace orvane {

// True when the file name (the part after the last '/' or '\') begins with "OV-". Only the
// name counts: a folder such as "/home/MOV-clips/" must never make a user's file look ours.
bool IsRecordedWave(const std::string &path);

// Deletes `path` from the disk when it is a recorded wave; a missing file or a failure is
// ignored. Returns true when a file was removed.
bool RemoveRecordedWave(const std::string &path);

} // namespace orvane
