#include "app/clock/ui/help_window.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace orvane {
namespace {

QPointer<THelpWindow> g_help;

} // namespace

THelpWindow::THelpWindow() : m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Orvane Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenLinks(true);
    resize(480, 360);
}

void THelpWindow::showTopic(const QString &name)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + name));
    show();
    raise();
    activateWindow();
}

QString THelpWindow::currentTopic() const { return m_browser->source().fileName(); }

THelpWindow *THelpWindow::ShowContents()
{
    if (!g_help)
        g_help = new THelpWindow();
    g_help->showTopic(QStringLiteral("contents.html"));
    return g_help;
}

THelpWindow *THelpWindow::ShowContext(int context)
{
    const QString name = QStringLiteral("%1.html").arg(context);
    if (!QFile::exists(QStringLiteral(":/help/") + name))
        return ShowContents();
    if (!g_help)
        g_help = new THelpWindow();
    g_help->showTopic(name);
    return g_help;
}

} // namespace orvane
