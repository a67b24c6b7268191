#include "app/program/window_log.h"

#include <QAccessible>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orvane {
namespace {

constexpr int kMaxDepth = 12;
constexpr int kMaxTextLength = 2000;

QString OneLine(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    return text.left(kMaxTextLength).simplified();
}

void Collect(QAccessibleInterface *node, int depth, QStringList &texts)
{
    if (!node || depth > kMaxDepth || node->state().invisible)
        return;
    for (const QAccessible::Text which : {QAccessible::Name, QAccessible::Value}) {
        const QString text = OneLine(node->text(which));
        if (!text.isEmpty() && !texts.contains(text))
            texts << text;
    }
    if (QAccessibleTextInterface *text = node->textInterface()) {
        const QString all = OneLine(text->text(0, text->characterCount()));
        if (!all.isEmpty() && !texts.contains(all))
            texts << all;
    }
    for (int i = 0; i < node->childCount(); ++i)
        Collect(node->child(i), depth + 1, texts);
}

} // namespace

TWindowLog *TWindowLog::fromEnvironment(QObject *parent)
{
    const QString path = qEnvironmentVariable("ORVANE_WINDOW_LOG");
    if (path.isEmpty())
        return nullptr;
    auto *log = new TWindowLog(path);
    log->setParent(parent);
    return log;
}

QString TWindowLog::describe(QWidget *window)
{
    QStringList texts;
    Collect(QAccessible::queryAccessibleInterface(window), 0, texts);
    return QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('\t') +
           OneLine(window->windowTitle()) + QLatin1Char('\t') + texts.join(QLatin1Char('\t'));
}

bool TWindowLog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *window = static_cast<QWidget *>(watched);
        if (window->isWindow()) {
            // Described once the show has finished, when layouts and late texts are in place.
            QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(window)] {
                if (!window || !window->isVisible())
                    return;
                QFile file(m_path);
                if (file.open(QIODevice::Append | QIODevice::Text))
                    file.write((QStringLiteral("shown\t") + describe(window) + QLatin1Char('\n')).toUtf8());
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvane
