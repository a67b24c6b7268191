#include "app/about/ui/about_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace orvane {
namespace {

QPixmap Blank(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

QPointF OnCircle(QPointF centre, double radius, double turns)
{
    const double a = turns * 2 * std::numbers::pi;
    return {centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a)};
}

} // namespace

QPixmap AboutClockPicture(int size)
{
    QPixmap pm = Blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = size * 0.34;
    const QPointF c(size * 0.40, size * 0.5);
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), size / 24.0));
    p.setBrush(QColor(0xFF, 0xFF, 0xF0));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::black, size / 48.0));
    for (int hour = 0; hour < 12; ++hour)
        p.drawLine(OnCircle(c, r * 0.82, hour / 12.0), OnCircle(c, r * 0.95, hour / 12.0));
    // Ten past ten, the hands framing the face.
    p.setPen(QPen(QColor(0x80, 0x00, 0x00), size / 20.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, OnCircle(c, r * 0.5, (10 + 10 / 60.0) / 12.0));
    p.setPen(QPen(QColor(0x80, 0x00, 0x00), size / 32.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, OnCircle(c, r * 0.8, 10 / 60.0));
    // The clock speaks: three arcs of sound to its right.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x00, 0x80, 0x80), size / 30.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const double rr = r + i * size * 0.07;
        p.drawArc(QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr), -30 * 16, 60 * 16);
    }
    return pm;
}

QPixmap SupportPicture(int size)
{
    QPixmap pm = Blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    const QRectF body(size * 0.08, size * 0.1, size * 0.84, size * 0.6);
    bubble.addRoundedRect(body, size * 0.15, size * 0.15);
    QPainterPath tail;
    tail.moveTo(size * 0.3, size * 0.65);
    tail.lineTo(size * 0.22, size * 0.92);
    tail.lineTo(size * 0.5, size * 0.68);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(QPen(QColor(0x80, 0x80, 0x00), size / 24.0));
    p.setBrush(QColor(0xFF, 0xFF, 0xC0));
    p.drawPath(bubble);
    QFont f(QStringLiteral("Times New Roman"));
    f.setBold(true);
    f.setPixelSize(static_cast<int>(size * 0.45));
    p.setFont(f);
    p.setPen(QColor(0x00, 0x00, 0x80));
    p.drawText(body, Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

} // namespace orvane
