#pragma once
// The pop-up month calendar of a date edit: a borderless modal window under the edit. Enter or
// a click takes the selected day into the edit; Escape leaves it unchanged.
//
// Every cell is a small child widget of its own so that screen readers can name each day; the
// window itself handles the keys and the mouse.
#include "app/alarms/calendar_moves.h"

#include <QDialog>

#include <array>

class QLabel;

namespace orvane {

class TDateEdit;

// One day cell of the grid, or a blank one.
class TDateButton : public QWidget {
    Q_OBJECT
public:
    explicit TDateButton(QWidget *parent);
    void setDay(int day, bool selected, const QString &name);
    int day() const { return m_day; }
    bool isSelected() const { return m_selected; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_day = 0;
    bool m_selected = false;
};

class TfrmCalPop : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalPop(TDateEdit &edit);

    TDateTime selectedDate() const { return m_date; }
    void moveBy(CalendarMove move);
    void select(TDateTime date);
    TDateButton *cell(int index) const { return m_cells[index]; }
    QWidget *previousButton() const { return m_prev; }
    QWidget *nextButton() const { return m_next; }
    int cellWidth() const { return m_cellWidth; }
    int rowHeight() const { return m_rowHeight; }
    // The cell under a point of the window, or -1.
    int cellAt(const QPoint &pos) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void layOut();
    void placeUnder(const QWidget &edit);
    void refreshCells();
    void acceptDate(TDateTime date);

    TDateEdit &m_edit;
    TDateTime m_date;
    int m_cellWidth = 0;
    int m_rowHeight = 0;
    bool m_tracking = false;
    std::array<TDateButton *, 42> m_cells{};
    QWidget *m_prev;
    QWidget *m_next;
    QLabel *m_title;
};

} // namespace orvane
