#pragma once

#include <string>
#include <vector>

namespace orvane {

// Takes over the library's reporting for the command: every message is written to standard
// error as "kyloom: text" (with the caption when there is one) and counted, because every
// message the library shows is a failure and the command's exit status must say so.
class ReportTracker {
public:
    ReportTracker();
    ~ReportTracker();
    ReportTracker(const ReportTracker &) = delete;
    ReportTracker &operator=(const ReportTracker &) = delete;

    static int count();
    // Reports a text of the command's own the same way.
    static void report(const std::string &text);

private:
    static void onReport(const char *caption, const char *text);
};

} // namespace orvane
