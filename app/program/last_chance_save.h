#pragma once
// The save routine for an end that never reaches the main window's close. When the X display
// connection is lost, Qt's X11 platform (and Xlib's default I/O error handler on our own
// connections) end the program at once with exit(1); nothing of Qt may be used after that. A
// handler registered with atexit() then runs the save routine, which is plain file work, with
// its errors on standard error only. It runs at most once and never after a normal close.
#include <functional>

namespace orvane {

// Registers `save` to run at exit unless disarmed first. Call it once the program's state is
// loaded (after QApplication exists, so that it runs before Qt's own exit handlers).
void ArmLastChanceSave(std::function<void()> save);
// The normal close has saved (or the program ends before anything was loaded).
void DisarmLastChanceSave();

} // namespace orvane
