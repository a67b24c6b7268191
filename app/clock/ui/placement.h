#pragma once
// Stores a window's position and state in a section of murvelin.ini and puts it back.
#include <QString>

class QWidget;

namespace orvane {

class TPlacement {
public:
    // An empty section becomes the owner's object name.
    TPlacement(QWidget *owner, QString iniFileName, QString section);

    void SaveWindowPlacement();
    void RestoreWindowPlacement();
    // 1 when the last restore applied a stored placement, 0 when it changed nothing.
    int Tag = 0;

    QString IniFileName;
    QString Section;

private:
    QWidget *m_owner;
};

// Moves a window so that its outer frame covers left..right and top..bottom.
void SetOuterBounds(QWidget *w, int left, int top, int width, int height);

} // namespace orvane
