#include "app/alarms/ui/time_edit.h"

#include "app/common/date_format.h"

#include <QKeyEvent>
#include <QToolButton>

namespace orvane {

TTimeEdit::TTimeEdit(const FormatSettings &formats, const Clock &clock, QWidget *parent)
    : QLineEdit(parent), m_formats(formats), m_clock(clock), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    // The arrow keys do what the buttons do, so the buttons need not take the focus.
    for (QToolButton *b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::ArrowCursor);
        b->setAutoRepeat(true);
    }
    m_up->setAccessibleName(QStringLiteral("Later"));
    m_down->setAccessibleName(QStringLiteral("Earlier"));
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    setText(QString::fromStdString(FormatDateTime("t", 0, m_formats)));
    // Wide enough for the longest time with its AM/PM and the button pair.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00:00 MM")) + sizeHint().height() + 8);
}

void TTimeEdit::setValue(TDateTime time)
{
    const TDateTime t = TimeOf(time);
    if (MinuteNumber(t) == MinuteNumber(m_value) && m_sized)
        return;
    m_value = t;
    m_sized = true;
    setText(QString::fromStdString(FormatDateTime("t", m_value, m_formats)));
}

void TTimeEdit::readText()
{
    const auto t = TryStrToTime(text().trimmed().toStdString(), m_formats);
    if (t) {
        setValue(*t);
        return;
    }
    setText(QString::fromStdString(FormatDateTime("t", m_value, m_formats)));
    emit changed();
}

void TTimeEdit::step(int delta)
{
    readText();
    setValue(StepTimeField(m_value, m_field, delta));
    emit changed();
    selectField(m_field);
}

int TTimeEdit::caret() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void TTimeEdit::selectField(TimeField field)
{
    m_field = field;
    const TextSpan span = TimeFieldSpan(text().toStdString(), field, m_formats.timeSeparator);
    setSelection(span.start, span.length);
}

void TTimeEdit::selectFieldAtCaret()
{
    selectField(
        TimeFieldAtCaret(text().toStdString(), caret(), m_formats.timeSeparator, Is12HourFormat(m_formats)));
}

void TTimeEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        selectFieldAtCaret();
        step(key == Qt::Key_Up ? 1 : -1);
        return;
    }
    const QString typed = event->text();
    // Keys that type nothing (Tab, Left, Home, Delete, ...) keep their usual meaning.
    if (typed.isEmpty() || !typed.at(0).isPrint() || key == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = typed.at(0);
    if (c.isDigit()) {
        QLineEdit::keyPressEvent(event);
    } else if (c == QChar::fromLatin1(m_formats.timeSeparator)) {
        selectField(TimeField::Minute);
    } else if (c == QLatin1Char(' ')) {
        selectField(TimeField::AmPm);
    } else if (QStringLiteral("AMPamp").contains(c)) {
        if (m_field != TimeField::AmPm || !hasSelectedText())
            selectField(TimeField::AmPm);
        QLineEdit::keyPressEvent(event);
    }
}

void TTimeEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason)
        selectField(TimeField::Hour);
}

void TTimeEdit::focusOutEvent(QFocusEvent *event)
{
    readText();
    QLineEdit::focusOutEvent(event);
}

void TTimeEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!hasSelectedText())
        selectFieldAtCaret();
}

void TTimeEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    if (!m_sized && m_value == 0)
        setValue(ToDateTime(m_clock.now()));
    // The button pair is as high as the edit and half as wide, at its right edge.
    const int w = height() / 2, h = height() / 2;
    m_up->setGeometry(width() - w, 0, w, h);
    m_down->setGeometry(width() - w, h, w, height() - h);
    setTextMargins(0, 0, w, 0);
}

} // namespace orvane
