#include "app/program/qt_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <cstdio>

namespace orvane {

QtReporter::QtReporter(MessageBoxes boxes)
    : m_boxesShown(std::make_shared<std::atomic<bool>>(boxes == MessageBoxes::Shown))
{}

MessageBoxes QtReporter::boxes() const { return *m_boxesShown ? MessageBoxes::Shown : MessageBoxes::Off; }

void QtReporter::setClosing(Closing closing)
{
    std::lock_guard lock(m_mutex);
    m_closing = true;
    if (closing == Closing::Unattended)
        *m_boxesShown = false;
}

void QtReporter::reportWithCaption(const std::string &caption, const std::string &text)
{
    // Several save steps can fail on one file for one reason; at the end the user hears it once.
    {
        std::lock_guard lock(m_mutex);
        if (m_closing && !m_toldWhileClosing.insert(caption + '\n' + text).second)
            return;
    }
    std::fprintf(stderr, "orvane: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    QCoreApplication *app = QCoreApplication::instance();
    if (!*m_boxesShown || !qobject_cast<QApplication *>(app))
        return;
    // Shown from the event loop: the report may come from another thread, or from inside a call
    // (a library call, a save) that must finish before a modal box runs the event loop again.
    QPointer<QWidget> parent = m_parent;
    const QString title = QString::fromStdString(caption);
    const QString message = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        app,
        [shown = m_boxesShown, parent, title, message] {
            if (!*shown)
                return;
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
