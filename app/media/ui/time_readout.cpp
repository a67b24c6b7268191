#include "app/media/ui/time_readout.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace orvane {
namespace {

// A label whose value is its text; Qt's own label interface has a name but no value.
class ReadoutAccessible : public QAccessibleWidget {
public:
    explicit ReadoutAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        auto *label = static_cast<QLabel *>(widget());
        if (t == QAccessible::Value)
            return label->text();
        if (t == QAccessible::Name)
            return label->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *readoutFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("orvane::TTimeReadout") && object && object->isWidgetType())
        return new ReadoutAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

TTimeReadout::TTimeReadout(const QString &accessibleName, QWidget *parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(readoutFactory);
        return true;
    }();
    (void)installed;
    setAccessibleName(accessibleName);
    setAlignment(Qt::AlignCenter);
    setTextInteractionFlags(Qt::NoTextInteraction);
    // Large enough to read across the room, in a sunken panel like a display.
    QFont big = font();
    big.setPointSize(20);
    big.setBold(true);
    setFont(big);
    setMinimumWidth(150);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void TTimeReadout::showTime(const QString &text)
{
    if (text == this->text())
        return;
    setText(text);
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, text);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace orvane
