// kyloom list FILE: the macros of a macro file.
#include "key_text.h"
#include "macro_file_listing.h"
#include "report_tracker.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

std::string messageText(uint16_t id)
{
    unsigned char text[256];
    LoadMsg(id, text);
    return std::string(reinterpret_cast<const char *>(text + 1), text[0]);
}

const char *originName(uint8_t origin)
{
    switch (origin) {
    case MBScreen:
        return "MBScreen";
    case MBWindow:
        return "MBWindow";
    case MBPointer:
        return "MBPointer";
    default:
        return "unknown";
    }
}

int runList(const std::vector<std::string> &args, std::ostream &out)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom list FILE");
        return kExitUsage;
    }
    const MacroFileListing listing = listMacroFile(args[0]);
    for (const MacroFileEntry &entry : listing.entries) {
        const std::string name = entry.name.empty() ? messageText(100) : entry.name;
        out << keyCodeText(entry.key) << "\t" << keyText(entry.key) << "\t" << name << "\t"
            << entry.eventCount << "\t" << originName(entry.mouseOrigin) << "\n";
    }
    if (listing.failure != 0) {
        ReportTracker::report(messageText(listing.failure) + ": " + args[0]);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(list, "FILE",
            "list a macro file: key, key name, name, events, mouse origin (tab-separated)",
            orvane::runList);
