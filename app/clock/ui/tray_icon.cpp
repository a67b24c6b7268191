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

void TTrayIcon::ensureIcon()
{
    if (m_tray || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(m_icon, this);
    m_tray->setToolTip(m_toolTip);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit OnClick();
            break;
        case QSystemTrayIcon::DoubleClick:
            emit OnDblClick();
            break;
        case QSystemTrayIcon::Context:
            emit OnRightClick(QCursor::pos());
            break;
        default:
            break;
        }
    });
}

void TTrayIcon::setActive(bool active)
{
    m_active = active;
    if (active)
        ensureIcon();
    if (m_tray)
        m_tray->setVisible(active);
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

bool TTrayIcon::isShown() const { return m_tray && m_tray->isVisible(); }

bool TTrayIcon::showMessage(const QString &title, const QString &text)
{
    if (!isShown() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_tray->showMessage(title, text, QSystemTrayIcon::Warning);
    return true;
}

} // namespace orvane
