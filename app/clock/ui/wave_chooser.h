#pragma once
// How the options dialog lets the user pick the wave file played with the announcements.
#include <QString>

#include <optional>

class QWidget;

namespace orvane {

// Lets the user choose a wave file, starting at `current`; nullopt when the user cancels.
// A plain file chooser for now: the wave recorder takes its place once it exists.
std::optional<QString> ChooseWaveFile(QWidget *parent, const QString &current);

} // namespace orvane
