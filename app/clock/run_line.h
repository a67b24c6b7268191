#pragma once
// The "run" line of Win.ini's [windows] section: the programs started with the session,
// separated by ";". The clock adds or removes its own entry when the user changes
// "Start Orvane with Windows".
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Splits at every ";". Entries are neither trimmed nor dropped when empty, except that nothing
// is added for the text after the last ";" when that text is empty.
std::vector<std::string> SplitRunLine(std::string_view line);

// Joins with ";", where an entry joined to an empty text so far replaces it: so empty entries at
// the start vanish while empty entries after the first non-empty one survive.
std::string JoinRunLine(const std::vector<std::string> &entries);

// True when the entry names this program: it holds "ORVAN" in any case.
bool IsOurRunEntry(std::string_view entry);

// The line rebuilt: the first entry naming this program removed (only the first), and
// `ourPath` appended when `autoRun` is on.
std::string RebuildRunLine(std::string_view line, bool autoRun, std::string_view ourPath);

// True when one of the line's entries is exactly `ourPath`: the session would start this
// very program.
bool RunLineHoldsPath(std::string_view line, std::string_view ourPath);

} // namespace orvane
