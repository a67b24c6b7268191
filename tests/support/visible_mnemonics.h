#pragma once
// Finds the Alt+letter keys that more than one visible control of a window answers to. Qt does
// not press a button whose mnemonic another visible control shares: it only moves the focus
// between them, so a user who reaches a control by its letter lands on the wrong one. A caption
// with two mnemonic marks is reported too, because Qt honours only the first of them.
#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace orvane::test {

// The number of mnemonic marks in a caption ("&&" is a literal ampersand, not a mark).
inline int MnemonicMarks(const QString &text)
{
    int marks = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            ++marks;
        ++i;
    }
    return marks;
}

// Every caption of `window` that takes part in mnemonics while it is visible and enabled: buttons,
// labels with a buddy, group boxes and the tabs of a tab bar, each with the control it belongs to.
inline QList<QPair<QString, QString>> VisibleCaptions(QWidget *window)
{
    QList<QPair<QString, QString>> captions;
    const auto usable = [window](QWidget *w) {
        return w->window() == window && w->isVisible() && w->isEnabled();
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!usable(w))
            continue;
        const QString who =
            QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            captions.append({button->text(), who});
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            captions.append({label->text(), who});
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            captions.append({group->title(), who});
        else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->isTabEnabled(i) && tabs->isTabVisible(i))
                    captions.append({tabs->tabText(i), who + QStringLiteral(" tab")});
        }
    }
    return captions;
}

// One line per key that two or more visible controls share and per caption with several marks;
// empty when every letter leads to exactly one control.
inline QStringList MnemonicClashes(QWidget *window)
{
    QMap<QString, QStringList> byKey;
    QStringList problems;
    for (const auto &[text, who] : VisibleCaptions(window)) {
        if (MnemonicMarks(text) > 1)
            problems << QStringLiteral("\"%1\" (%2) has more than one mnemonic").arg(text, who);
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            byKey[key.toString()] << QStringLiteral("\"%1\" (%2)").arg(text, who);
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it.value().size() > 1)
            problems << it.key() + QStringLiteral(" is shared by ") + it.value().join(QStringLiteral(", "));
    return problems;
}

} // namespace orvane::test
