#pragma once
// Each group of windows connects itself to the program in a file of its own (wire_<area>.cpp),
// so that the program root lists the groups and nothing more.
namespace orvane {

class TProgram;

// The count-down and count-up timers: a new window for every command.
void WireTimers(TProgram &program);
// The Preferences and About commands: the options dialog and the about box.
void WireOptions(TProgram &program);
// The alarm set-up dialog behind the Alarms button, the "&Alarms" menu item and the tray menu.
void WireAlarmSet(TProgram &program);
// The CD player: the device over libcdio, the speed-bar command and the CD alarms.
void WireCDPlayer(TProgram &program);
// The watcher of the alarms' programs and the notice of a program that cannot start.
void WireAlarmPrograms(TProgram &program);

} // namespace orvane
