#pragma once
// A date edit in the short date format with a button that opens the pop-up calendar. Typing is
// limited to digits; the date separator moves on to the next field.
#include "app/common/clock.h"
#include "app/common/date_time.h"
#include "app/common/format_settings.h"

#include <QLineEdit>

class QToolButton;

namespace orvane {

class TDateEdit : public QLineEdit {
    Q_OBJECT
public:
    TDateEdit(const FormatSettings &formats, const Clock &clock, QWidget *parent = nullptr);

    TDateTime value() const { return m_value; }
    // Stores the date when it differs, shows it (empty for 0) and raises OnDateChange.
    void setValue(TDateTime date);
    // Reads the text as the focus leaving does: a valid date becomes the value; anything else
    // is replaced by today.
    void readText();
    int selectedField() const { return m_field; }
    QToolButton *button() const { return m_button; }
    // Opens the calendar for this edit and waits for it to close.
    void popUpCalendar();

    const FormatSettings &formats() const { return m_formats; }
    TDateTime today() const;

signals:
    void OnDateChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void selectField(int field);
    void show(TDateTime date);

    const FormatSettings &m_formats;
    const Clock &m_clock;
    TDateTime m_value = 0;
    int m_field = 1;
    bool m_sized = false;
    QToolButton *m_button;
};

} // namespace orvane
