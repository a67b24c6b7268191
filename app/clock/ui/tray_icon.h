#pragma once
// The notification-area icon: an icon, a tool-tip of at most 62 characters, and the left, double
// and right clicks. Without a notification area the component stays silent and the program runs on.
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

class QSystemTrayIcon;

namespace orvane {

constexpr int kTrayToolTipMax = 62;

class TTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TTrayIcon(QObject *parent = nullptr);
    ~TTrayIcon() override;

    void setActive(bool active);
    bool Active() const { return m_active; }
    void setIcon(const QIcon &icon);
    void setToolTip(const QString &tip);
    QString ToolTip() const { return m_toolTip; }
    // True when a notification area exists and the icon is shown in it.
    bool isShown() const;
    // A notification from the icon that goes away by itself; false when no icon is shown.
    bool showMessage(const QString &title, const QString &text);

signals:
    void OnClick();
    void OnDblClick();
    void OnRightClick(QPoint screenPos);

private:
    void ensureIcon();

    QSystemTrayIcon *m_tray = nullptr;
    QIcon m_icon;
    QString m_toolTip;
    bool m_active = false;
};

} // namespace orvane
