#pragma once
// A label that paints its caption up to three times (shadow, highlight, face) with per-layer
// direction, depth and colour, can rotate its text, and can behave like a push button.
#include "app/about/label_effect_model.h"

#include <QLabel>

namespace orvane {

class TLabelEffect : public QLabel {
    Q_OBJECT
public:
    explicit TLabelEffect(QWidget *parent = nullptr);

    const TLabelEffectModel &model() const { return m_model; }

    int DepthHighlight() const { return m_model.DepthHighlight(); }
    int DepthShadow() const { return m_model.DepthShadow(); }
    TEffectDirection DirectionHighlight() const { return m_model.DirectionHighlight(); }
    TEffectDirection DirectionShadow() const { return m_model.DirectionShadow(); }
    QColor ColourHighlight() const;
    QColor ColourShadow() const;
    TEffectStyle EffectStyle() const { return m_model.EffectStyle(); }
    TColourScheme ColourScheme() const { return m_model.ColourScheme(); }
    bool AsButton() const { return m_model.AsButton(); }
    int Angle() const { return m_model.Angle(); }
    bool Transparent() const { return m_transparent; }

    // Each setter follows the model's rules and repaints the control.
    void SetDepthHighlight(int depth);
    void SetDepthShadow(int depth);
    void SetDirectionHighlight(TEffectDirection direction);
    void SetDirectionShadow(TEffectDirection direction);
    void SetColourHighlight(const QColor &colour);
    void SetColourShadow(const QColor &colour);
    void SetEffectStyle(TEffectStyle style);
    void SetColourScheme(TColourScheme scheme);
    void SetAsButton(bool asButton);
    void SetAngle(int angle);
    void SetFontColour(const QColor &colour);
    void SetLabelAlignment(TLabelAlignment alignment);
    void SetTransparent(bool transparent);

signals:
    // Pressed and released inside the control with the left button (or Space and Enter when it
    // acts as a button).
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void changed();
    void paintRotated(QPainter &p, const LayerOffsets &o);
    void paintPlain(QPainter &p, const LayerOffsets &o);

    TLabelEffectModel m_model;
    bool m_transparent = true;
    bool m_pressed = false;
};

} // namespace orvane
