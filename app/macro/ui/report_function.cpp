#include "report_function.h"

#include "kyloom32.h"

namespace orvane {

namespace {

Reporter *g_reporter = nullptr;

// The library's texts are ANSI; its own table holds only ASCII.
void reportThroughProgram(const char *caption, const char *text)
{
    if (g_reporter)
        g_reporter->reportWithCaption(caption ? caption : "", text ? text : "");
}

KyReportFn g_installed = nullptr;

} // namespace

void InstallQtReportFunction(Reporter &reporter)
{
    g_reporter = &reporter;
    g_installed = &reportThroughProgram;
    SetReportFunction(&reportThroughProgram);
}

KyReportFn ProgramReportFunction() { return g_installed; }

} // namespace orvane
