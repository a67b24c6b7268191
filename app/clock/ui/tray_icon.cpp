#include "app/clock/ui/tray_icon.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace orvane {

TTrayIcon::TTrayIcon(QObject *parent) : QObject(parent) {}

TTrayIcon::~TTrayIcon()
{
    if (m_tray)
        m_tray->hide();
}

TTrayIcon::HostCheck TTrayIcon::s_hostCheck = &QSystemTrayIcon::isSystemTrayAvailable;

void TTrayIcon::setHostCheck(HostCheck check)
{
    s_hostCheck = check ? check : &QSystemTrayIcon::isSystemTrayAvailable;
}

void TTrayIcon::ensureIcon()
{
    // The icon is made even when no notification area exists yet: Qt watches the tray selection
    // on the X server and docks the icon when a tray host starts later (usual at login) or
    // restarts, so the program never needs to look for one itself.
    if (m_tray)
        return;
    m_tray = new QSystemTrayIcon(m_icon, this);
    m_tray->setToolTip(m_toolTip);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: emit OnClick(); break;
        case QSystemTrayIcon::DoubleClick: emit OnDblClick(); break;
        case QSystemTrayIcon::Context: emit OnRightClick(QCursor::pos()); break;
        default: break;
        }
    });
}

void TTrayIcon::setActive(bool active, Docking docking)
{
    m_active = active;
    if (active && docking == Docking::Now)
        ensureIcon();
    if (m_tray)
        m_tray->setVisible(active);
}

void TTrayIcon::dock()
{
    if (!m_active)
        return;
    ensureIcon();
    m_tray->setVisible(true);
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    if (m_tray)
        m_tray->setIcon(icon);
}

void TTrayIcon::setToolTip(const QString &tip)
{
    m_toolTip = tip.left(kTrayToolTipMax);
    if (m_tray)
        m_tray->setToolTip(m_toolTip);
}

bool TTrayIcon::isShown() const { return m_active && s_hostCheck(); }

bool TTrayIcon::showMessage(const QString &title, const QString &text)
{
    if (!isShown() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_tray->showMessage(title, text, QSystemTrayIcon::Warning);
    return true;
}

} // namespace orvane
