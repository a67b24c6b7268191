#include "app/clock/ui/spin_edit.h"

#include "app/common/convert_error.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace orvane {

TSpinEdit::TSpinEdit(int minValue, int maxValue, QWidget *parent) : QSpinBox(parent)
{
    setRange(minValue, maxValue);
}

QValidator::State TSpinEdit::validate(QString &text, int &) const
{
    const auto v = TryStrToInt(text.toStdString());
    if (v && *v >= minimum() && *v <= maximum())
        return QValidator::Acceptable;
    // Any other text may be typed; whether it is a number is checked when the user leaves it.
    return QValidator::Intermediate;
}

void TSpinEdit::checkText()
{
    const QString text = lineEdit()->text();
    if (!TryStrToInt(text.toStdString()))
        emit notAnInteger(text);
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    checkText();
    QSpinBox::focusOutEvent(event);
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        checkText();
    QSpinBox::keyPressEvent(event);
}

} // namespace orvane
