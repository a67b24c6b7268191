#pragma once
// The one place where the alarm dialog asks for a wave file. Until the wave recorder window is
// part of the program this is a plain file chooser; the recorder takes its place here.
#include <optional>
#include <string>

class QWidget;

namespace orvane {

// A wave file chosen by the user, starting at `current` when it is set; nullopt on Cancel.
std::optional<std::string> ChooseWaveFile(QWidget *parent, const std::string &current);

} // namespace orvane
