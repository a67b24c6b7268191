#include "report_tracker.h"

#include "kyloom32.h"

#include <atomic>
#include <cstdio>

namespace orvane {

namespace {
std::atomic<int> g_count{0};
}

ReportTracker::ReportTracker() { SetReportFunction(&ReportTracker::onReport); }

ReportTracker::~ReportTracker() { SetReportFunction(nullptr); }

int ReportTracker::count() { return g_count.load(); }

void ReportTracker::report(const std::string &text) { onReport("", text.c_str()); }

void ReportTracker::onReport(const char *caption, const char *text)
{
    ++g_count;
    if (caption && caption[0])
        std::fprintf(stderr, "kyloom: %s: %s\n", caption, text ? text : "");
    else
        std::fprintf(stderr, "kyloom: %s\n", text ? text : "");
}

} // namespace orvane
