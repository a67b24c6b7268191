#pragma once
// Each group of windows connects itself to the program in a file of its own (wire_<area>.cpp),
// so that the program root lists the groups and nothing more.
namespace orvane {

class TProgram;

// The watcher of the alarms' programs and the notice of a program that cannot start.
void WireAlarmPrograms(TProgram &program);

} // namespace orvane
