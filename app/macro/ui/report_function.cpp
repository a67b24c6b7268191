#include "report_function.h"

#include "kyloom32.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>

#include <cstdio>

namespace orvane {

namespace {

void showMessage(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

void reportInMessageBox(const char *caption, const char *text)
{
    const QString title = QString::fromLatin1(caption ? caption : "");
    const QString message = QString::fromLatin1(text ? text : "");
    std::fprintf(stderr, "orvane: %s%s%s\n", caption && caption[0] ? caption : "",
                 caption && caption[0] ? ": " : "", text ? text : "");
    // Runs without anyone at the screen (tests, benchmarks) keep the text on standard error.
    QCoreApplication *app = QCoreApplication::instance();
    if (!qobject_cast<QApplication *>(app) || qEnvironmentVariableIsSet("ORVANE_NO_MESSAGE_BOXES"))
        return;
    // Shown from the event loop rather than inside the library's call: a modal box there
    // would run the engine's own requests in the middle of the call that reported.
    QMetaObject::invokeMethod(app, [title, message] { showMessage(title, message); },
                              Qt::QueuedConnection);
}

KyReportFn g_installed = nullptr;

} // namespace

void InstallQtReportFunction()
{
    g_installed = &reportInMessageBox;
    SetReportFunction(&reportInMessageBox);
}

KyReportFn ProgramReportFunction()
{
    return g_installed;
}

} // namespace orvane
