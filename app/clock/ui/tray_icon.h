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

// Whether the icon is put in the notification area at once or when dock() is called: docking
// waits on the tray host, which a program's first frame should not.
enum class Docking { Now, Later };

class TTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TTrayIcon(QObject *parent = nullptr);
    ~TTrayIcon() override;

    void setActive(bool active, Docking docking = Docking::Now);
    // Puts an active icon whose docking was left for later into the notification area.
    void dock();
    bool Active() const { return m_active; }
    void setIcon(const QIcon &icon);
    void setToolTip(const QString &tip);
    QString ToolTip() const { return m_toolTip; }
    // True when the icon is active and a notification area exists to show it.
    bool isShown() const;
    // A notification from the icon that goes away by itself; false when no icon is shown.
    bool showMessage(const QString &title, const QString &text);

    // How the component learns whether a notification area exists; tests replace it, nullptr
    // puts the real one back.
    using HostCheck = bool (*)();
    static void setHostCheck(HostCheck check);

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
    static HostCheck s_hostCheck;
};

} // namespace orvane
