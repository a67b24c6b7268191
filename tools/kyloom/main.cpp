// kyloom VERB [ARGS...]: one handler per verb, found in the verb table.
#include "report_tracker.h"
#include "verb_table.h"

#include <iostream>

int main(int argc, char **argv)
{
    using namespace orvane;
    const std::string verbName = argc > 1 ? argv[1] : "";
    const bool wantsHelp = verbName == "--help" || verbName == "-h";
    const Verb *verb = VerbTable::instance().find(wantsHelp ? "help" : verbName);
    if (!verb) {
        if (!verbName.empty())
            std::cerr << "kyloom: unknown verb \"" << verbName << "\"\n";
        VerbTable::instance().find("help")->run({}, std::cerr);
        return kExitUsage;
    }
    ReportTracker reports;
    const int status = verb->run(std::vector<std::string>(argv + 2, argv + argc), std::cout);
    std::cout.flush();
    if (status == kExitOk && ReportTracker::count() > 0)
        return kExitFailure;
    return status;
}
