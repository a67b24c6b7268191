#include "app/clock/ui/placement.h"

#include "app/clock/ui/outer_bounds.h"

#include "app/clock/window_placement.h"
#include "app/common/ini_file.h"

#include <QWidget>

#include <cstdio>

namespace orvane {

TPlacement::TPlacement(QWidget *owner, QString iniFileName, QString section)
    : IniFileName(std::move(iniFileName)), Section(std::move(section)), m_owner(owner)
{
    if (Section.isEmpty() && owner)
        Section = owner->objectName();
}

void SetOuterBounds(QWidget *w, int left, int top, int width, int height)
{
    TOuterBounds::apply(w, QRect(left, top, width, height));
}

void TPlacement::SaveWindowPlacement()
{
    if (IniFileName.isEmpty() || !m_owner)
        return;
    WindowPlacementRecord p;
    p.showCmd = m_owner->isMinimized() ? 2 : m_owner->isMaximized() ? 3 : 1;
    p.minPosX = p.minPosY = -1;
    p.maxPosX = p.maxPosY = -1;
    const QRect frame = m_owner->frameGeometry();
    const QRect normal = m_owner->isMaximized() ? m_owner->normalGeometry() : frame;
    p.normLeft = normal.left();
    p.normTop = normal.top();
    p.normRight = normal.left() + normal.width();
    p.normBottom = normal.top() + normal.height();
    try {
        TIniFile ini(IniFileName.toStdString());
        WritePlacement(ini, Section.toStdString(), p);
    } catch (const EIniFileException &e) {
        // A placement that cannot be stored is not worth interrupting the user for.
        std::fprintf(stderr, "orvane: %s\n", e.what());
    }
}

void TPlacement::RestoreWindowPlacement()
{
    if (IniFileName.isEmpty() || !m_owner)
        return;
    TIniFile ini(IniFileName.toStdString());
    const auto p = ReadPlacement(ini, Section.toStdString());
    if (!p) {
        Tag = 0;
        return;
    }
    SetOuterBounds(m_owner, p->normLeft, p->normTop, p->normRight - p->normLeft, p->normBottom - p->normTop);
    if (p->showCmd == 3)
        m_owner->showMaximized();
    Tag = 1;
}

} // namespace orvane
