#include "app/clock/ui/help_key.h"

#include "app/clock/ui/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace orvane {
namespace {

bool IsPlainF1(const QKeyEvent *key)
{
    return key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier;
}

} // namespace

void SetHelpContext(QWidget *widget, int context) { widget->setProperty(kHelpContextProperty, context); }

int HelpContextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        // A control whose own topic was never written is covered by the topic of what holds it.
        const QVariant context = w->property(kHelpContextProperty);
        if (context.isValid() && THelpWindow::HasTopic(context.toInt()))
            return context.toInt();
        // The search ends at the window: a dialog's parent is the window that opened it, whose
        // topic says nothing about the dialog.
        if (w->isWindow())
            break;
    }
    return 0;
}

bool THelpKey::eventFilter(QObject *watched, QEvent *event)
{
    // Help opens in the shortcut pass, before any window's own F1 shortcut could fire; the key
    // press that follows is then swallowed, so that each press opens help exactly once.
    if (!watched->isWidgetType() ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!IsPlainF1(key))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        if (!m_pressPending)
            return QObject::eventFilter(watched, event);
        m_pressPending = false;
        return true;
    }
    m_pressPending = true;
    if (key->isAutoRepeat()) {
        event->accept();
        return true;
    }
    // The key's own receiver says which window it was pressed in; the application's idea of the
    // focus can still be the window in front before, just after a dialog was raised.
    const QWidget *from = static_cast<const QWidget *>(watched);
    if (const int context = HelpContextOf(from))
        THelpWindow::ShowContext(context);
    else
        THelpWindow::ShowContents();
    event->accept();
    return true;
}

} // namespace orvane
