// kyloom keyname CODE: the library's name for a key.
#include "key_code_parser.h"
#include "key_text.h"
#include "report_tracker.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runKeyName(const std::vector<std::string> &args, std::ostream &out)
{
    if (args.size() != 1) {
        ReportTracker::report("usage: kyloom keyname CODE");
        return kExitUsage;
    }
    const auto key = parseKeyCode(args[0]);
    if (!key) {
        ReportTracker::report("not a key code or key name: \"" + args[0] + "\"");
        return kExitFailure;
    }
    out << keyText(*key) << "\n";
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(keyname, "CODE", "print the name of a key",
            "CODE is decimal (288), hex (0x0120) or a key name (ctrl+space); prints the name the\n"
            "library gives the key, as the pickers show it.\n",
            orvane::runKeyName);
