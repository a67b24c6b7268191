#include "app/media/ui/media_window_support.h"

#include "app/common/reporter.h"

#include "app/clock/ui/help_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QMessageBox>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace orvane {

int TickIntervalMs(const Clock &clock)
{
    double rate = clock.rate();
    if (!(rate > 0))
        rate = 1.0;
    return std::max(1, static_cast<int>(1000.0 / rate));
}

void ShowMediaError(QWidget *, const std::string &text) { ProgramReporter().report(text); }

void SetHelpContext(QWidget *control, int context) { control->setProperty("helpContext", context); }

void InstallContextHelp(QWidget *window, int windowContext)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, windowContext] {
        int context = windowContext;
        for (QWidget *w = QApplication::focusWidget(); w && w != window; w = w->parentWidget()) {
            const QVariant v = w->property("helpContext");
            if (v.isValid()) {
                context = v.toInt();
                break;
            }
        }
        THelpWindow::ShowContext(context);
    });
}

void InstallCopyReadout(QWidget *window, QWidget *readout)
{
    auto *shortcut = new QShortcut(QKeySequence::Copy, window);
    // Text fields keep their own Ctrl+C: the shortcut only fires when the focus is elsewhere.
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [readout] {
        if (auto *label = qobject_cast<QLabel *>(readout))
            QApplication::clipboard()->setText(label->text());
    });
}

} // namespace orvane
