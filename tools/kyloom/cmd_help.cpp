// kyloom help [VERB]: the verbs and what they do, or how to use one verb.
#include "key_text.h"
#include "report_tracker.h"
#include "verb_table.h"

#include "kyloom32.h"

#include <ostream>

namespace orvane {
namespace {

constexpr size_t kSummaryColumn = 30;

std::string usageLine(const Verb &verb)
{
    std::string line = std::string("kyloom ") + verb.name;
    if (verb.usage[0])
        line += std::string(" ") + verb.usage;
    return line;
}

void printOverview(std::ostream &out)
{
    out << "usage: kyloom VERB [ARGUMENTS]\n\nverbs:\n";
    for (const Verb &verb : VerbTable::instance().all()) {
        std::string line = std::string("  ") + verb.name;
        if (verb.usage[0])
            line += std::string(" ") + verb.usage;
        // A long usage gets a line of its own, so that the summaries stay in one column.
        if (line.size() >= kSummaryColumn)
            line += "\n" + std::string(kSummaryColumn, ' ');
        else
            line += std::string(kSummaryColumn - line.size(), ' ');
        out << line << verb.summary << "\n";
    }
    out << "\nA CODE is decimal (288), hex (0x0120) or a key name as kyloom keys lists it\n"
           "(Ctrl+Space); a bare number is always a code.\n"
           "Recording starts and stops with "
        << keyText(GetToggleRecordKey())
        << " (the toggle-record key).\n"
           "kyloom help VERB shows how to use one verb.\n";
}

// The verbs that listen for the engine's keys name them, because those keys are the only way
// to drive a recording from the keyboard.
void printEngineKeys(const Verb &verb, std::ostream &out)
{
    const std::string name = verb.name;
    if (name == "record")
        out << "\nThe toggle-record key is " << keyText(GetToggleRecordKey()) << ".\n";
    if (name == "play" || name == "bind")
        out << "\nWhile a macro plays, pressing " << keyText(GetCancelKey()) << " stops it and "
            << keyText(GetPauseKey()) << " pauses it.\n";
}

int runHelp(const std::vector<std::string> &args, std::ostream &out)
{
    if (args.empty()) {
        printOverview(out);
        return kExitOk;
    }
    const Verb *verb = args.size() == 1 ? VerbTable::instance().find(args[0]) : nullptr;
    if (!verb) {
        ReportTracker::report(args.size() == 1 ? "unknown verb \"" + args[0] + "\""
                                               : "usage: kyloom help [VERB]");
        return kExitUsage;
    }
    out << "usage: " << usageLine(*verb) << "\n\n" << verb->summary << ".\n\n" << verb->details;
    printEngineKeys(*verb, out);
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(help, "[VERB]", "show this help (also --help), or how to use one verb",
            "kyloom help lists the verbs; kyloom help VERB shows how to use one of them.\n", orvane::runHelp);
