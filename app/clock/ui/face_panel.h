#pragma once
// The clock face: a panel with an outer and an inner bevel, a border between them, and the time
// centred in the face font.
#include <QColor>
#include <QFont>
#include <QWidget>

namespace orvane {

enum class Bevel { None = 0, Lowered = 1, Raised = 2 };

class TFacePanel : public QWidget {
    Q_OBJECT
public:
    explicit TFacePanel(QWidget *parent = nullptr);

    void setCaption(const QString &text);
    QString caption() const { return m_caption; }
    void setFaceFont(const QFont &font);
    QFont faceFont() const { return m_font; }
    void setFaceColor(const QColor &background, const QColor &text);
    QColor backgroundColor() const { return m_background; }
    QColor textColor() const { return m_text; }
    void setBevels(Bevel outer, Bevel inner);
    Bevel bevelOuter() const { return m_outer; }
    Bevel bevelInner() const { return m_inner; }
    void setFrameWidths(int bevelWidth, int borderWidth);
    int bevelWidth() const { return m_bevelWidth; }
    int borderWidth() const { return m_borderWidth; }

signals:
    void clicked();
    // The face was drawn for the first time: the window is on the screen.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawBevel(QPainter &p, QRect &r, Bevel bevel);

    QString m_caption;
    QFont m_font;
    QColor m_background{0xC0, 0xC0, 0xC0};
    QColor m_text{0x80, 0, 0};
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_bevelWidth = 3;
    int m_borderWidth = 0;
    bool m_painted = false;
};

} // namespace orvane
