// kyloom type [--wait] STRING: types a key string into the focused window.
#include "kyloom32.h"
#include "report_tracker.h"
#include "stop_signals.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runType(const std::vector<std::string> &args, std::ostream &)
{
    // "--" ends the options, so that a key string may itself be "--wait".
    size_t first = 0;
    bool wait = false;
    if (first < args.size() && args[first] == "--wait") {
        wait = true;
        ++first;
    }
    if (first < args.size() && args[first] == "--")
        ++first;
    if (args.size() != first + 1) {
        ReportTracker::report("usage: kyloom type [--wait] [--] STRING");
        return kExitUsage;
    }
    // A stop signal ends the typing with every key released, then the command.
    StopSignals stops;
    SendKeys(args[first].c_str(), wait ? 1 : 0);
    stops.endLikeTheSignal();
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(type, "[--wait] STRING", "type a key string into the focused window",
            "Types STRING in the key-string language: + ^ % hold Shift, Ctrl, Alt for the next key\n"
            "or (group); ~ is Enter; {NAME} or {NAME n} presses a named key n times (ENTER, TAB,\n"
            "ESC, BS, DEL, INS, HOME, END, PGUP, PGDN, UP, DOWN, LEFT, RIGHT, F1-F16, ...);\n"
            "{+} {^} {%} {~} {(} {)} {{} {}} type those characters. --wait lets each key reach\n"
            "its window before the next; -- ends the options.\n",
            orvane::runType);
