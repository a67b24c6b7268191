#include "app/clock/ui/help_window.h"

#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

// The topics are compiled into a static library, whose resources nothing would register: the
// help window registers them itself, so that help is never blank whoever links it.
static void InitHelpTopics() { Q_INIT_RESOURCE(help); }

namespace orvane {
namespace {

QPointer<THelpWindow> g_help;

void EnsureHelpTopics()
{
    static const bool registered = (InitHelpTopics(), true);
    (void)registered;
}

} // namespace

THelpWindow::THelpWindow() : m_browser(new QTextBrowser(this))
{
    EnsureHelpTopics();
    setWindowTitle(QStringLiteral("Orvane Help"));
    // Closing only hides the window: the next request shows it again at once, and a request
    // made just after a close can never reach a window that is being deleted.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenLinks(true);
    m_browser->setAccessibleName(QStringLiteral("Help topic"));
    // Esc puts the help away, as it closes any other window of the program that only shows.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
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
    EnsureHelpTopics();
    const QString name = QStringLiteral("%1.html").arg(context);
    if (!QFile::exists(QStringLiteral(":/help/") + name))
        return ShowContents();
    if (!g_help)
        g_help = new THelpWindow();
    g_help->showTopic(name);
    return g_help;
}

} // namespace orvane
