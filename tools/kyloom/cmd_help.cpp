// kyloom help: the verbs and what they do.
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runHelp(const std::vector<std::string> &, std::ostream &out)
{
    out << "usage: kyloom VERB [ARGUMENTS]\n\nverbs:\n";
    for (const Verb &verb : VerbTable::instance().all()) {
        std::string line = std::string("  ") + verb.name;
        if (verb.usage[0])
            line += std::string(" ") + verb.usage;
        out << line;
        out << std::string(line.size() < 30 ? 30 - line.size() : 1, ' ') << verb.summary << "\n";
    }
    out << "\nA CODE is decimal (288), hex (0x0120) or a key name as kyloom keys lists it\n"
           "(Ctrl+Space); a bare number is always a code.\n";
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(help, "", "show this help (also --help)", orvane::runHelp);
