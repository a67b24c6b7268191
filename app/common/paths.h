#pragma once
// Where the program's files live. ORVANE_HOME, when set, holds everything; otherwise the INI files
// go to the XDG configuration folder and the data files to the XDG data folder.
#include <string>

namespace orvane {

// Folder of murvelin.ini and Win.ini, with a trailing '/'. Created on first need by the writer.
std::string IniDir();
// Folder of alarms32.rec, CDNAME32.REC, Timeup.Rec, CstmCol.Str and waves/, with a trailing '/'.
std::string ProgramDir();
// Creates a folder and its parents; false when that fails.
bool EnsureDir(const std::string &dir);

} // namespace orvane
