#pragma once
// The program's own pictures: the seven speed-bar buttons and the clock used for the window and
// the tray. Drawn at run time so that they stay sharp at any size and need no files.
#include <QIcon>

namespace orvane {

enum class SpeedIcon { Preferences, Alarms, CdPlayer, Timers, About, Help, Exit };

QIcon SpeedBarIcon(SpeedIcon which);
QIcon ClockIcon();

} // namespace orvane
