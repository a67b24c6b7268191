#pragma once
// Places a top-level window by its outer rectangle (frame included), as placements are stored.
// A window manager frames a window only after it is mapped, so the frame's size is unknown until
// then: the wanted rectangle is kept and applied again once the frame is known, so that a stored
// placement comes back exactly instead of growing by the frame at every start.
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QTimer>

class QWidget;

namespace orvane {

class TOuterBounds : public QObject {
    Q_OBJECT
public:
    // Moves and sizes `window` so that its frame covers `outer`, now and once it is framed.
    static void apply(QWidget *window, const QRect &outer);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TOuterBounds(QWidget *window);
    void fit();
    void settle();
    QMargins frameMargins() const;

    QWidget *m_window;
    QRect m_outer;
    QTimer m_settle;
    int m_checksLeft = 0;
};

} // namespace orvane
