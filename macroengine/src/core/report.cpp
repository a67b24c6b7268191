#include "core/report.h"

#include "kyloom32.h"

#include <atomic>
#include <cstdio>

namespace {

void writeToStandardError(const char *caption, const char *text)
{
    if (caption && caption[0])
        std::fprintf(stderr, "%s: %s\n", caption, text ? text : "");
    else
        std::fprintf(stderr, "%s\n", text ? text : "");
}

// Read from whatever thread reports, so it is swapped atomically rather than under a lock that
// a reporting function calling back into the library could deadlock on.
std::atomic<KyReportFn> g_report{&writeToStandardError};

} // namespace

namespace orvane {

std::string messageText(uint16_t id)
{
    unsigned char buffer[256];
    LoadMsg(id, buffer);
    return std::string(reinterpret_cast<const char *>(buffer + 1), buffer[0]);
}

void reportText(const char *caption, const std::string &text)
{
    g_report.load()(caption ? caption : "", text.c_str());
}

void reportMessage(uint16_t id) { reportText("", messageText(id)); }

void reportMessageWithReason(uint16_t id, const std::string &why)
{
    reportText("", why.empty() ? messageText(id) : messageText(id) + ": " + why);
}

void reportUnknownError() noexcept
{
    try {
        reportMessage(KyMsgUnknownError);
    } catch (...) {
        // Nothing is left to report with; the failure value still reaches the caller.
    }
}

} // namespace orvane

extern "C" void SetReportFunction(KyReportFn fn) { g_report.store(fn ? fn : &writeToStandardError); }
