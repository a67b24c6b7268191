#pragma once
// A time-of-day edit with an up/down button: the arrows and the button step the hour, the
// minute (with a carry) or AM/PM, whichever field is selected; typing is limited to what a time
// can hold.
#include "app/alarms/time_field.h"
#include "app/common/clock.h"
#include "app/common/format_settings.h"

#include <QLineEdit>

class QToolButton;

namespace orvane {

class TTimeEdit : public QLineEdit {
    Q_OBJECT
public:
    TTimeEdit(const FormatSettings &formats, const Clock &clock, QWidget *parent = nullptr);

    TDateTime value() const { return m_value; }
    // Stores and shows the time when it differs from the one held.
    void setValue(TDateTime time);
    // Reads the text as the focus leaving does: a valid time becomes the value, anything else
    // shows the previous value again.
    void readText();
    void step(int delta);
    TimeField selectedField() const { return m_field; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void selectField(TimeField field);
    void selectFieldAtCaret();
    int caret() const;

    const FormatSettings &m_formats;
    const Clock &m_clock;
    TDateTime m_value = 0;
    TimeField m_field = TimeField::Hour;
    bool m_sized = false;
    QToolButton *m_up;
    QToolButton *m_down;
};

} // namespace orvane
