#pragma once
// Tells the user that an alarm's program could not be started, without waiting for a click: a
// notification from the tray icon where a notification area shows it, else a window that does
// not block the program; always a line on standard error.
#include "app/program/qt_reporter.h"

#include <string>

namespace orvane {

class TMain;

void ShowStartFailure(TMain &main, MessageBoxes boxes, const std::string &text);

} // namespace orvane
