// kyloom list FILE: the macros of a macro file.
#include "key_text.h"
#include "library_message.h"
#include "report_tracker.h"
#include "verb_table.h"

#include "kyloom32.h"

#include <ostream>
#include <string>
#include <vector>

namespace orvane {
namespace {

const char *originName(uint8_t origin)
{
    switch (origin) {
    case MBScreen: return "MBScreen";
    case MBWindow: return "MBWindow";
    case MBPointer: return "MBPointer";
    default: return "unknown";
    }
}

// One line per macro, printed as the library reads the file, so the macros before any damage
// are shown too.
void printEntry(const KyMacroFileEntry *entry, void *context)
{
    std::ostream &out = *static_cast<std::ostream *>(context);
    const std::string name = entry->name[0] ? entry->name : libraryMessage(KyMsgNoMacroName);
    out << keyCodeText(entry->key) << "\t" << keyText(entry->key) << "\t" << name << "\t" << entry->eventCount
        << "\t" << originName(entry->mouseOrigin) << "\n";
}

int runList(const std::vector<std::string> &args, std::ostream &out)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom list FILE");
        return kExitUsage;
    }
    if (const std::string problem = macroFileOpenProblem(args[0]); !problem.empty()) {
        ReportTracker::report(problem);
        return kExitFailure;
    }
    const uint16_t failure = ListMacroFile(args[0].c_str(), &printEntry, &out);
    if (failure != 0) {
        ReportTracker::report(libraryMessage(failure) + ": " + args[0]);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(list, "FILE", "list a macro file: key, key name, name, events, mouse origin (tab-separated)",
            "One line per macro, tab-separated: key code, key name, macro name, number of events,\n"
            "mouse origin (MBScreen, MBWindow or MBPointer). A damaged file lists the macros\n"
            "before the damage and ends with exit status 1.\n",
            orvane::runList);
