#pragma once
// Small things the media windows share: the length of a timer's one-second tick on the
// program's clock, telling the user about a failure, and help by context number for the
// control that has the focus.
#include "app/clock/ui/help_key.h"
#include "app/common/clock.h"

#include <initializer_list>
#include <string>

class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace orvane {

// One second of the program's clock in real milliseconds (shorter when ORVANE_CLOCK_RATE makes
// the clock run fast).
int TickIntervalMs(const Clock &clock);

// Tells the user about a failure through the program's reporter.
void ShowMediaError(QWidget *parent, const std::string &text);

// F1 in `window` opens the help topic of the focused control (SetHelpContext), or
// `windowContext` when the control has none.
void InstallContextHelp(QWidget *window, int windowContext);

// Ctrl+C in `window`, while no text field has the focus, copies the time or amount `readout`
// shows to the clipboard, for pasting into a bill or a note.
void InstallCopyReadout(QWidget *window, QWidget *readout);

// The timers' "&Note" row: `edit` (a description of what is being timed) with its label, its
// hint and its help context.
QHBoxLayout *MakeNoteRow(QWidget *window, QLineEdit *edit, int helpContext);

// Tab moves through `widgets` in the order given.
void ChainTabOrder(std::initializer_list<QWidget *> widgets);

} // namespace orvane
