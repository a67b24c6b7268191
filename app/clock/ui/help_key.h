#pragma once
// F1 anywhere in the program opens help on the window in front. A window (or any control in it)
// joins in by carrying a help context number; the nearest one above the focused control wins,
// and a window without one opens the help contents.
#include <QObject>

class QWidget;

namespace orvane {

// Gives `widget` the help topic `context` (app/resources/help/<context>.html).
void SetHelpContext(QWidget *widget, int context);
// The context of `widget` or of the nearest widget above it that has one; 0 when none has.
int HelpContextOf(const QWidget *widget);

class THelpKey : public QObject {
    Q_OBJECT
protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace orvane
