// kyloom keys: every key a macro may be given, in the pickers' order.
#include "key_text.h"
#include "kyloom32.h"
#include "report_tracker.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runKeys(const std::vector<std::string> &args, std::ostream &out)
{
    if (!args.empty()) {
        ReportTracker::report("usage: kyloom keys");
        return kExitUsage;
    }
    for (uint16_t i = 0; i < GetMaxPossibleMKeys(); ++i) {
        const KyKey key = GetPossibleMKey(i);
        out << keyCodeText(key) << " " << keyText(key) << "\n";
    }
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(keys, "", "list the keys a macro may be given: code and name",
            "One line per key: its code in hex and its name. These are the keys record --key and\n"
            "the program's pickers accept.\n",
            orvane::runKeys);
