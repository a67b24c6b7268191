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

KYLOOM_VERB(text, "STRING", "send plain characters to the focused window",
            "Types every character of STRING literally (braces, +, ^, % and ~ included) into the\n"
            "window that has the keyboard focus. Characters the keyboard lacks are typed through a\n"
            "spare key. Exit status 1 when a character could not be delivered.\n",
            orvane::runText);
