#pragma once

#include "app/common/reporter.h"
#include "kyloom32.h"

namespace orvane {

// Makes the macro engine tell its messages through the program's reporter: the library's text
// with an empty caption (or the caption it gives, "SendKeys"), from whatever thread the library
// reported. The reporter must live as long as the engine may report.
void InstallQtReportFunction(Reporter &reporter);

// The reporting function the program installed, nullptr for the library's own.
KyReportFn ProgramReportFunction();

} // namespace orvane
