// kyloom activate TITLE: brings the window with exactly that title to the front.
#include "kyloom32.h"
#include "report_tracker.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runActivate(const std::vector<std::string> &args, std::ostream &)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom activate TITLE");
        return kExitUsage;
    }
    const int reportsBefore = ReportTracker::count();
    if (!AppActivate(args[0].c_str())) {
        // The library stays silent when no window has the title, not when it cannot look.
        if (ReportTracker::count() == reportsBefore)
            ReportTracker::report("no window is titled \"" + args[0] + "\"");
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(activate, "TITLE", "bring the window with this exact title to the front",
            "Finds the top-level window whose title is exactly TITLE (letter case counts) and asks\n"
            "the window manager to bring it forward. Exit status 1 when no window has the title.\n",
            orvane::runActivate);
