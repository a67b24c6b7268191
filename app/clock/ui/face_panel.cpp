#include "app/clock/ui/face_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane {

TFacePanel::TFacePanel(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TFacePanel::setCaption(const QString &text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    // Screen readers read the time as the face's name.
    setAccessibleName(text);
    update();
}

void TFacePanel::setFaceFont(const QFont &font)
{
    m_font = font;
    update();
}

void TFacePanel::setFaceColor(const QColor &background, const QColor &text)
{
    m_background = background;
    m_text = text;
    update();
}

void TFacePanel::setBevels(Bevel outer, Bevel inner)
{
    m_outer = outer;
    m_inner = inner;
    update();
}

void TFacePanel::setFrameWidths(int bevelWidth, int borderWidth)
{
    m_bevelWidth = std::max(bevelWidth, 0);
    m_borderWidth = std::max(borderWidth, 0);
    update();
}

void TFacePanel::drawBevel(QPainter &p, QRect &r, Bevel bevel)
{
    if (bevel == Bevel::None)
        return;
    const QColor light = bevel == Bevel::Raised ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80);
    const QColor dark = bevel == Bevel::Raised ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
    for (int i = 0; i < m_bevelWidth && r.width() > 1 && r.height() > 1; ++i) {
        p.setPen(light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

void TFacePanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    QRect r = rect();
    drawBevel(p, r, m_outer);
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(p, r, m_inner);
    p.setFont(m_font);
    p.setPen(m_text);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}

void TFacePanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace orvane
