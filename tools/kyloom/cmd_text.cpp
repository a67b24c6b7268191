// kyloom text STRING: sends plain characters to the focused window.
#include "kyloom32.h"
#include "report_tracker.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runText(const std::vector<std::string> &args, std::ostream &)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom text STRING");
        return kExitUsage;
    }
    SendText(args[0].c_str());
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(text, "STRING", "send plain characters to the focused window", orvane::runText);
