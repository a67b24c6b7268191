#include "macro_key_combo_box.h"

#include "app/macro/macro_key_capture.h"
#include "qt_virtual_keys.h"

#include "kyloom32.h"

#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane {

namespace {

bool mousePresent()
{
    for (const QInputDevice *device : QInputDevice::devices()) {
        if (device->type() == QInputDevice::DeviceType::Mouse ||
            device->type() == QInputDevice::DeviceType::TouchPad)
            return true;
    }
    // Platforms that list no devices (offscreen, some X servers) still move a pointer.
    return QInputDevice::devices().isEmpty();
}

uint8_t buttonVk(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 0x01;
    case Qt::RightButton: return 0x02;
    case Qt::MiddleButton: return 0x04;
    default: return 0;
    }
}

} // namespace

QString MacroKeyName(uint16_t key)
{
    char buffer[31] = {};
    GetKeyName(key, buffer, 30);
    return QString::fromLatin1(buffer);
}

TMacroKeyComboBox::TMacroKeyComboBox(QWidget *parent) : QComboBox(parent), m_mousePresent(mousePresent())
{
    setMaxVisibleItems(20);
    connect(this, qOverload<int>(&QComboBox::activated), this, &TMacroKeyComboBox::selected);
}

void TMacroKeyComboBox::fillItems()
{
    if (m_filled)
        return;
    m_filled = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const uint16_t count = GetMaxPossibleMKeys();
    QStringList names;
    names.reserve(count);
    for (uint16_t i = 0; i < count; ++i)
        names << MacroKeyName(GetPossibleMKey(i));
    const QSignalBlocker blocker(this);
    addItems(names);
    const int32_t index = GetPossibleMKeyIndex(m_macroKey);
    setCurrentIndex(m_macroKey && index >= 0 ? index : -1);
    QApplication::restoreOverrideCursor();
}

void TMacroKeyComboBox::showPopup()
{
    fillItems();
    QComboBox::showPopup();
}

void TMacroKeyComboBox::makeCurrent(uint16_t key)
{
    fillItems();
    m_macroKey = key;
    const int32_t index = GetPossibleMKeyIndex(key);
    {
        // Moving the selection here is no pick from the list.
        const QSignalBlocker blocker(this);
        setPlaceholderText(MacroKeyName(key));
        setCurrentIndex(count() > 0 && index >= 0 ? index : -1);
    }
    emit Change();
}

void TMacroKeyComboBox::SetMacroKey(uint16_t key)
{
    fillItems();
    if (GetPossibleMKeyIndex(key) < 0)
        return;
    makeCurrent(key);
}

QString TMacroKeyComboBox::Text() const { return currentIndex() >= 0 ? currentText() : placeholderText(); }

void TMacroKeyComboBox::selected(int index)
{
    fillItems();
    if (index < 0)
        return;
    m_macroKey = GetPossibleMKey(static_cast<uint16_t>(index));
    setPlaceholderText(MacroKeyName(m_macroKey));
    emit Change();
}

void TMacroKeyComboBox::keyPressEvent(QKeyEvent *event)
{
    const uint8_t vk = VirtualKeyForQtKey(event->key(), event->modifiers());
    const uint8_t modifiers = ModifierBitsForQt(event->modifiers());
    if (const auto key = CapturedMacroKey(vk, modifiers, m_mousePresent)) {
        m_lastNavigationKey = 0;
        makeCurrent(*key);
        event->accept();
        return;
    }
    const bool bareModifier = vk == 0x10 || vk == 0x11 || vk == 0x12;
    if (!bareModifier && vk != 0) {
        // A navigation key without a mouse keeps its meaning in the dialog.
        m_lastNavigationKey = vk;
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TMacroKeyComboBox::keyReleaseEvent(QKeyEvent *event)
{
    const uint8_t vk = VirtualKeyForQtKey(event->key(), event->modifiers());
    if (vk != 0 && vk == m_lastNavigationKey) {
        QComboBox::keyReleaseEvent(event);
        return;
    }
    event->accept();
}

bool TMacroKeyComboBox::captureMouse(QMouseEvent *event, bool doubleClick)
{
    const uint8_t vk = buttonVk(event->button());
    if (vk == 0)
        return false;
    const auto key = CapturedMouseKey(vk, ModifierBitsForQt(event->modifiers()),
                                      doubleClick ? TMouseAction::DoubleClick : TMouseAction::Press);
    if (!key)
        return false;
    makeCurrent(*key);
    event->accept();
    return true;
}

void TMacroKeyComboBox::mousePressEvent(QMouseEvent *event)
{
    if (!captureMouse(event, false))
        QComboBox::mousePressEvent(event);
}

void TMacroKeyComboBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!captureMouse(event, true))
        QComboBox::mouseDoubleClickEvent(event);
}

void TMacroKeyComboBox::mouseReleaseEvent(QMouseEvent *event)
{
    const uint8_t vk = buttonVk(event->button());
    if (vk != 0 && ConsumesMouseRelease(vk, ModifierBitsForQt(event->modifiers()))) {
        event->accept();
        return;
    }
    QComboBox::mouseReleaseEvent(event);
}

} // namespace orvane
