#include "app/program/qt_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <cstdio>

namespace orvane {

void QtReporter::reportWithCaption(const std::string &caption, const std::string &text)
{
    std::fprintf(stderr, "orvane: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    QCoreApplication *app = QCoreApplication::instance();
    if (m_boxes == MessageBoxes::Off || !qobject_cast<QApplication *>(app))
        return;
    // Shown from the event loop: the report may come from another thread, or from inside a call
    // (a library call, a save) that must finish before a modal box runs the event loop again.
    QPointer<QWidget> parent = m_parent;
    const QString title = QString::fromStdString(caption);
    const QString message = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        app,
        [parent, title, message] {
            QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent.data());
            box.exec();
        },
        Qt::QueuedConnection);
}

MessageBoxes MessageBoxesFromEnvironment()
{
    return qEnvironmentVariableIsSet("ORVANE_NO_MESSAGE_BOXES") ? MessageBoxes::Off : MessageBoxes::Shown;
}

} // namespace orvane
