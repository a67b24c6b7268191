#include "app/alarms/ui/cal_pop.h"

#include "app/alarms/ui/date_edit.h"
#include "app/common/date_format.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace orvane {
namespace {

const QColor kGrey(128, 128, 128);
const char *const kHeadings[7] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};

void DrawFrame(QPainter &p, const QRect &r, bool raised)
{
    p.setPen(raised ? Qt::white : kGrey);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? kGrey : Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

// A raised square with a triangle pointing left or right; the window handles its presses.
class Arrow : public QWidget {
public:
    Arrow(QWidget *parent, bool left) : QWidget(parent), m_left(left)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAccessibleName(left ? QStringLiteral("Previous month") : QStringLiteral("Next month"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        DrawFrame(p, rect().adjusted(0, 0, -1, -1), true);
        const int cx = width() / 2, cy = height() / 2, s = std::max(2, height() / 4);
        QPolygon tri;
        if (m_left)
            tri << QPoint(cx - s / 2, cy) << QPoint(cx + s / 2, cy - s) << QPoint(cx + s / 2, cy + s);
        else
            tri << QPoint(cx + s / 2, cy) << QPoint(cx - s / 2, cy - s) << QPoint(cx - s / 2, cy + s);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(tri);
    }

private:
    bool m_left;
};

} // namespace

TDateButton::TDateButton(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TDateButton::setDay(int day, bool selected, const QString &name)
{
    m_day = day;
    m_selected = selected;
    setAccessibleName(name);
    update();
}

void TDateButton::paintEvent(QPaintEvent *)
{
    if (m_day == 0)
        return;
    QPainter p(this);
    QFont f = font();
    f.setBold(m_selected);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(rect(), Qt::AlignCenter, QString::number(m_day));
    if (m_selected)
        DrawFrame(p, rect().adjusted(0, 0, -1, -1), false);
}

TfrmCalPop::TfrmCalPop(TDateEdit &edit)
    : QDialog(&edit, Qt::Dialog | Qt::FramelessWindowHint), m_edit(edit), m_prev(new Arrow(this, true)),
      m_next(new Arrow(this, false)), m_title(new QLabel(this))
{
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setAutoFillBackground(true);
    // Small print as on the original, a little larger so that it stays readable on today's screens.
    QFont f(QStringLiteral("Sans Serif"));
    f.setPointSize(7);
    setFont(f);
    QFont bold = f;
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (auto &c : m_cells)
        c = new TDateButton(this);
    m_date = edit.text().trimmed().isEmpty() ? edit.today() : DateOf(edit.value());
    layOut();
    refreshCells();
    placeUnder(edit);
}

void TfrmCalPop::layOut()
{
    const QFontMetrics fm(font());
    m_cellWidth = static_cast<int>(std::lround(1.6 * fm.averageCharWidth()));
    m_rowHeight = static_cast<int>(std::lround(fm.height() * 4.0 / 3.0));
    setFixedSize(21 * m_cellWidth + 8, 8 * m_rowHeight + 2);
    const int colWidth = 3 * m_cellWidth;
    m_prev->setGeometry(4, 1, m_rowHeight, m_rowHeight);
    m_next->setGeometry(width() - 4 - m_rowHeight, 1, m_rowHeight, m_rowHeight);
    m_title->setGeometry(4 + m_rowHeight, 1, width() - 8 - 2 * m_rowHeight, m_rowHeight);
    for (int i = 0; i < 42; ++i)
        m_cells[i]->setGeometry(4 + (i % 7) * colWidth, 1 + (2 + i / 7) * m_rowHeight, colWidth, m_rowHeight);
}

void TfrmCalPop::placeUnder(const QWidget &edit)
{
    const QPoint below = edit.mapToGlobal(QPoint(0, edit.height()));
    const QScreen *screen = edit.screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
    QPoint pos = below;
    if (pos.x() + width() > area.right())
        pos.setX(area.right() - width());
    if (pos.y() + height() > area.bottom())
        pos.setY(edit.mapToGlobal(QPoint(0, 0)).y() - height());
    move(pos);
}

void TfrmCalPop::refreshCells()
{
    const FormatSettings &fs = m_edit.formats();
    m_title->setText(QString::fromStdString(FormatDateTime("mmmm d, yyyy", m_date, fs)));
    setAccessibleName(QStringLiteral("Calendar, ") + m_title->text());
    int year = 0, month = 0, day = 0;
    DecodeDate(m_date, year, month, day);
    for (int i = 0; i < 42; ++i) {
        const int d = CalendarDayOfCell(m_date, i);
        const QString name = d == 0 ? QStringLiteral("No day")
                                    : QString::fromStdString(FormatDateTime("dddd, mmmm d, yyyy",
                                                                            EncodeDate(year, month, d), fs));
        m_cells[i]->setDay(d, d == day, name);
    }
}

void TfrmCalPop::select(TDateTime date)
{
    m_date = DateOf(date);
    refreshCells();
}

void TfrmCalPop::moveBy(CalendarMove move) { select(MoveCalendarDate(m_date, move)); }

void TfrmCalPop::acceptDate(TDateTime date)
{
    m_edit.setValue(date);
    QDialog::accept();
}

int TfrmCalPop::cellAt(const QPoint &pos) const
{
    for (int i = 0; i < 42; ++i)
        if (m_cells[i]->geometry().contains(pos))
            return i;
    return -1;
}

void TfrmCalPop::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: acceptDate(m_date); return;
    case Qt::Key_Escape: reject(); return;
    case Qt::Key_Left: moveBy(CalendarMove::DayBack); return;
    case Qt::Key_Right: moveBy(CalendarMove::DayForward); return;
    case Qt::Key_Up: moveBy(CalendarMove::WeekBack); return;
    case Qt::Key_Down: moveBy(CalendarMove::WeekForward); return;
    case Qt::Key_PageUp: moveBy(CalendarMove::MonthBack); return;
    case Qt::Key_PageDown: moveBy(CalendarMove::MonthForward); return;
    case Qt::Key_Home: moveBy(CalendarMove::YearForward); return;
    case Qt::Key_End: moveBy(CalendarMove::YearBack); return;
    default: QDialog::keyPressEvent(event);
    }
}

void TfrmCalPop::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_prev->geometry().contains(pos)) {
        moveBy(CalendarMove::MonthBack);
        return;
    }
    if (m_next->geometry().contains(pos)) {
        moveBy(CalendarMove::MonthForward);
        return;
    }
    const int c = cellAt(pos);
    if (c < 0 || m_cells[c]->day() == 0)
        return;
    int year = 0, month = 0, day = 0;
    DecodeDate(m_date, year, month, day);
    select(EncodeDate(year, month, m_cells[c]->day()));
    m_tracking = true;
}

void TfrmCalPop::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_tracking)
        return;
    const int c = cellAt(event->position().toPoint());
    if (c < 0 || m_cells[c]->day() == 0)
        return;
    int year = 0, month = 0, day = 0;
    DecodeDate(m_date, year, month, day);
    if (m_cells[c]->day() != day)
        select(EncodeDate(year, month, m_cells[c]->day()));
}

void TfrmCalPop::mouseReleaseEvent(QMouseEvent *)
{
    if (!m_tracking)
        return;
    m_tracking = false;
    acceptDate(m_date);
}

void TfrmCalPop::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DrawFrame(p, rect().adjusted(0, 0, -1, -1), true);
    const int colWidth = 3 * m_cellWidth;
    const int y = 1 + m_rowHeight;
    p.setPen(Qt::black);
    for (int i = 0; i < 7; ++i)
        p.drawText(QRect(4 + i * colWidth, y, colWidth, m_rowHeight), Qt::AlignCenter,
                   QString::fromLatin1(kHeadings[i]));
    p.setPen(kGrey);
    p.drawLine(4, y + m_rowHeight - 2, width() - 5, y + m_rowHeight - 2);
    p.setPen(Qt::white);
    p.drawLine(4, y + m_rowHeight - 1, width() - 5, y + m_rowHeight - 1);
}

} // namespace orvane
