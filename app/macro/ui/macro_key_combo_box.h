#pragma once

#include <QComboBox>

#include <cstdint>

namespace orvane {

// A combo box offering the 750 keys a macro may have, by the library's names; pressing a key
// or clicking a mouse button in it (with modifiers) makes that the current key, as does
// picking an entry of the list.
class TMacroKeyComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TMacroKeyComboBox(QWidget *parent = nullptr);

    uint16_t MacroKey() const { return m_macroKey; }
    // A key that is no possible macro key (GetPossibleMKeyIndex -1) is ignored.
    void SetMacroKey(uint16_t key);

    // The text the box shows: the current key's name, also for a key off the list.
    QString Text() const;

    void showPopup() override;

signals:
    // The current key changed.
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fillItems();
    void makeCurrent(uint16_t key);
    bool captureMouse(QMouseEvent *event, bool doubleClick);
    void selected(int index);

    bool m_filled = false;
    uint16_t m_macroKey = 0;
    bool m_mousePresent;
    uint16_t m_lastNavigationKey = 0;
};

// The library's name for a key (GetKeyName with room for 30 characters).
QString MacroKeyName(uint16_t key);

} // namespace orvane
