#include "app/alarms/ui/alarm_set_hooks.h"

#include "app/clock/ui/help_window.h"
#include "app/media/ui/select_dir_dlg.h"
#include "app/media/ui/wave_chooser.h"

#include <QFileDialog>

namespace orvane {

AlarmSetHooks DefaultAlarmSetHooks(std::function<std::optional<std::string>()> saveAlarmFile)
{
    AlarmSetHooks hooks;
    hooks.chooseWave = BrowseRecordWave;
    hooks.chooseProgram = [](QWidget *parent) -> std::optional<std::string> {
        // "Executibles|*.exe;*.com|Batch files|*.bat|..." as a Linux user expects it: programs are
        // files marked executable, and scripts are the batch files.
        const QString file = QFileDialog::getOpenFileName(
            parent, QStringLiteral("Open"), QString(),
            QStringLiteral("Executibles (*);;Batch files (*.sh);;Shortcut (*.desktop);;All Files (*)"));
        if (file.isEmpty())
            return std::nullopt;
        return file.toStdString();
    };
    hooks.chooseFolder = [](QWidget *parent, const std::string &start) -> std::optional<std::string> {
        std::string folder = start;
        if (!ChooseFolder(parent, folder, 0, 0))
            return std::nullopt;
        return folder;
    };
    hooks.ask = [](QWidget *parent, const QString &caption, const QString &text,
                   QMessageBox::StandardButtons buttons) {
        return QMessageBox::warning(parent, caption, text, buttons);
    };
    hooks.inform = [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Orvane"), text);
    };
    hooks.help = [](int context) { THelpWindow::ShowContext(context); };
    hooks.saveAlarmFile = std::move(saveAlarmFile);
    return hooks;
}

} // namespace orvane
