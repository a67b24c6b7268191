#include "app/clock/ui/outer_bounds.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace orvane {
namespace {

// The manager frames a window within a few event-loop turns of its mapping; checks stop after a
// second so that a window the user moves afterwards is never pulled back.
constexpr int kSettleInterval = 20;
constexpr int kSettleChecks = 50;

} // namespace

TOuterBounds::TOuterBounds(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("outerBounds"));
    m_settle.setInterval(kSettleInterval);
    connect(&m_settle, &QTimer::timeout, this, &TOuterBounds::settle);
    window->installEventFilter(this);
}

void TOuterBounds::apply(QWidget *window, const QRect &outer)
{
    auto *bounds =
        window->findChild<TOuterBounds *>(QStringLiteral("outerBounds"), Qt::FindDirectChildrenOnly);
    if (!bounds)
        bounds = new TOuterBounds(window);
    bounds->m_outer = outer;
    bounds->fit();
    if (window->isVisible()) {
        bounds->m_checksLeft = kSettleChecks;
        bounds->m_settle.start();
    }
}

QMargins TOuterBounds::frameMargins() const
{
    // The platform window knows the frame as soon as the manager has announced it; the widget's
    // own frame geometry follows only at its next move event.
    if (const QWindow *handle = m_window->windowHandle(); handle && m_window->isVisible())
        return handle->frameMargins();
    return {};
}

void TOuterBounds::fit()
{
    const QMargins m = frameMargins();
    const QSize inner(std::max(m_outer.width() - m.left() - m.right(), 1),
                      std::max(m_outer.height() - m.top() - m.bottom(), 1));
    // A top-level window's position is that of its frame.
    if (m_window->pos() != m_outer.topLeft())
        m_window->move(m_outer.topLeft());
    if (m_window->size() != inner)
        m_window->resize(inner);
}

void TOuterBounds::settle()
{
    if (--m_checksLeft <= 0 || !m_window->isVisible()) {
        m_settle.stop();
        return;
    }
    fit();
}

bool TOuterBounds::eventFilter(QObject *watched, QEvent *event)
{
    // Showing (again, after the frame was changed) is when the manager frames the window anew.
    if (watched == m_window && event->type() == QEvent::Show && !event->spontaneous()) {
        m_checksLeft = kSettleChecks;
        m_settle.start();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvane
