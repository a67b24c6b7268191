#include "app/alarms/ui/wave_chooser.h"

#include <QFileDialog>

namespace orvane {

std::optional<std::string> ChooseWaveFile(QWidget *parent, const std::string &current)
{
    const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString::fromStdString(current),
                                                      QStringLiteral("Wave files (*.wav);;All Files (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return file.toStdString();
}

} // namespace orvane
