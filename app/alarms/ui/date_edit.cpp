#include "app/alarms/ui/date_edit.h"

#include "app/alarms/date_field.h"
#include "app/alarms/ui/cal_pop.h"
#include "app/common/date_format.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

namespace orvane {
namespace {

// The calendar button's small picture: a page with a red top edge and a grid of days.
QIcon CalendarIcon()
{
    QPixmap pix(14, 14);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 12, 11);
    p.fillRect(2, 3, 11, 3, QColor(192, 0, 0));
    for (int y = 7; y <= 11; y += 2)
        for (int x = 3; x <= 11; x += 2)
            p.drawPoint(x, y);
    return QIcon(pix);
}

} // namespace

TDateEdit::TDateEdit(const FormatSettings &formats, const Clock &clock, QWidget *parent)
    : QLineEdit(parent), m_formats(formats), m_clock(clock), m_button(new QToolButton(this))
{
    m_button->setIcon(CalendarIcon());
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setAccessibleName(QStringLiteral("Calendar"));
    m_button->setToolTip(QStringLiteral("Choose the date from a calendar"));
    connect(m_button, &QToolButton::clicked, this, &TDateEdit::popUpCalendar);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + sizeHint().height() + 8);
}

TDateTime TDateEdit::today() const { return DateOf(ToDateTime(m_clock.now())); }

void TDateEdit::show(TDateTime date)
{
    setText(date == 0 ? QString()
                      : QString::fromStdString(FormatDateTime(m_formats.shortDateFormat, date, m_formats)));
}

void TDateEdit::setValue(TDateTime date)
{
    if (date == m_value && m_sized)
        return;
    m_value = date;
    m_sized = true;
    show(date);
    setModified(true);
    emit OnDateChange();
}

void TDateEdit::readText()
{
    int year = 0, month = 0, day = 0;
    DecodeDate(today(), year, month, day);
    const auto date = TryStrToDate(text().trimmed().toStdString(), m_formats, year);
    if (date) {
        setValue(DateOf(*date));
        return;
    }
    m_value = -1; // so that today counts as a change even when it is the value held
    setValue(today());
}

void TDateEdit::popUpCalendar()
{
    readText();
    TfrmCalPop calendar(*this);
    calendar.exec();
}

void TDateEdit::selectField(int field)
{
    m_field = field;
    const TextSpan span = DateFieldSpan(text().toStdString(), field, m_formats.dateSeparator);
    setSelection(span.start, span.length);
}

void TDateEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier)) {
        popUpCalendar();
        return;
    }
    if (typed.isEmpty() || !typed.at(0).isPrint() || event->key() == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = typed.at(0);
    if (c.isDigit())
        QLineEdit::keyPressEvent(event);
    else if (c == QChar::fromLatin1(m_formats.dateSeparator))
        selectField(std::min(
            3, DateFieldAtCaret(text().toStdString(), cursorPosition(), m_formats.dateSeparator) + 1));
}

void TDateEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        selectField(1);
}

void TDateEdit::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        readText();
    QLineEdit::focusOutEvent(event);
}

void TDateEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!hasSelectedText())
        selectField(DateFieldAtCaret(text().toStdString(), cursorPosition(), m_formats.dateSeparator));
}

void TDateEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    if (!m_sized && m_value == 0)
        setValue(ToDateTime(m_clock.now()));
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    setTextMargins(0, 0, side, 0);
}

} // namespace orvane
