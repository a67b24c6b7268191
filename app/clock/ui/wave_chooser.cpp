#include "app/clock/ui/wave_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace orvane {

std::optional<QString> ChooseWaveFile(QWidget *parent, const QString &current)
{
    const QString start = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Recorder"), start,
                                                      QStringLiteral("Wave files (*.wav);;All files (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace orvane
