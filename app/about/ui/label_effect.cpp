#include "app/about/ui/label_effect.h"

#include "app/clock/ui/color_value.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orvane {
namespace {

Qt::Alignment QtAlignment(TLabelAlignment a)
{
    switch (a) {
    case TLabelAlignment::taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case TLabelAlignment::taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case TLabelAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

} // namespace

TLabelEffect::TLabelEffect(QWidget *parent) : QLabel(parent)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(20);
    setFont(f);
    setAlignment(QtAlignment(m_model.Alignment()));
}

QColor TLabelEffect::ColourHighlight() const { return ColorFromValue(m_model.ColourHighlight()); }
QColor TLabelEffect::ColourShadow() const { return ColorFromValue(m_model.ColourShadow()); }

void TLabelEffect::changed()
{
    setAlignment(QtAlignment(m_model.Alignment()));
    setFocusPolicy(m_model.AsButton() ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void TLabelEffect::SetDepthHighlight(int depth)
{
    m_model.SetDepthHighlight(depth);
    changed();
}
void TLabelEffect::SetDepthShadow(int depth)
{
    m_model.SetDepthShadow(depth);
    changed();
}
void TLabelEffect::SetDirectionHighlight(TEffectDirection d)
{
    m_model.SetDirectionHighlight(d);
    changed();
}
void TLabelEffect::SetDirectionShadow(TEffectDirection d)
{
    m_model.SetDirectionShadow(d);
    changed();
}
void TLabelEffect::SetColourHighlight(const QColor &c)
{
    m_model.SetColourHighlight(ValueFromColor(c));
    changed();
}
void TLabelEffect::SetColourShadow(const QColor &c)
{
    m_model.SetColourShadow(ValueFromColor(c));
    changed();
}
void TLabelEffect::SetEffectStyle(TEffectStyle style)
{
    m_model.SetEffectStyle(style);
    changed();
}
void TLabelEffect::SetColourScheme(TColourScheme scheme)
{
    m_model.SetColourScheme(scheme);
    changed();
}
void TLabelEffect::SetAsButton(bool asButton)
{
    m_model.SetAsButton(asButton);
    changed();
}
void TLabelEffect::SetAngle(int angle)
{
    m_model.SetAngle(angle);
    changed();
}
void TLabelEffect::SetFontColour(const QColor &c)
{
    m_model.SetFontColour(ValueFromColor(c));
    changed();
}
void TLabelEffect::SetLabelAlignment(TLabelAlignment a)
{
    m_model.SetAlignment(a);
    changed();
}

void TLabelEffect::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

void TLabelEffect::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const LayerOffsets o = m_model.Offsets();
    if (m_model.Angle() != 0)
        paintRotated(p, o);
    else
        paintPlain(p, o);
}

void TLabelEffect::paintPlain(QPainter &p, const LayerOffsets &o)
{
    if (!m_transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap | Qt::TextExpandTabs;
    const auto layer = [&](EffectStep step, uint32_t colour) {
        p.setPen(ColorFromValue(colour));
        p.drawText(rect().translated(step.dx + o.shift, step.dy + o.shift), flags, text());
    };
    layer(o.shadow, m_model.ColourShadow());
    layer(o.highlight, m_model.ColourHighlight());
    layer({0, 0}, m_model.FontColour());
}

void TLabelEffect::paintRotated(QPainter &p, const LayerOffsets &o)
{
    const QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(text());
    const int h = fm.height();
    const TextOrigin origin =
        m_model.RotatedOrigin(fm.horizontalAdvance(text() + QStringLiteral("   ")), w, h);
    if (!m_transparent) {
        p.save();
        p.translate(origin.x, origin.y);
        p.rotate(-m_model.Angle());
        p.fillRect(QRect(-7, -5, w + 14, h + 10), palette().color(QPalette::Window));
        p.restore();
    }
    const auto layer = [&](EffectStep step, uint32_t colour) {
        p.save();
        p.translate(origin.x + step.dx + o.shift, origin.y + step.dy + o.shift);
        // The text turns counter-clockwise about its top-left corner.
        p.rotate(-m_model.Angle());
        p.setPen(ColorFromValue(colour));
        p.drawText(QPoint(0, fm.ascent()), text());
        p.restore();
    };
    layer(o.shadow, m_model.ColourShadow());
    layer(o.highlight, m_model.ColourHighlight());
    layer({0, 0}, m_model.FontColour());
}

void TLabelEffect::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    if (m_model.AsButton() && event->button() == Qt::LeftButton && isEnabled())
        SetEffectStyle(TEffectStyle::esSunken);
    QLabel::mousePressEvent(event);
}

void TLabelEffect::mouseMoveEvent(QMouseEvent *event)
{
    if (m_model.AsButton() && (event->buttons() & Qt::LeftButton))
        SetEffectStyle(rect().contains(event->position().toPoint()) ? TEffectStyle::esSunken
                                                                    : TEffectStyle::esRaised);
    QLabel::mouseMoveEvent(event);
}

void TLabelEffect::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (m_model.AsButton() && event->button() == Qt::LeftButton && inside)
        SetEffectStyle(TEffectStyle::esRaised);
    if (event->button() == Qt::LeftButton && m_pressed && inside) {
        m_pressed = false;
        emit clicked();
    }
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
}

void TLabelEffect::keyPressEvent(QKeyEvent *event)
{
    if (m_model.AsButton() &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace orvane
