#include "app/common/reporter.h"

#include <atomic>
#include <cstdio>

namespace orvane {
namespace {

class StandardErrorReporter : public Reporter {
public:
    void reportWithCaption(const std::string &caption, const std::string &text) override
    {
        std::fprintf(stderr, "orvane: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    }
};

std::atomic<Reporter *> g_reporter{nullptr};

} // namespace

Reporter &ProgramReporter()
{
    static StandardErrorReporter fallback;
    Reporter *r = g_reporter.load();
    return r ? *r : fallback;
}

void SetProgramReporter(Reporter *reporter) { g_reporter = reporter; }

} // namespace orvane
