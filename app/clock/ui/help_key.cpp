#include "app/clock/ui/help_key.h"

#include "app/clock/ui/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace orvane {
namespace {

constexpr const char *kHelpContext = "orvaneHelpContext";

} // namespace

void SetHelpContext(QWidget *widget, int context) { widget->setProperty(kHelpContext, context); }

int HelpContextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant context = w->property(kHelpContext);
        if (context.isValid() && context.toInt() > 0)
            return context.toInt();
    }
    return 0;
}

bool THelpKey::eventFilter(QObject *watched, QEvent *event)
{
    // Only the shortcut pass is taken, so each press opens help once and a control that uses F1
    // for itself still gets its key press.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || key->isAutoRepeat())
        return QObject::eventFilter(watched, event);
    const QWidget *from = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (const int context = HelpContextOf(from))
        THelpWindow::ShowContext(context);
    else
        THelpWindow::ShowContents();
    event->accept();
    return true;
}

} // namespace orvane
