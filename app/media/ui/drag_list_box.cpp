#include "app/media/ui/drag_list_box.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace orvane {
namespace {

const QString kMime = QStringLiteral("application/x-orvane-cd-line");

} // namespace

DragListBox::DragListBox(Role role, QWidget *parent) : QListWidget(parent), m_role(role)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void DragListBox::acceptDrops(Accepts accepts, Drop drop)
{
    m_accepts = std::move(accepts);
    m_drop = std::move(drop);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
}

void DragListBox::mousePressEvent(QMouseEvent *event)
{
    m_pressRow = -1;
    if (event->button() == Qt::LeftButton) {
        m_pressAt = event->position().toPoint();
        m_pressRow = indexAt(m_pressAt).row();
    }
    QListWidget::mousePressEvent(event);
}

void DragListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressRow < 0 || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressAt).manhattanLength() < QApplication::startDragDistance()) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    auto *data = new QMimeData;
    data->setData(kMime, QByteArray::number(static_cast<int>(m_role)) + ' ' + QByteArray::number(m_pressRow));
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    m_pressRow = -1;
    drag->exec(Qt::CopyAction | Qt::MoveAction);
}

bool DragListBox::decode(const QMimeData *data, Role &from, int &fromRow) const
{
    if (!data || !data->hasFormat(kMime))
        return false;
    const QList<QByteArray> parts = data->data(kMime).split(' ');
    if (parts.size() != 2)
        return false;
    from = static_cast<Role>(parts[0].toInt());
    fromRow = parts[1].toInt();
    return true;
}

void DragListBox::dragEnterEvent(QDragEnterEvent *event)
{
    Role from;
    int fromRow;
    if (m_accepts && decode(event->mimeData(), from, fromRow))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DragListBox::dragMoveEvent(QDragMoveEvent *event)
{
    Role from;
    int fromRow;
    const int row = indexAt(event->position().toPoint()).row();
    if (m_accepts && decode(event->mimeData(), from, fromRow) && m_accepts(from, fromRow, row))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DragListBox::dropEvent(QDropEvent *event)
{
    Role from;
    int fromRow;
    const int row = indexAt(event->position().toPoint()).row();
    if (!m_drop || !decode(event->mimeData(), from, fromRow) || !m_accepts(from, fromRow, row)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_drop(from, fromRow, row);
}

} // namespace orvane
