#include "app/program/start_failure_notice.h"

#include "app/clock/ui/main_window.h"
#include "app/clock/ui/tray_icon.h"

#include <QMessageBox>

#include <cstdio>

namespace orvane {

void ShowStartFailure(TMain &main, MessageBoxes boxes, const std::string &text)
{
    std::fprintf(stderr, "orvane: %s\n", text.c_str());
    const QString message = QString::fromStdString(text);
    if (main.trayIcon() && main.trayIcon()->showMessage(QStringLiteral("Orvane"), message))
        return;
    if (boxes == MessageBoxes::Off)
        return;
    // Not modal: the clock and every other window go on while it is shown.
    auto *box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Orvane"), message, QMessageBox::Ok, &main);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace orvane
