#pragma once
// A list whose lines can be dragged with the left button: pressing on a line and moving the
// mouse starts a drag that carries the list's role and the line's row. A list that accepts
// drops asks its owner whether a drop is welcome and what it does.
#include <QListWidget>

#include <functional>

namespace orvane {

class DragListBox : public QListWidget {
    Q_OBJECT
public:
    enum class Role { Tracks, PlayList };
    // Whether a line of `from` (at `fromRow`) may be dropped on row `row` (-1: below the lines).
    using Accepts = std::function<bool(Role from, int fromRow, int row)>;
    using Drop = std::function<void(Role from, int fromRow, int row)>;

    DragListBox(Role role, QWidget *parent);
    void acceptDrops(Accepts accepts, Drop drop);
    Role role() const { return m_role; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool decode(const QMimeData *data, Role &from, int &fromRow) const;

    Role m_role;
    QPoint m_pressAt;
    int m_pressRow = -1;
    Accepts m_accepts;
    Drop m_drop;
};

} // namespace orvane
