#include "app/clock/ui/speed_bar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvane {
namespace {

constexpr int kSize = 32;

QPixmap Canvas()
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

void DrawPreferences(QPainter &p)
{
    // A slider panel: three sliders with knobs.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(6 + i * 10, 5, 6 + i * 10, 27);
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(2, 18, 8, 5);
    p.drawRect(12, 8, 8, 5);
    p.drawRect(22, 14, 8, 5);
}

void DrawAlarms(QPainter &p)
{
    // A bell.
    QPainterPath bell;
    bell.moveTo(6, 24);
    bell.cubicTo(10, 20, 8, 6, 16, 6);
    bell.cubicTo(24, 6, 22, 20, 26, 24);
    bell.closeSubpath();
    p.setPen(QPen(QColor(90, 60, 0), 1.5));
    p.setBrush(QColor(230, 180, 30));
    p.drawPath(bell);
    p.drawEllipse(QPointF(16, 26), 3, 3);
    p.drawLine(16, 3, 16, 6);
}

void DrawCd(QPainter &p)
{
    p.setPen(QPen(QColor(80, 80, 80), 1.5));
    QRadialGradient g(16, 16, 14);
    g.setColorAt(0, QColor(240, 240, 255));
    g.setColorAt(0.6, QColor(170, 200, 240));
    g.setColorAt(1, QColor(220, 170, 230));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 3, 3);
}

void DrawTimers(QPainter &p)
{
    // An hourglass.
    p.setPen(QPen(QColor(90, 60, 20), 2));
    p.drawLine(8, 4, 24, 4);
    p.drawLine(8, 28, 24, 28);
    QPolygonF glass;
    glass << QPointF(10, 5) << QPointF(22, 5) << QPointF(16, 16) << QPointF(22, 27) << QPointF(10, 27)
          << QPointF(16, 16);
    p.setBrush(QColor(210, 230, 250));
    p.drawPolygon(glass);
    p.setBrush(QColor(220, 180, 90));
    p.setPen(Qt::NoPen);
    QPolygonF sand;
    sand << QPointF(12, 26) << QPointF(20, 26) << QPointF(16, 20);
    p.drawPolygon(sand);
}

// A coloured disc; the sign on it is drawn with lines rather than text, so that the icons need
// no font (loading one is the dearest part of drawing them at start).
void DrawDisc(QPainter &p, const QColor &color)
{
    p.setPen(QPen(color.darker(140), 1.5));
    p.setBrush(color);
    p.drawEllipse(QPointF(16, 16), 13, 13);
}

void DrawAbout(QPainter &p)
{
    DrawDisc(p, QColor(0, 90, 180));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
}

void DrawHelp(QPainter &p)
{
    DrawDisc(p, QColor(0, 140, 60));
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(11.5, 12);
    hook.cubicTo(11.5, 5.5, 21, 5.5, 20.5, 11.5);
    hook.cubicTo(20, 15.5, 16, 15, 16, 19.5);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 24.5), 2, 2);
}

void DrawExit(QPainter &p)
{
    // An open door with an arrow.
    p.setPen(QPen(QColor(80, 50, 20), 1.5));
    p.setBrush(QColor(170, 110, 50));
    p.drawRect(5, 4, 13, 24);
    p.setPen(QPen(QColor(180, 0, 0), 3));
    p.drawLine(14, 16, 28, 16);
    p.drawLine(23, 11, 28, 16);
    p.drawLine(23, 21, 28, 16);
}

} // namespace

QIcon SpeedBarIcon(SpeedIcon which)
{
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case SpeedIcon::Preferences: DrawPreferences(p); break;
    case SpeedIcon::Alarms: DrawAlarms(p); break;
    case SpeedIcon::CdPlayer: DrawCd(p); break;
    case SpeedIcon::Timers: DrawTimers(p); break;
    case SpeedIcon::About: DrawAbout(p); break;
    case SpeedIcon::Help: DrawHelp(p); break;
    case SpeedIcon::Exit: DrawExit(p); break;
    }
    return QIcon(pm);
}

QIcon ClockIcon()
{
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(255, 255, 230));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 30);
        p.drawLine(0, -12, 0, i % 3 == 0 ? -9 : -11);
        p.restore();
    }
    p.setPen(QPen(QColor(128, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(16, 16, 16, 7);
    p.drawLine(16, 16, 23, 19);
    return QIcon(pm);
}

} // namespace orvane
