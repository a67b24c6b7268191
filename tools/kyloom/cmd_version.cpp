// kyloom version: the library's version as major.minor.
#include "kyloom32.h"
#include "verb_table.h"

#include <ostream>

namespace orvane {
namespace {

int runVersion(const std::vector<std::string> &args, std::ostream &out)
{
    if (!args.empty())
        return kExitUsage;
    const uint16_t version = GetKeyloomVersion();
    out << (version >> 8) << "." << (version & 0xFF) << "\n";
    return kExitOk;
}

} // namespace
} // namespace orvane

KYLOOM_VERB(version, "", "print the Kyloom32 version",
            "Prints the version of the Kyloom32 library the command runs on.\n", orvane::runVersion);
