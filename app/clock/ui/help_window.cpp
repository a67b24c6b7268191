#include "app/clock/ui/help_window.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
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
    // The shortcut serves the usual case; keyPressEvent serves a press that reaches the window
    // before it counts as the active one (just after it was raised), which the shortcut ignores.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(480, 360);
}

void THelpWindow::showTopic(const QString &name)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + name));
    // Help asked for from a modal dialog (the options, the alarm set-up) must take keys and
    // clicks itself, where an ordinary window would be blocked behind that dialog; the
    // modality is only changed while the window is hidden, as Qt requires.
    const Qt::WindowModality modality =
        QApplication::activeModalWidget() && QApplication::activeModalWidget() != this ? Qt::ApplicationModal
                                                                                       : Qt::NonModal;
    if (modality != windowModality()) {
        hide();
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
}

void THelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool THelpWindow::HasTopic(int context)
{
    EnsureHelpTopics();
    return context > 0 && QFile::exists(QStringLiteral(":/help/%1.html").arg(context));
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
    if (!HasTopic(context))
        return ShowContents();
    const QString name = QStringLiteral("%1.html").arg(context);
    if (!g_help)
        g_help = new THelpWindow();
    g_help->showTopic(name);
    return g_help;
}

} // namespace orvane
