#pragma once
// The program's own pictures: the seven speed-bar buttons and the clock used for the window and
// the tray. Drawn with lines and shapes (no text, so no font is loaded for them) when the window is built.
#include <QIcon>

namespace orvane {

enum class SpeedIcon { Preferences, Alarms, CdPlayer, Timers, About, Help, Exit };

QIcon SpeedBarIcon(SpeedIcon which);
QIcon ClockIcon();

} // namespace orvane
