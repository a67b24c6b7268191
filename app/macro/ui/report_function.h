#pragma once

#include "kyloom32.h"

namespace orvane {

// Makes the macro engine show its messages as the program's message boxes: the library's text
// with an empty caption (or the caption it gives, "SendKeys"), an OK button, modal, shown as
// soon as the program's event loop gets to it (from whatever thread the library reported).
// Every message also goes to standard error; with ORVANE_NO_MESSAGE_BOXES set, only there.
void InstallQtReportFunction();

// The reporting function the program installed, nullptr for the library's own.
KyReportFn ProgramReportFunction();

} // namespace orvane
