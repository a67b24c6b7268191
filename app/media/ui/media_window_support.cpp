#include "app/media/ui/media_window_support.h"

#include "app/common/reporter.h"

#include "app/clock/ui/help_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

void InstallContextHelp(QWidget *window, int windowContext)
{
    // The program's F1 key opens the topic of the focused control or, failing that, the window's.
    SetHelpContext(window, windowContext);
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

QHBoxLayout *MakeNoteRow(QWidget *window, QLineEdit *edit, int helpContext)
{
    edit->setToolTip(QStringLiteral("Description"));
    edit->setPlaceholderText(QStringLiteral("Description"));
    auto *label = new QLabel(QStringLiteral("&Note"), window);
    label->setBuddy(edit);
    SetHelpContext(edit, helpContext);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit, 1);
    return row;
}

void ChainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace orvane
