#pragma once
// F1 anywhere in the program opens help on the window in front. A window (or any control in it)
// joins in by carrying a help context number in its "helpContext" property; the nearest one
// above the focused control that has a topic wins, and a window without one opens the help
// contents. This filter is the program's only F1 handler: the press that follows is swallowed, so
// a dialog's own F1 handling cannot open help a second time.
#include <QObject>

class QWidget;

namespace orvane {

// The property every window and control of the program keeps its help context number in.
inline constexpr const char *kHelpContextProperty = "helpContext";

// Gives `widget` the help topic `context` (app/resources/help/<context>.html).
void SetHelpContext(QWidget *widget, int context);
// The context of `widget` or of the nearest widget above it in the same window whose context has
// a topic; 0 when none has.
int HelpContextOf(const QWidget *widget);

class THelpKey : public QObject {
    Q_OBJECT
protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Help was opened in the shortcut pass of the press now on its way.
    bool m_pressPending = false;
};

} // namespace orvane
